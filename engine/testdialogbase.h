#pragma once

#include "portset.h"
#include "recoveryfile.h"
#include "systemclocks.h"
#include "units.h"

#include <cstdint>
#include <ctime>
#include <QString>

// The test state and everything the engine needs from the dialog that owns
// it. The engine never sees a widget: it goes through this class, which the
// real dialog implements with Qt Widgets and the tests with a fake, so that a
// whole run can be driven with a fake clock and fake receivers.
class TestDialogBase {
public:
    TestDialogBase();
    virtual ~TestDialogBase();
    TestDialogBase(const TestDialogBase&) = delete;
    TestDialogBase& operator=(const TestDialogBase&) = delete;

    // Test state. 1 = the operator asked to cancel the run in progress.
    std::int32_t bCancel = 0;
    // Element k mirrors the check box of COMk+1: 0 unticked, 1 ticked.
    std::int32_t bPortEnabled[UNIT_COUNT] = {};
    // 0 = no lamp lit; 1..4 = the lamp the next step lights.
    std::int32_t nLampPos = 0;
    UnitInfo units[UNIT_COUNT];
    // The system's text for the last failed port operation, for ShowLastError.
    char szLastError[512] = {};
    // The units' serial ports, which only the engine drives; start-up tells
    // them where they lead and whether to trace, tests put fakes in them.
    PortSet portSet;

    // Gives every unit the identifiers of its row of controls.
    void AssignControlIds();
    // Clears the results of all four units and blanks their displays.
    void ResetUnits();

    // The text of a unit's list or edit box as UTF-8 in buf (capacity cap,
    // terminator included), cut at the last whole character that fits. False
    // when no such control has this identifier; buf is then empty.
    bool GetControlText(int nId, char* buf, int cap) const;

    // --- What the dialog provides ---

    // The engine reads the units' lists and edit boxes and writes their
    // status displays, and touches no other control.
    // The text of a unit's edit box, or the selected item's text of its list.
    // False when no list or edit box has this identifier.
    virtual bool ControlText(int nId, QString& text) const = 0;
    // Shows szText in a unit's status display (start time, last response,
    // endurance); an identifier that names no display is ignored.
    virtual void SetControlText(int nId, const char* szText) = 0;
    // One step of the activity lamps, driven by nLampPos.
    virtual void StepActivityLights() = 0;
    // A modal box with an OK button and the exclamation icon, captioned with
    // the application's name. Returns when the operator has closed it.
    virtual void MessageBoxOk(const char* szText) = 0;
    // The "Error" box of ShowLastError: information icon, no owner window.
    virtual void ErrorBox(const char* szText) = 0;
    // Like MessageBoxOk, for results that could not be written: the operator
    // can select and copy the text, which holds the lines themselves.
    virtual void showUnwrittenResults(const char* szText) = 0;
    // Yes and No with the question icon, asking whether to append results
    // kept from a test that did not end. True for Yes.
    virtual bool askToAppendRecoveredResults(const char* szText) = 0;

    // --- The message queue and the clocks; the defaults are the real ones ---

    // Handles every pending event of the thread, then returns.
    virtual void DispatchPendingMessages();
    // Milliseconds since the epoch by the wall clock, which the operator or
    // time synchronisation may set at any moment.
    virtual std::int64_t wallClockMs();
    // The clocks that never step, one of them counting the time the computer
    // sleeps: only their differences count.
    virtual SteadyClocks steadyClocks();
    // The run's pause between two looks at the clock.
    virtual void Sleep100ms();

    // --- The run's life cycle ---

    // The run is over: its ports are closed and its finished units logged
    // (or, cancelled, dropped). Comes once per run, before the box that
    // reports the end, which may wait for hours. The default does nothing.
    virtual void runEnded();

    // --- The end of the program, asked for by the system ---

    // Set by endRunNow (run.h), through which the system ends the program:
    // from then on no box is shown and a run under way stops polling.
    void requestEnd() { m_endRequested = true; }
    bool isEndRequested() const { return m_endRequested; }

    // The run's lines kept for a crash, until it has settled them.
    RecoveryFile& recoveryFile() { return m_recovery; }

private:
    bool m_endRequested = false;
    RecoveryFile m_recovery;
};

// The one dialog, set by start-up before the dialog is shown.
extern TestDialogBase* g_pTestDialog;
