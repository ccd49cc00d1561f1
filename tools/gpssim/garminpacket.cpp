#include "garminpacket.h"

namespace GarminPacket {

unsigned char Checksum(unsigned char id, const QByteArray& data)
{
    unsigned char sum = static_cast<unsigned char>(id + data.size());
    for (const char c : data)
        sum = static_cast<unsigned char>(sum + static_cast<unsigned char>(c));
    return static_cast<unsigned char>(-sum);
}

QByteArray Frame(unsigned char id, const QByteArray& data, bool corruptChecksum)
{
    Q_ASSERT(data.size() <= 255);
    unsigned char checksum = Checksum(id, data);
    if (corruptChecksum)
        checksum = static_cast<unsigned char>(~checksum);

    QByteArray stuffed;
    const auto put = [&stuffed](char c) {
        stuffed += c;
        if (c == DLE)
            stuffed += DLE;
    };
    stuffed += DLE;
    stuffed += static_cast<char>(id); // ids never take the value of DLE
    put(static_cast<char>(data.size()));
    for (const char c : data)
        put(c);
    put(static_cast<char>(checksum));
    stuffed += DLE;
    stuffed += ETX;
    return stuffed;
}

} // namespace GarminPacket
