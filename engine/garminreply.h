#pragma once

// Garmin receivers speak the Garmin link protocol: DLE (0x10), packet id,
// data size, data, checksum, DLE, ETX (0x03). The checksum is the two's
// complement of the 8-bit sum of id, size and data. On the wire every 0x10
// within size, data or checksum is sent twice, so inside a packet DLE DLE
// stands for one data byte and DLE ETX ends the packet.
//
// What a reply holds, read from its bytes alone: the functions here neither
// show nor store anything, which CheckGarminReply (garmin.h) does with what
// they find.

constexpr unsigned char GARMIN_DLE = 0x10;
constexpr unsigned char GARMIN_ETX = 0x03;
constexpr unsigned char GARMIN_PID_ACK = 0x06;
constexpr unsigned char GARMIN_PID_PRODUCT_RQST = 0xFE;
constexpr unsigned char GARMIN_PID_PRODUCT_DATA = 0xFF;

// Room for the longest packet with its escapes removed, DLE ETX after it
// and the zero bytes that end a description running to the end of the data.
constexpr int GARMIN_PACKET_SIZE = 512;

// The checksum of a packet: the two's complement of the 8-bit sum of its id,
// size and data, the count bytes after its opening DLE.
unsigned char garminChecksum(const unsigned char* idSizeData, int count);

// What the answer to a Product Request looked like in a reply.
enum class GarminReplyFinding {
    Nothing,            // no acknowledgement followed by a Product Data packet
    BadAckChecksum,     // an acknowledgement with a wrong checksum
    BadVersionChecksum, // after the acknowledgement, a Product Data packet with a wrong one
    ProductData,        // both verified: the Product Data packet is in `packet`
};

// Looks for the answer to a Product Request among the `size` bytes a unit
// sent: the acknowledgement packet (id 0x06) and a Product Data packet after
// it. Other packets, and bytes or a cut-off packet before, between and after
// them, are passed over. The first acknowledgement, and the first Product
// Data packet after it, decide. With ProductData, `packet` holds that packet
// with its escapes removed, then DLE, ETX and zero bytes; otherwise its
// contents mean nothing.
GarminReplyFinding scanGarminReply(const char* reply, int size,
                                   unsigned char (&packet)[GARMIN_PACKET_SIZE]);

// The version line of a verified Product Data packet (link escapes removed,
// size byte at offset 2): "<description> (Product ID=<id>)". Any other
// packet gives an empty line.
void formatGarminVersion(const char* packet, char* szVersion, int nVersionSize);
