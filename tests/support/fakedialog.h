#pragma once

#include "currentdialog.h"
#include "lamps.h"
#include "serialdevice.h"
#include "testdialogbase.h"

#include <cstdio>
#include <functional>
#include <QStringList>

// A dialog without widgets: controls are text slots 1000..1099 addressed by
// identifier, message boxes are recorded, the wall and monotonic clocks are
// counts of milliseconds that every 100 ms pause moves on, and each pump of
// the message queue may act as the operator. It is g_pTestDialog for its
// lifetime. Nothing in it allocates while a run polls.
class FakeDialog : public TestDialogBase {
public:
    FakeDialog() { AssignControlIds(); }

    void setText(int nId, const char* szUtf8)
    {
        std::snprintf(m_text[nId - FIRST_ID], TEXT_SIZE, "%s", szUtf8);
    }
    const char* text(int nId) const { return m_text[nId - FIRST_ID]; }
    void removeControl(int nId) { m_missing[nId - FIRST_ID] = true; }
    void tick(int k, bool ticked) { bPortEnabled[k] = ticked ? 1 : 0; }
    // Puts a fake port in unit k's place.
    void attach(int k, SerialDevice& port) { portSet.setDevice(k, &port); }

    // The boxes shown, in order; the "Error" box's text as "Error: <text>",
    // the unwritten results as "Copyable: <text>", the question about
    // recovered results as "Question: <text>".
    QStringList messages;
    bool answerYes = true;
    int lampSteps = 0;
    int litLamp = -1; // -1: all dark, or never stepped
    int pumps = 0;

    long long nowMs = 1765000000000LL; // the wall clock
    long long bootMs = nowMs;          // the steady clock that counts sleep
    long long awakeMs = 86400000LL;    // the steady clock that stops while the computer sleeps
    bool realClock = false;            // the system's clocks and real sleeps instead
    // How long the operator takes to answer a box.
    long long boxMs = 0;
    // The computer sleeps for ms, or the operator answers a box: the wall
    // clock and the boot clock move on, the awake clock only for an answer.
    void slept(long long ms, bool awake = false)
    {
        nowMs += ms;
        bootMs += ms;
        awakeMs += awake ? ms : 0;
    }
    std::function<void(FakeDialog&)> onPump;
    int runEnds = 0;
    std::function<void(FakeDialog&)> onRunEnded;

    bool ControlText(int nId, QString& text) const override
    {
        if (!exists(nId))
            return false;
        text = QString::fromUtf8(m_text[nId - FIRST_ID]);
        return true;
    }
    void SetControlText(int nId, const char* szText) override
    {
        if (exists(nId))
            setText(nId, szText);
    }
    void StepActivityLights() override
    {
        ++lampSteps;
        litLamp = advanceLampPosition(nLampPos);
    }
    void MessageBoxOk(const char* szText) override
    {
        messages << QString::fromUtf8(szText);
        slept(boxMs, true);
    }
    void ErrorBox(const char* szText) override
    {
        messages << QStringLiteral("Error: ") + QString::fromUtf8(szText);
        slept(boxMs, true);
    }
    void showUnwrittenResults(const char* szText) override
    {
        messages << QStringLiteral("Copyable: ") + QString::fromUtf8(szText);
    }
    bool askToAppendRecoveredResults(const char* szText) override
    {
        messages << QStringLiteral("Question: ") + QString::fromUtf8(szText);
        return answerYes;
    }
    void DispatchPendingMessages() override
    {
        ++pumps;
        if (onPump)
            onPump(*this);
    }
    std::int64_t wallClockMs() override
    {
        return realClock ? TestDialogBase::wallClockMs() : nowMs;
    }
    SteadyClocks steadyClocks() override
    {
        return realClock ? TestDialogBase::steadyClocks() : SteadyClocks{bootMs, awakeMs};
    }
    void Sleep100ms() override
    {
        if (realClock)
            TestDialogBase::Sleep100ms();
        else
            slept(100, true);
    }
    void runEnded() override
    {
        ++runEnds;
        if (onRunEnded)
            onRunEnded(*this);
    }

private:
    static constexpr int FIRST_ID = 1000;
    static constexpr int ID_COUNT = 100;
    static constexpr int TEXT_SIZE = 1024;
    bool exists(int nId) const
    {
        return nId >= FIRST_ID && nId < FIRST_ID + ID_COUNT && !m_missing[nId - FIRST_ID];
    }
    CurrentDialog m_current{this};
    bool m_missing[ID_COUNT] = {};
    char m_text[ID_COUNT][TEXT_SIZE] = {};
};
