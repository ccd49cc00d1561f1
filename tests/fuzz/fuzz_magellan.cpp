// Feeds arbitrary bytes to the Magellan reply check the way a run does: in a
// zero-filled reply buffer of their own, so that AddressSanitizer sees any
// read or write outside it.
#include "fakedialog.h"
#include "magellan.h"
#include "replybuffer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FakeDialog dlg;
    dlg.messages.clear();
    UnitInfo& unit = dlg.units[1];
    unit.eMfg = GPS_MFG_MAGELLAN;
    unit.szVersion[0] = '\0';

    const std::unique_ptr<char[]> reply = ReplyBuffer(data, size);
    const int verified = CheckMagellanReply(1, reply.get());

    // Nothing is ever shown for a Magellan reply, the version text stays
    // terminated, exactly a verified reply sets it, and only a version
    // sentence can verify.
    if (!dlg.messages.empty())
        __builtin_trap();
    if (std::memchr(unit.szVersion, '\0', VERSION_SIZE) == nullptr)
        __builtin_trap();
    if (verified != (unit.szVersion[0] != '\0'))
        __builtin_trap();
    static const char address[] = "$PMGNVER";
    if (verified && std::search(data, data + size, address, address + 8) == data + size)
        __builtin_trap();
    return 0;
}
