#include "nmeasentence.h"

namespace NmeaSentence {

unsigned char Checksum(const QByteArray& body)
{
    unsigned char sum = 0;
    for (const char c : body)
        sum ^= static_cast<unsigned char>(c);
    return sum;
}

QByteArray Make(const QByteArray& body, Digits digits, bool corruptChecksum)
{
    unsigned char sum = Checksum(body);
    if (corruptChecksum)
        sum ^= 0xFF;
    QByteArray hex = QByteArray::number(sum, 16).rightJustified(2, '0');
    hex = digits == Digits::Upper ? hex.toUpper() : hex.toLower();
    return '$' + body + '*' + hex + "\r\n";
}

} // namespace NmeaSentence
