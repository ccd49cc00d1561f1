#pragma once

#include "units.h"

#include <cstring>
#include <memory>
#include <QByteArray>

// A reply exactly as the run hands it to a check: a 255-byte buffer of its
// own (so that AddressSanitizer sees any access past it), zero after the
// bytes received.
inline std::unique_ptr<char[]> replyBuffer(const QByteArray& bytes)
{
    std::unique_ptr<char[]> buf(new char[REPLY_SIZE]());
    const auto size = static_cast<std::size_t>(bytes.size());
    std::memcpy(buf.get(), bytes.constData(), size < REPLY_SIZE ? size : REPLY_SIZE);
    return buf;
}
