#include "unitwatch.h"

#include "logformat.h"
#include "testdialogbase.h"
#include "timetext.h"

#include <cstdio>

namespace {

// How long a silence must last before it is taken for the batteries' end:
// four more reads at the usual pace. The slowest answer on record, a
// Magellan GPS 315's to its version query, takes up to six seconds, and
// receivers that only talk in bursts a few seconds apart leave reads
// between them empty.
constexpr std::time_t CONFIRMING_SECONDS = 8;

} // namespace

void UnitWatch::read(bool answered, std::time_t t, const RunClock& clock, long cycle)
{
    // The silence must go on while the unit is polled and the computer
    // awake: a port left unticked for a while, or a sleep, in which the
    // adapter loses what comes, starts its count again.
    const bool unbroken = m_lastReadCycle == cycle - 1 && m_sleepsAtLastRead == clock.sleeps();
    m_lastReadCycle = cycle;
    m_sleepsAtLastRead = clock.sleeps();
    if (answered) {
        m_silent = false;
        m_sleepsAtAnswer = m_sleepsAtQuery;
        return;
    }
    if (!m_silent) {
        m_silent = true;
        m_silentSince = m_silentUnbrokenSince = t;
        m_fellSilentAsleep = clock.sleeps() > m_sleepsAtAnswer;
        m_sleep = clock.lastSleep();
    } else if (!unbroken) {
        m_silentUnbrokenSince = t;
    }
    m_confirmed = t - m_silentUnbrokenSince >= CONFIRMING_SECONDS;
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
                           "\n%s%d: asleep from %s to %s", LOG_PORT_PREFIX, k + 1, from, to);
        any = true;
    }
    if (!any)
        buf[0] = '\0';
    return any;
}
