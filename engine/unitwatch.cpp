#include "unitwatch.h"

#include "logformat.h"
#include "testdialogbase.h"
#include "timetext.h"

#include <cstdio>

void UnitWatch::read(bool answered, std::time_t t, const RunClock& clock)
{
    if (answered) {
        m_silent = false;
        m_sleepsAtAnswer = m_sleepsAtQuery;
        return;
    }
    if (m_silent)
        return;
    m_silent = true;
    m_silentSince = t;
    m_fellSilentAsleep = clock.sleeps() > m_sleepsAtAnswer;
    m_sleep = clock.lastSleep();
}

bool noteSilencesAsleep(const UnitWatch (&watches)[UNIT_COUNT], char* buf, int size)
{
    int n = std::snprintf(buf, static_cast<std::size_t>(size),
                          "The computer slept during this test, and these units fell silent "
                          "while it slept: their batteries gave out somewhere in that time, so "
                          "their endurance may be up to that much shorter than logged.\n");
    bool any = false;
    for (int k = 0; k < UNIT_COUNT; ++k) {
        const UnitWatch& watch = watches[k];
        if (!g_pTestDialog->units[k].bDone || !watch.fellSilentAsleep() || n >= size)
            continue;
        char from[CTIME_SIZE];
        char to[CTIME_SIZE];
        formatCtime(watch.sleep().from, from);
        formatCtime(watch.sleep().to, to);
        n += std::snprintf(buf + n, static_cast<std::size_t>(size - n),
                           "\n%s%d: asleep from %.*s to %.*s", LOG_PORT_PREFIX, k + 1,
                           LOG_TIME_WIDTH, from, LOG_TIME_WIDTH, to);
        any = true;
    }
    if (!any)
        buf[0] = '\0';
    return any;
}
