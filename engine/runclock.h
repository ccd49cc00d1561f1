#pragma once

#include "systemclocks.h"

#include <cstdint>
#include <ctime>

class TestDialogBase;

// A span of the run's time, in whole seconds since the epoch.
struct RunSpan {
    std::time_t from = 0;
    std::time_t to = 0;
};

// The time of a run, in whole seconds since the epoch. It starts as the wall
// clock's time when the run starts and from then on follows the clock that
// runs on while the computer sleeps, so that the endurance counts a night
// with the lid closed, when the receivers ran on their batteries all the
// same, and stays right when the wall clock is set during the run (by the
// operator or time synchronisation). The times a run shows and logs are
// this clock's, so that an endurance is always its last response minus its
// start.
class RunClock {
public:
    explicit RunClock(TestDialogBase& dialog);

    // The time now. Each reading also finds out whether the computer slept
    // since the one before; the trace, when one is kept, says when.
    std::time_t now();
    // How many sleeps the readings have found, and the latest.
    int sleeps() const { return m_sleeps; }
    const RunSpan& lastSleep() const { return m_lastSleep; }

private:
    void noteSleep();

    TestDialogBase& m_dialog;
    const std::int64_t m_wallMsAtStart;
    const SteadyClocks m_atStart;
    SteadyClocks m_lastReading;
    std::time_t m_lastTime;
    int m_sleeps = 0;
    RunSpan m_lastSleep;
};
