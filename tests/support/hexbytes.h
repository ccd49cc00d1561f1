#pragma once

#include <QByteArray>

// "10 FE 00" -> the three bytes. Test vectors read best as hex dumps.
inline QByteArray hex(const char* spaced)
{
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
}
