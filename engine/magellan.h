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

// Looks for the answer to the version query among whatever the unit sent
// (the reply buffer holds REPLY_SIZE bytes, zero after those received): the
// first "$PMGNVER" sentence with a right checksum, in upper-case digits.
// Other sentences, whatever their checksum, and bytes or cut-off sentences
// before, between and after them are passed over. That sentence's "*" is
// replaced by a zero byte and the sentence offered to StoreVersionText.
// Returns 1 when one was found, 0 otherwise; nothing is shown.
int CheckMagellanReply(int unit, char* reply);

// The version line of a verified version sentence, cut at its "*":
// "<field 3> Software Version <field 2> (Product ID=<field 1>)".
void FormatMagellanVersion(const char* reply, char* szVersion, int nVersionSize);
