#pragma once

#include "currentdialog.h"
#include "fakeport.h"
#include "testdialog.h"

#include <cstdint>
#include <functional>

// The real dialog with scripted receivers and a clock that each event pump
// moves on by 100 ms, so that a run's waits pass at once. Events are still
// dispatched for real; onPump then acts as the operator mid-run.
struct ScriptedDialog : TestDialog {
    ScriptedDialog()
    {
        for (int k = 0; k < UNIT_COUNT; ++k)
            portSet.setDevice(k, &ports[k]);
    }
    void DispatchPendingMessages() override
    {
        TestDialogBase::DispatchPendingMessages();
        onPump(++pumps);
    }
    std::int64_t wallClockMs() override { return pumps * 100LL; }
    SteadyClocks steadyClocks() override { return {pumps * 100LL, pumps * 100LL}; }
    void Sleep100ms() override {}

    CurrentDialog current{this};
    FakePort ports[UNIT_COUNT];
    int pumps = 0;
    std::function<void(int)> onPump = [](int) {};
};
