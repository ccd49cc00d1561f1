#include "systemclocks.h"

#include <time.h>

namespace {

// Linux counts a suspend in CLOCK_BOOTTIME alone; CLOCK_MONOTONIC, behind
// std::chrono::steady_clock, stops while the computer sleeps. A system
// without the first gets the second twice: a sleep then goes uncounted.
#ifdef CLOCK_BOOTTIME
constexpr clockid_t CLOCK_WITH_SLEEP = CLOCK_BOOTTIME;
#else
constexpr clockid_t CLOCK_WITH_SLEEP = CLOCK_MONOTONIC;
#endif

std::int64_t readMs(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

} // namespace

SteadyClocks readSteadyClocks()
{
    return {readMs(CLOCK_WITH_SLEEP), readMs(CLOCK_MONOTONIC)};
}
