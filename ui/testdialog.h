#pragma once

#include "dialogcontrols.h"
#include "sleepinhibitor.h"
#include "testdialogbase.h"

#include <optional>
#include <QDialog>
#include <QIcon>
#include <QPixmap>
#include <QTimer>

// The main window. It owns the test state of TestDialogBase and gives the
// engine its controls, lamps and message boxes. "Start Test" runs a whole
// test inside its handler; every other handler prepares a run, asks for its
// cancellation, or leaves the program. The window closes only when the
// operator confirms the exit: Esc and the close box ask to cancel a run.
class TestDialog : public QDialog, public TestDialogBase {
    Q_OBJECT

public:
    explicit TestDialog(QWidget* parent = nullptr);
    ~TestDialog() override;

    // The controls, typed and by identifier.
    const DialogControls& controls() const { return m_controls; }

    // TestDialogBase
    bool ControlText(int nId, QString& text) const override;
    void SetControlText(int nId, const char* szText) override;
    void StepActivityLights() override;
    void MessageBoxOk(const char* szText) override;
    void ErrorBox(const char* szText) override;
    void showUnwrittenResults(const char* szText) override;
    bool askToAppendRecoveredResults(const char* szText) override;
    void Sleep100ms() override;
    void runEnded() override;

    // The system ends the program now: a signal, the session manager's
    // "die", the quit command, the end of the Windows session. Safe from
    // inside any box or the run's message pumping, and more than once. When
    // it returns, BATTERY.TXT holds the lines of the units that had finished
    // (endRunNow), no box waits and none will open; the dialog ends at once,
    // or as soon as the run under way has returned, if the system lets it.
    void endProgram();

protected:
    // Esc: the cancel command, never the end of the dialog.
    void reject() override;
    // The close box: as Esc.
    void closeEvent(QCloseEvent* event) override;
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    // The dialog's handlers, named as in the rest of the engine's interface
    // (see docs/DESIGN.md); only the dialog itself calls them.
    void FillChoiceLists();
    void LoadLampImages();
    // Enables or disables unit k's row, its label and its three displays.
    // A disabled control keeps its text and its selection.
    void EnableUnitControls(int k, bool enable);
    void DisableAllUnits();
    void PortCheckChanged(int k);
    void StartTest();
    void CancelTest();
    void ConfirmExit();
    void ShowAboutBox();
    // A tick of the pause timer.
    void endPause();

    void initDialog();
    void addToolTips();
    void connectCommands();

    DialogControls m_controls;
    // True from the start of RunEnduranceTest until it has returned.
    bool m_running = false;
    // Held from the first poll until the ports are closed: the box that
    // reports the end of a run may wait for the operator all night. A test
    // is under way while it is held.
    std::optional<SleepInhibitor> m_keepAwake;
    // The operator confirmed the exit while a run was still ending.
    bool m_exitWhenRunEnds = false;
    // The run's pauses, spent handling events rather than asleep: they end
    // on the ticks of one timer, which keeps going while pauses follow one
    // another, so that a pause costs neither a timer of its own nor a nested
    // event loop, and stops at the first tick that no pause is waiting for.
    QTimer m_pauseTimer;
    bool m_pauseOver = true;

    // Lamp pictures, lit and dark.
    QPixmap bmpGreen;
    QPixmap bmpGray;
    // The application icon, for the window and the task bar.
    QIcon hIcon;
};
