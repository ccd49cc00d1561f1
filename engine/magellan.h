#pragma once

// Magellan receivers speak NMEA 0183: "$", fields separated by ",", "*", two
// hexadecimal checksum digits, CR LF. The checksum is the XOR of every byte
// between "$" and "*".

// Appends "*", the checksum and CR LF to the sentence in place. The buffer
// must hold five more characters. Always 1.
int AppendNmeaChecksum(char* szSentence);

// Builds the version query "$PMGNCMD,VERSION*28\r\n" in a zero-filled buffer
// of at least 22 bytes.
void BuildMagellanQuery(char* szQuery);

// Verifies the checksum of the reply (the unit's 255-byte reply buffer, which
// need not hold a terminator) and, when it is right, offers the reply to
// StoreVersionText. The first "*" of the reply is replaced by a zero byte.
// Returns 1 for a right checksum, 0 otherwise; nothing is shown.
int CheckMagellanReply(int unit, char* reply);

// The version line of a verified Magellan reply, cut at its "*":
// "<field 3> Software Version <field 2> (Product ID=<field 1>)".
void FormatMagellanVersion(const char* reply, char* szVersion, int nVersionSize);
