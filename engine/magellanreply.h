#pragma once

#include <cstddef>

// Magellan receivers speak NMEA 0183: "$", fields separated by ",", "*", two
// hexadecimal checksum digits, CR LF. The checksum is the XOR of every byte
// between "$" and "*".
//
// What a reply holds, read from its bytes alone: the functions here neither
// change nor store anything, which CheckMagellanReply (magellan.h) does with
// what they find.

// The XOR of the count bytes.
unsigned char nmeaChecksum(const char* bytes, std::size_t count);

// Where the answer to the version query lies in a reply: the offsets of its
// "$" and of its "*", or -1 for both when there is none.
struct MagellanVersionSentence {
    int start = -1;
    int star = -1;
};

// Looks for the answer to the version query among the `size` bytes a unit
// sent: the first "$PMGNVER" sentence with a right checksum, in upper-case
// digits, both inside the reply. Other sentences, whatever their checksum,
// and bytes or cut-off sentences before, between and after them are passed
// over.
MagellanVersionSentence scanMagellanReply(const char* reply, int size);

// The version line of a verified version sentence, cut at its "*" (at most
// REPLY_SIZE bytes are looked at): "<field 3> Software Version <field 2>
// (Product ID=<field 1>)".
void formatMagellanVersion(const char* reply, char* szVersion, int nVersionSize);
