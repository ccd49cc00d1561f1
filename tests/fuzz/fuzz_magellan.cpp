// Feeds arbitrary bytes to the Magellan reply scanner, in a buffer of exactly
// their size, so that AddressSanitizer sees any read past them.
#include "magellanreply.h"
#include "units.h"

#include <cstdint>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::unique_ptr<char[]> reply(new char[size]);
    std::memcpy(reply.get(), data, size);
    const int n = static_cast<int>(size);
    const MagellanVersionSentence found = scanMagellanReply(reply.get(), n);
    if (found.start < 0)
        return 0;

    // What is found is one "$PMGNVER" sentence, not cut short before its
    // "*", whose two digits after it are the upper-case XOR of the bytes
    // between, computed here on its own.
    const char* s = reply.get() + found.start;
    const int length = found.star - found.start;
    if (length < 8 || found.star + 2 >= n || std::memcmp(s, "$PMGNVER", 8) != 0)
        __builtin_trap();
    unsigned char sum = 0;
    for (int i = 1; i < length; ++i) {
        if (std::memchr("\r\n$*", s[i], 5) != nullptr)
            __builtin_trap();
        sum ^= static_cast<unsigned char>(s[i]);
    }
    const char* const digits = "0123456789ABCDEF";
    if (s[length + 1] != digits[sum >> 4] || s[length + 2] != digits[sum & 15])
        __builtin_trap();

    // Its version text, from the sentence cut at its "*" as the check cuts
    // it, stays within its field.
    const std::unique_ptr<char[]> cut(new char[REPLY_SIZE]());
    std::memcpy(cut.get(), s, static_cast<std::size_t>(length < REPLY_SIZE ? length : REPLY_SIZE));
    char version[VERSION_SIZE];
    formatMagellanVersion(cut.get(), version, VERSION_SIZE);
    if (std::memchr(version, '\0', VERSION_SIZE) == nullptr)
        __builtin_trap();
    return 0;
}
