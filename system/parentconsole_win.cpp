#include "parentconsole.h"

#include <cstdio>
#include <windows.h>

namespace {

bool missing(DWORD channel)
{
    const HANDLE handle = GetStdHandle(channel);
    return handle == nullptr || handle == INVALID_HANDLE_VALUE;
}

} // namespace

void attachParentConsole()
{
    const bool out = missing(STD_OUTPUT_HANDLE);
    const bool err = missing(STD_ERROR_HANDLE);
    if ((!out && !err) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    // The C streams were set up before there was a console to write to. Qt
    // sees the console too, and sends its warnings to standard error rather
    // than to the debugger.
    std::FILE* ignored = nullptr;
    if (out)
        freopen_s(&ignored, "CONOUT$", "w", stdout);
    if (err)
        freopen_s(&ignored, "CONOUT$", "w", stderr);
}
