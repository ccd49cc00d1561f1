#include "runclock.h"

#include "testdialogbase.h"
#include "timetext.h"
#include "traffictrace.h"

namespace {

// How much more the clock that counts sleep must have moved on than the one
// that stops in it before the difference is a sleep. While the computer is
// awake both move with the same tick and the two are read a moment apart:
// they differ by a clock tick at most (about 16 ms on Windows, microseconds
// on Linux), or a little more when the thread is held up between the two
// reads. A second is far above that, and below any sleep a computer really
// takes; a shorter one could not move a time the run shows by more than
// every reading's own second anyway.
constexpr std::int64_t SLEEP_MS = 1000;

} // namespace

RunClock::RunClock(TestDialogBase& dialog)
    : m_dialog(dialog), m_wallMsAtStart(dialog.wallClockMs()), m_atStart(dialog.steadyClocks()),
      m_lastReading(m_atStart), m_lastTime(wholeSeconds(m_wallMsAtStart))
{
}

std::time_t RunClock::now()
{
    const SteadyClocks reading = m_dialog.steadyClocks();
    const std::time_t time =
        wholeSeconds(m_wallMsAtStart + (reading.withSleepMs - m_atStart.withSleepMs));
    const std::int64_t slept = (reading.withSleepMs - m_lastReading.withSleepMs) -
                               (reading.awakeMs - m_lastReading.awakeMs);
    if (slept >= SLEEP_MS) {
        ++m_sleeps;
        m_lastSleep = {m_lastTime, time};
        noteSleep();
    }
    m_lastReading = reading;
    m_lastTime = time;
    return time;
}

void RunClock::noteSleep()
{
    TrafficTrace* trace = m_dialog.portSet.trace();
    if (!trace)
        return;
    char from[CTIME_SIZE];
    char to[CTIME_SIZE];
    formatCtime(m_lastSleep.from, from);
    formatCtime(m_lastSleep.to, to);
    trace->note(TRACE_NO_PORT, "the computer slept from %s to %s", from, to);
}
