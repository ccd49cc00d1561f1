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

// Verifies the two packets a receiver sends in reply to a Product Request,
// an acknowledgement and then Product Data, from the start of the unit's
// 255-byte reply buffer. A wrong checksum shows "Bad Checksum in Garmin ACK
// Message" or "Bad Checksum in Garmin Version Message" and returns 0. A
// reply in which a packet does not end within the buffer is not verified:
// 0, and nothing shown. Returns 1 when both packets verify; the Product Data
// packet has then been offered to StoreVersionText.
int CheckGarminReply(int unit, const char* reply);

// The version line of a verified Product Data packet (link escapes removed,
// size byte at offset 2): "<description> (Product ID=<id>)". Any other
// packet gives an empty line.
void FormatGarminVersion(const char* packet, char* szVersion, int nVersionSize);
