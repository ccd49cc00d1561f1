#pragma once

#include <QByteArray>

// NMEA 0183 sentences: "$", the body, "*", two hexadecimal digits of the
// XOR of the body's bytes, CR LF.
namespace NmeaSentence {

unsigned char Checksum(const QByteArray& body);

enum class Digits { Upper, Lower };

// The sentence around `body` (which holds neither "$" nor "*"). A corrupt
// checksum is wrong in both digits, whatever their case.
QByteArray Make(const QByteArray& body, Digits digits = Digits::Upper,
                bool corruptChecksum = false);

} // namespace NmeaSentence
