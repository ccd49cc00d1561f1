#pragma once

#include <cstdint>
#include <ctime>

// Size of a buffer for FormatCtime: 24 characters, newline, terminator.
constexpr int CTIME_SIZE = 26;

// The time in local time as "Www Mmm DD hh:mm:ss YYYY\n": English day and
// month names whatever the locale, the day of the month with a leading zero.
// The displays show the whole text; the result log keeps the first 24
// characters. buf must hold CTIME_SIZE bytes.
void FormatCtime(std::time_t t, char* buf);

// Hours, minutes and seconds of a whole number of seconds as "%02d:%02d:%02d".
// Hours are not wrapped at 24; a negative count gives negative fields, as
// truncating division does (-5 gives "00:00:-5"). buf must hold 20 bytes.
void FormatEndurance(int seconds, char* buf, int size);

// The whole seconds of a count of milliseconds, rounded down as time() counts
// them, before 1970 too.
inline std::int64_t wholeSeconds(std::int64_t ms)
{
    return ms >= 0 ? ms / 1000 : -((999 - ms) / 1000);
}
