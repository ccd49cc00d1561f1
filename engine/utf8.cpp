#include "utf8.h"

#include <cstring>

namespace {

bool isContinuationByte(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

} // namespace

std::size_t copyUtf8Truncated(char* dst, std::size_t cap, const char* src, std::size_t len)
{
    if (cap == 0)
        return 0;
    std::size_t n = len;
    if (n > cap - 1) {
        n = cap - 1;
        // Back up to the start of the character that straddles the cut.
        std::size_t start = n;
        while (start > 0 && isContinuationByte(static_cast<unsigned char>(src[start])))
            --start;
        n = start;
    }
    std::memcpy(dst, src, n);
    dst[n] = '\0';
    return n;
}
