#pragma once

#include <QByteArray>

// Garmin link-protocol packets as a receiver puts them on the wire: DLE, id,
// size, data, checksum, DLE, ETX, where every 0x10 in size, data or checksum
// goes out twice so that only an unpaired DLE can start or end a packet.
namespace GarminPacket {

constexpr char DLE = 0x10;
constexpr char ETX = 0x03;
constexpr unsigned char PID_ACK = 0x06;
constexpr unsigned char PID_PRODUCT_RQST = 0xFE;
constexpr unsigned char PID_PRODUCT_DATA = 0xFF;

// The two's complement of the 8-bit sum of id, size and data.
unsigned char Checksum(unsigned char id, const QByteArray& data);

// The framed, stuffed packet. With a corrupt checksum the packet still
// frames correctly (a receiver's arithmetic is wrong, not its line).
QByteArray Frame(unsigned char id, const QByteArray& data, bool corruptChecksum = false);

} // namespace GarminPacket
