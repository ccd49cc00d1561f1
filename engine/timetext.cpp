#include "timetext.h"

#include <cstdio>

namespace {

const char* const DAY_NAMES[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const MONTH_NAMES[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The reentrant conversion: besides being safe, glibc's plain localtime()
// re-reads the time zone and allocates on every call when TZ is unset, and
// the run formats a time in every poll cycle.
const std::tm* ToLocalTime(std::time_t t, std::tm& parts)
{
#ifdef _WIN32
    return localtime_s(&parts, &t) == 0 ? &parts : nullptr;
#else
    return localtime_r(&t, &parts);
#endif
}

} // namespace

void FormatCtime(std::time_t t, char* buf)
{
    // glibc's ctime pads the day with a blank; the displays and the log want
    // a leading zero, and English names in every locale, so build it here.
    std::tm parts{};
    const std::tm* local = ToLocalTime(t, parts);
    if (local == nullptr) {
        std::snprintf(buf, CTIME_SIZE, "%-24s\n", "");
        return;
    }
    const int day = local->tm_wday >= 0 && local->tm_wday < 7 ? local->tm_wday : 0;
    const int month = local->tm_mon >= 0 && local->tm_mon < 12 ? local->tm_mon : 0;
    // The year is clamped to four digits so the text always has its width.
    long year = 1900L + local->tm_year;
    if (year > 9999)
        year = 9999;
    if (year < 0)
        year = 0;
    std::snprintf(buf, CTIME_SIZE, "%s %s %02d %02d:%02d:%02d %04ld\n", DAY_NAMES[day],
                  MONTH_NAMES[month], local->tm_mday, local->tm_hour, local->tm_min, local->tm_sec,
                  year);
}

void FormatEndurance(int seconds, char* buf, int size)
{
    const int hours = seconds / 3600;
    const int rest = seconds - hours * 3600;
    const int minutes = rest / 60;
    const int secs = rest - minutes * 60;
    std::snprintf(buf, static_cast<std::size_t>(size), "%02d:%02d:%02d", hours, minutes, secs);
}
