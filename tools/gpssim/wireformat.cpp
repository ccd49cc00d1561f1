#include "wireformat.h"

namespace GarminPacket {

unsigned char checksum(unsigned char id, const QByteArray& data)
{
    unsigned char sum = static_cast<unsigned char>(id + data.size());
    for (const char c : data)
        sum = static_cast<unsigned char>(sum + static_cast<unsigned char>(c));
    return static_cast<unsigned char>(-sum);
}

QByteArray frame(unsigned char id, const QByteArray& data, bool corruptChecksum)
{
    Q_ASSERT(data.size() <= 255);
    unsigned char sum = checksum(id, data);
    if (corruptChecksum)
        sum = static_cast<unsigned char>(~sum);

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
    put(static_cast<char>(sum));
    return stuffed + DLE + ETX;
}

} // namespace GarminPacket

namespace NmeaSentence {

QByteArray make(const QByteArray& body, bool lowerCase, bool corruptChecksum)
{
    unsigned char sum = corruptChecksum ? 0xFF : 0;
    for (const char c : body)
        sum ^= static_cast<unsigned char>(c);
    QByteArray hex = QByteArray::number(sum, 16).rightJustified(2, '0');
    return '$' + body + '*' + (lowerCase ? hex : hex.toUpper()) + "\r\n";
}

} // namespace NmeaSentence
