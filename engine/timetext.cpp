#include "timetext.h"

namespace {

// The reentrant conversion: besides being safe, glibc's plain localtime()
// re-reads the time zone and allocates on every call when TZ is unset, and
// the run formats a time in every poll cycle.
const std::tm* toLocalTime(std::time_t t, std::tm& parts)
{
#ifdef _WIN32
    return localtime_s(&parts, &t) == 0 ? &parts : nullptr;
#else
    return localtime_r(&t, &parts);
#endif
}

} // namespace

void formatCtime(std::time_t t, char* buf)
{
    // glibc's ctime pads the day with a blank; the displays and the log want
    // a leading zero, and English names in every locale.
    std::tm parts{};
    formatLogTime(toLocalTime(t, parts), buf);
    buf[LOG_TIME_WIDTH] = '\0';
}

void formatCtimeLine(std::time_t t, char* buf)
{
    formatCtime(t, buf);
    buf[LOG_TIME_WIDTH] = '\n';
    buf[LOG_TIME_WIDTH + 1] = '\0';
}
