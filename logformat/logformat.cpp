#include "logformat.h"

#include <cstdio>

void formatLogTime(const std::tm* local, char* buf)
{
    if (local == nullptr) {
        std::snprintf(buf, LOG_TIME_WIDTH + 1, "%*s", LOG_TIME_WIDTH, "");
        return;
    }
    // Out-of-range parts are clamped, so that the text always has its width.
    const int day = local->tm_wday >= 0 && local->tm_wday < 7 ? local->tm_wday : 0;
    const int month = local->tm_mon >= 0 && local->tm_mon < 12 ? local->tm_mon : 0;
    long year = 1900L + local->tm_year;
    if (year > 9999)
        year = 9999;
    if (year < 0)
        year = 0;
    // The layout, LOG_TIME_LAYOUT.
    std::snprintf(buf, LOG_TIME_WIDTH + 1, "%s %s %02d %02d:%02d:%02d %04ld", DAY_NAMES[day],
                  MONTH_NAMES[month], local->tm_mday, local->tm_hour, local->tm_min, local->tm_sec,
                  year);
}

void formatEndurance(int seconds, char* buf, int size)
{
    const int hours = seconds / 3600;
    const int rest = seconds - hours * 3600;
    const int minutes = rest / 60;
    const int secs = rest - minutes * 60;
    std::snprintf(buf, static_cast<std::size_t>(size), "%02d%c%02d%c%02d", hours,
                  ENDURANCE_SEPARATOR, minutes, ENDURANCE_SEPARATOR, secs);
}
