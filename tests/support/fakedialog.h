#pragma once

#include "currentdialog.h"
#include "testdialogbase.h"

#include <functional>
#include <QStringList>

class FakePort;

// A dialog without widgets: controls are text slots 1000..1099 addressed by
// identifier, message boxes are recorded, the wall and monotonic clocks are
// counts of milliseconds that every 100 ms pause moves on, and each pump of
// the message queue may act as the operator. It is g_pTestDialog for its
// lifetime. Nothing in it allocates while a run polls.
class FakeDialog : public TestDialogBase {
public:
    FakeDialog();
    ~FakeDialog() override;

    void setText(int nId, const char* szUtf8);
    const char* text(int nId) const;
    void removeControl(int nId) { m_exists[nId - FIRST_ID] = false; }
    void tick(int k, bool ticked) { bPortEnabled[k] = ticked ? 1 : 0; }
    // Puts a fake port in unit k's place.
    void attach(int k, FakePort& port);

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
    // The computer sleeps for ms: the wall clock and the boot clock move on.
    void slept(long long ms)
    {
        nowMs += ms;
        bootMs += ms;
    }
    void answered()
    {
        nowMs += boxMs;
        bootMs += boxMs;
        awakeMs += boxMs;
    }
    std::function<void(FakeDialog&)> onPump;
    int runEnds = 0;
    std::function<void(FakeDialog&)> onRunEnded;

    bool ControlText(int nId, QString& text) const override;
    void SetControlText(int nId, const char* szText) override;
    void StepActivityLights() override;
    // How long the operator takes to answer a box.
    long long boxMs = 0;
    void MessageBoxOk(const char* szText) override
    {
        messages << QString::fromUtf8(szText);
        answered();
    }
    void ErrorBox(const char* szText) override
    {
        messages << QStringLiteral("Error: ") + QString::fromUtf8(szText);
        answered();
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
    void DispatchPendingMessages() override;
    std::int64_t wallClockMs() override;
    SteadyClocks steadyClocks() override;
    void Sleep100ms() override;
    void runEnded() override
    {
        ++runEnds;
        if (onRunEnded)
            onRunEnded(*this);
    }

private:
    CurrentDialog m_current;
    static constexpr int FIRST_ID = 1000;
    static constexpr int ID_COUNT = 100;
    static constexpr int TEXT_SIZE = 1024;
    bool m_exists[ID_COUNT];
    char m_text[ID_COUNT][TEXT_SIZE];
};
