#pragma once

// Garmin receivers speak the Garmin link protocol: DLE (0x10), packet id,
// data size, data, checksum, DLE, ETX (0x03). The checksum is the two's
// complement of the 8-bit sum of id, size and data. On the wire every 0x10
// within size, data or checksum is sent twice, so inside a packet DLE DLE
// stands for one data byte and DLE ETX ends the packet.

constexpr unsigned char GARMIN_DLE = 0x10;
constexpr unsigned char GARMIN_ETX = 0x03;
constexpr unsigned char GARMIN_PID_PRODUCT_RQST = 0xFE;
constexpr unsigned char GARMIN_PID_PRODUCT_DATA = 0xFF;

// Given a buffer that starts with DLE, id, size n and the n data bytes, writes
// the checksum, DLE, ETX and a zero byte after the data (n + 7 bytes in all).
// Always 1.
int AppendGarminChecksum(char* packet);

// Builds the Product Request 10 FE 00 02 10 03 in a zero-filled buffer of at
// least 7 bytes. It holds no 0x10 that would need doubling.
void BuildGarminQuery(char* szQuery);

// Looks for the answer to a Product Request among whatever the unit sent
// (the reply buffer holds REPLY_SIZE bytes, zero after those received): the
// acknowledgement packet (id 0x06) and a Product Data packet after it. Other
// packets, and bytes or a cut-off packet before, between and after them, are
// passed over without a word. An acknowledgement or Product Data packet with
// a wrong checksum shows "Bad Checksum in Garmin ACK Message" or "Bad
// Checksum in Garmin Version Message" and returns 0. Returns 1 when both
// packets verify; the Product Data packet has then been offered to
// StoreVersionText. Without them: 0, and nothing shown.
int CheckGarminReply(int unit, const char* reply);

// The version line of a verified Product Data packet (link escapes removed,
// size byte at offset 2): "<description> (Product ID=<id>)". Any other
// packet gives an empty line.
void FormatGarminVersion(const char* packet, char* szVersion, int nVersionSize);
