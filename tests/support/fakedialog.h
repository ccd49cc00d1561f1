#pragma once

#include "testdialogbase.h"

#include <functional>
#include <string>
#include <vector>

class FakePort;

// A dialog without widgets: controls are text slots addressed by identifier,
// message boxes are recorded, the clock is a number of milliseconds that
// every 100 ms sleep moves on, and each pump of the message queue may act as
// the operator. It sets g_pTestDialog to itself for its lifetime. Nothing in
// it allocates while a run polls, so runs can be checked for allocations.
class FakeDialog : public TestDialogBase {
public:
    // Control ids 1000..1099 exist, with empty texts, except those removed.
    FakeDialog();
    ~FakeDialog() override;

    struct Box {
        bool bError = false; // the "Error" box rather than an OK box
        std::string text;
        long long atMs = 0;
    };

    // The operator's side.
    void SetText(int nId, const char* szUtf8);
    const char* Text(int nId) const;
    void RemoveControl(int nId);
    void Tick(int k, bool ticked) { bPortEnabled[k] = ticked ? 1 : 0; }

    // What the run left.
    std::vector<Box> boxes;
    std::vector<std::string> Messages() const;
    int nLampSteps = 0;
    int nLitLamp = -1; // -1 all dark (or never stepped)
    int nPumps = 0;

    // Time: milliseconds since the epoch. CurrentTime() is nowMs / 1000.
    long long nowMs = 1765000000000LL;
    // Use the system's clock and a real 100 ms sleep instead.
    bool bRealClock = false;
    // Called at every pump; acts as the operator.
    std::function<void(FakeDialog&)> onPump;
    // Called when a box opens, before it is recorded as closed.
    std::function<void(FakeDialog&, const Box&)> onBox;
    // The port of unit k; nullptr uses the system's port.
    SerialDevice* devices[UNIT_COUNT] = {};
    // Gives unit k a fake port that reads this dialog's clock.
    void Attach(int k, FakePort& port);

    bool ControlText(int nId, QString& text) const override;
    void SetControlText(int nId, const char* szText) override;
    void StepActivityLights() override;
    void MessageBoxOk(const char* szText) override;
    void ErrorBox(const char* szText) override;
    void DispatchPendingMessages() override;
    std::time_t CurrentTime() override;
    void Sleep100ms() override;
    SerialDevice& CommDevice(int k) override;

private:
    static constexpr int FIRST_ID = 1000;
    static constexpr int ID_COUNT = 100;
    static constexpr int TEXT_SIZE = 1024;
    bool m_exists[ID_COUNT];
    char m_text[ID_COUNT][TEXT_SIZE];
    void Record(bool bError, const char* szText);
};
