#pragma once

#include "logformat.h"

#include <cstdint>
#include <ctime>

// Size of a buffer for formatCtime: the time and the terminator.
constexpr int CTIME_SIZE = LOG_TIME_WIDTH + 1;
// Size of a buffer for formatCtimeLine: the time, a newline and the terminator.
constexpr int CTIME_LINE_SIZE = LOG_TIME_WIDTH + 2;

// The time in local time as the result log writes it (LOG_TIME_LAYOUT).
// buf must hold CTIME_SIZE bytes.
void formatCtime(std::time_t t, char* buf);
// The same followed by a newline, as ctime() ends its text: what the time
// displays show. buf must hold CTIME_LINE_SIZE bytes.
void formatCtimeLine(std::time_t t, char* buf);

// The whole seconds of a count of milliseconds, rounded down as time() counts
// them, before 1970 too.
inline std::int64_t wholeSeconds(std::int64_t ms)
{
    return ms >= 0 ? ms / 1000 : -((999 - ms) / 1000);
}
