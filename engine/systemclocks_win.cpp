#include "systemclocks.h"

#include <windows.h>

#include <realtimeapiset.h>

namespace {

constexpr ULONGLONG HUNDRED_NS_PER_MS = 10000;

using InterruptTimeFunction = VOID(WINAPI*)(PULONGLONG);

// The interrupt time, which counts the time asleep or hibernating, as
// QueryInterruptTime gives it from Windows 10 on. Before that, and in Wine,
// which lacks it, the tick count: Microsoft documents it as counting sleep
// and hibernation too. Both move with the system's clock tick, as the
// unbiased interrupt time does.
std::int64_t withSleepMs()
{
    static const auto queryInterruptTime =
        reinterpret_cast<InterruptTimeFunction>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "QueryInterruptTime")));
    if (queryInterruptTime == nullptr)
        return static_cast<std::int64_t>(GetTickCount64());
    ULONGLONG time = 0;
    queryInterruptTime(&time);
    return static_cast<std::int64_t>(time / HUNDRED_NS_PER_MS);
}

} // namespace

SteadyClocks readSteadyClocks()
{
    // The performance counter behind std::chrono::steady_clock is not
    // documented either way; the unbiased interrupt time plainly leaves out
    // the time the system spends asleep or hibernating.
    ULONGLONG unbiased = 0;
    QueryUnbiasedInterruptTime(&unbiased);
    return {withSleepMs(), static_cast<std::int64_t>(unbiased / HUNDRED_NS_PER_MS)};
}
