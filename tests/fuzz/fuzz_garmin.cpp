// Feeds arbitrary bytes to the Garmin reply check the way a run does: in a
// zero-filled reply buffer of their own, so that AddressSanitizer sees any
// read outside it.
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

    // The version text is always terminated within its field, and exactly a
    // verified reply sets it; the only boxes are the two checksum messages,
    // at most one per reply.
    if (std::memchr(unit.szVersion, '\0', VERSION_SIZE) == nullptr)
        __builtin_trap();
    if (verified != (unit.szVersion[0] != '\0'))
        __builtin_trap();
    if (dlg.messages.size() > 1 ||
        (dlg.messages.size() == 1 && !dlg.messages[0].startsWith("Bad Checksum in Garmin ")))
        __builtin_trap();
    return 0;
}
