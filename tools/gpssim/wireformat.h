#pragma once

#include <QByteArray>

// How receivers put their messages on the wire. The simulator has its own
// checksum and framing code on purpose, written apart from the engine's: it
// is the independent check of the engine's, so a mistake in one shows up as
// a disagreement with the other instead of being shared by both. Do not make
// either use the other.

// Garmin link-protocol packets: DLE, id, size, data, checksum, DLE, ETX,
// where every 0x10 in size, data or checksum goes out twice so that only an
// unpaired DLE can start or end a packet.
namespace GarminPacket {

constexpr char DLE = 0x10;
constexpr char ETX = 0x03;
constexpr unsigned char PID_ACK = 0x06;
constexpr unsigned char PID_PVT_DATA = 0x33;
constexpr unsigned char PID_PRODUCT_RQST = 0xFE;
constexpr unsigned char PID_PRODUCT_DATA = 0xFF;

// The two's complement of the 8-bit sum of id, size and data.
unsigned char checksum(unsigned char id, const QByteArray& data);
// The framed, stuffed packet. With a corrupt checksum the packet still
// frames correctly: a receiver's arithmetic is wrong, not its line.
QByteArray frame(unsigned char id, const QByteArray& data, bool corruptChecksum = false);

} // namespace GarminPacket

// NMEA 0183 sentences: "$", the body, "*", two hexadecimal digits of the XOR
// of the body's bytes, CR LF.
namespace NmeaSentence {

// The sentence around `body` (which holds neither "$" nor "*"). A corrupt
// checksum is wrong in both digits, whatever their case.
QByteArray make(const QByteArray& body, bool lowerCase = false, bool corruptChecksum = false);

} // namespace NmeaSentence
