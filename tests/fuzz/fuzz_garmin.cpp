// Feeds arbitrary bytes to the Garmin reply check the way a run does: in a
// 255-byte, zero-filled buffer of their own, so that AddressSanitizer sees
// any read outside it.
#include "fakedialog.h"
#include "garmin.h"
#include "replybuffer.h"

#include <cstdint>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FakeDialog dlg;
    dlg.messages.clear();
    UnitInfo& unit = dlg.units[0];
    unit.eMfg = GPS_MFG_GARMIN;
    unit.szVersion[0] = '\0';

    const std::unique_ptr<char[]> reply = ReplyBuffer(data, size);
    const int verified = CheckGarminReply(0, reply.get());

    // The version text is always terminated within its field, and only a
    // verified reply sets it.
    if (std::memchr(unit.szVersion, '\0', VERSION_SIZE) == nullptr)
        __builtin_trap();
    if (!verified && unit.szVersion[0] != '\0')
        __builtin_trap();
    return 0;
}
