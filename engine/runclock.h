#pragma once

#include <cstdint>

class TestDialogBase;

// The seconds of a run. They start as the wall clock's seconds when the run
// starts and from then on follow the monotonic clock, so the wait between
// query and read and the endurance come out to the second as the wall clock
// would give them, and stay right when the wall clock is set during the run,
// by the operator or by time synchronisation.
class RunClock {
public:
    explicit RunClock(TestDialogBase& dialog);

    std::int64_t seconds() const;

private:
    TestDialogBase& m_dialog;
    std::int64_t m_wallMsAtStart;
    std::int64_t m_monotonicMsAtStart;
};
