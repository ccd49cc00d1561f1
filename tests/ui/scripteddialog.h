#pragma once

#include "fakeport.h"
#include "testdialog.h"

#include <functional>
#include <QThread>

// The real dialog with scripted receivers and a clock that each 100 ms
// pause moves on at once, so a run of many cycles takes moments. Events are
// still dispatched for real; onPump then acts as the operator mid-run.
class ScriptedDialog : public TestDialog {
public:
    ScriptedDialog() { g_pTestDialog = this; }
    ~ScriptedDialog() override { g_pTestDialog = nullptr; }

    FakePort ports[UNIT_COUNT];
    long long nowMs = 1765000000000LL;
    int nPumps = 0;
    std::function<void()> onPump;

    void DispatchPendingMessages() override
    {
        TestDialogBase::DispatchPendingMessages();
        ++nPumps;
        if (onPump)
            onPump();
    }
    std::time_t CurrentTime() override { return static_cast<std::time_t>(nowMs / 1000); }
    void Sleep100ms() override
    {
        nowMs += 100;
        // A moment of real time, so that timers of the test come due.
        QThread::msleep(1);
    }
    SerialDevice& CommDevice(int k) override { return ports[k]; }
};
