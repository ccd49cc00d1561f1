// TestDialog's handlers: what the operator's commands and the system's
// requests do. Those that can come while a run is under way run nested
// inside StartTest; docs/DESIGN.md lists them and what each may change. The
// window and its controls are set up in testdialog.cpp.
#include "testdialog.h"

#include "aboutdialog.h"
#include "controlids.h"
#include "freememory.h"
#include "messageboxes.h"
#include "run.h"
#include "runkeyfilter.h"
#include "systemmenu.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QPushButton>

void TestDialog::PortCheckChanged(int k)
{
    bPortEnabled[k] = m_controls.portChecks[k]->isChecked() ? 1 : 0;
    EnableUnitControls(k, bPortEnabled[k] != 0);
}

void TestDialog::StartTest()
{
    int nEnabled = 0;
    for (std::int32_t enabled : bPortEnabled)
        nEnabled += enabled;
    if (nEnabled == 0) {
        MessageBoxOk("Please select a com port before testing.");
        return;
    }
    bCancel = 0;
    m_controls.cancel->setEnabled(true);
    m_controls.startTest->setEnabled(false);
    m_controls.ok->setEnabled(false);
    MessageBoxOk("If you are testing a Magellan, please set the baud rate to 4800 and message "
                 "type to NEMA V2.x");
    MessageBoxOk("If you are testing a Garmin, please set the Interface I/O type to Garmin");
    if (!isEndRequested()) {
        // A test runs for hours: no key may cancel it or end the program
        // while it does, only the Cancel button and the close box.
        const RunKeyFilter keyFilter(this);
        // Nor may the computer go to sleep while it does.
        m_keepAwake.emplace(winId());
        releaseFreedMemory();
        m_running = true;
        // Released when the run reports its end (runEnded).
        RunEnduranceTest();
        m_running = false;
    }
    m_controls.cancel->setEnabled(false);
    m_controls.startTest->setEnabled(true);
    m_controls.ok->setEnabled(true);
    if (m_exitWhenRunEnds || isEndRequested())
        done(Accepted);
}

void TestDialog::CancelTest()
{
    bCancel = 1;
    m_controls.ok->setEnabled(true);
}

void TestDialog::ConfirmExit()
{
    if (!askYesNo(this, QStringLiteral("Are you sure you want to exit?")))
        return;
    if (m_running) {
        // The run is still ending inside this very handler's caller; the
        // dialog must outlive it, so it only disappears for now.
        m_exitWhenRunEnds = true;
        hide();
        return;
    }
    done(Accepted);
}

void TestDialog::ShowAboutBox()
{
    AboutDialog about(this);
    about.setWindowModality(Qt::WindowModal);
    about.exec();
}

void TestDialog::endProgram()
{
    endRunNow();
    // Closed, a box lets the run or the start-up waiting on it go on to its end.
    closeOpenBoxes(this);
    // A run under way ends the dialog itself once it has returned.
    if (!m_running)
        done(Accepted);
}

void TestDialog::reject()
{
    CancelTest();
}

void TestDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
    CancelTest();
}

bool TestDialog::nativeEvent(const QByteArray& eventType, void* message, qintptr* result)
{
    if (isAboutMenuCommand(eventType, message)) {
        ShowAboutBox();
        *result = 0;
        return true;
    }
    return QDialog::nativeEvent(eventType, message, result);
}
