#pragma once

#include "runclock.h"
#include "units.h"

#include <ctime>

// What a run knows of one unit besides its record: whether it is silent,
// and since when; whether that silence has lasted long enough to be its
// batteries' end rather than a slow answer; and whether it began while the
// computer slept. Its batteries then gave out somewhere in that sleep, which
// the endurance, measured to the first read after it, cannot tell.
class UnitWatch {
public:
    // Its query went out.
    void queried(const RunClock& clock) { m_sleepsAtQuery = clock.sleeps(); }
    // Its read at t, in the run's cycle number `cycle`, brought bytes or
    // found it silent.
    void read(bool answered, std::time_t t, const RunClock& clock, long cycle);

    // Its silence has lasted long enough: the unit is finished. Until then a
    // silent unit counts as live: it is queried, read and shown as live.
    bool confirmed() const { return m_confirmed; }
    // Silent, and not yet for long enough.
    bool confirming() const { return m_silent && !m_confirmed; }
    // The first read of its silence: its last-response time.
    std::time_t silentSince() const { return m_silentSince; }
    bool fellSilentAsleep() const { return m_fellSilentAsleep; }
    const RunSpan& sleep() const { return m_sleep; }

private:
    bool m_silent = false;
    bool m_confirmed = false;
    std::time_t m_silentSince = 0;
    // Since when it has been silent at every read, with no sleep and no
    // cycle left out in between.
    std::time_t m_silentUnbrokenSince = 0;
    long m_lastReadCycle = -1;
    int m_sleepsAtLastRead = 0;
    // The sleeps found when the query went out that its last answer came
    // after: bytes read just after a sleep may have come before it.
    int m_sleepsAtQuery = 0;
    int m_sleepsAtAnswer = 0;
    bool m_fellSilentAsleep = false;
    RunSpan m_sleep;
};

// After a completed run: the note that names the finished units whose
// silence began while the computer slept, and when it slept, in buf. False,
// with buf empty, when there are none.
bool noteSilencesAsleep(const UnitWatch (&watches)[UNIT_COUNT], char* buf, int size);
