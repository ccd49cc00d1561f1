// Feeds arbitrary bytes to the Garmin reply scanner, in a buffer of exactly
// their size, so that AddressSanitizer sees any read past them.
#include "garminreply.h"
#include "units.h"

#include <cstdint>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::unique_ptr<char[]> reply(new char[size]);
    std::memcpy(reply.get(), data, size);
    unsigned char packet[GARMIN_PACKET_SIZE];
    if (scanGarminReply(reply.get(), static_cast<int>(size), packet) !=
        GarminReplyFinding::ProductData)
        return 0;

    // What is found is a Product Data packet whose checksum, summed here on
    // its own, is right, closed by DLE ETX; its version text is terminated
    // within its field and never empty.
    const int n = packet[2];
    unsigned char sum = 0;
    for (int i = 1; i <= 3 + n; ++i)
        sum = static_cast<unsigned char>(sum + packet[i]);
    if (packet[0] != 0x10 || packet[1] != 0xFF || sum != 0 || packet[4 + n] != 0x10 ||
        packet[5 + n] != 0x03)
        __builtin_trap();
    char version[VERSION_SIZE];
    formatGarminVersion(reinterpret_cast<const char*>(packet), version, VERSION_SIZE);
    if (std::memchr(version, '\0', VERSION_SIZE) == nullptr || version[0] == '\0')
        __builtin_trap();
    return 0;
}
