// TestDialog's implementation of TestDialogBase, the engine's interface to
// its dialog (engine/testdialogbase.h): the controls' texts, the lamps, the
// message boxes and the pause between two looks at the clock. The rest of
// TestDialog, its window and its handlers, is in testdialog.cpp.
#include "testdialog.h"

#include "lamps.h"
#include "lampwidget.h"
#include "messageboxes.h"
#include "statusdisplay.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>

bool TestDialog::ControlText(int nId, QString& text) const
{
    QWidget* control = m_controls.byId(nId);
    if (const auto* list = qobject_cast<const QComboBox*>(control))
        text = list->currentText();
    else if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        text = edit->text();
    else
        return false;
    return true;
}

void TestDialog::SetControlText(int nId, const char* szText)
{
    if (auto* display = qobject_cast<StatusDisplay*>(m_controls.byId(nId)))
        display->setText(QString::fromUtf8(szText));
}

void TestDialog::StepActivityLights()
{
    const int lit = advanceLampPosition(nLampPos);
    for (int i = 0; i < LAMP_COUNT; ++i)
        m_controls.lamps[i]->setImage(i == lit ? &bmpGreen : &bmpGray);
}

// Once the system has asked the program to end, no box may hold it up.
void TestDialog::MessageBoxOk(const char* szText)
{
    if (!isEndRequested())
        showOkBox(this, QString::fromUtf8(szText));
}

void TestDialog::runEnded()
{
    // The computer may sleep again, and the session end, while the box that
    // reports the end waits for the operator.
    m_keepAwake.reset();
    // The operator, hours later, may be working in another window: the task
    // bar entry flashes (the urgency hint under X) until the dialog is seen.
    if (!isEndRequested())
        QApplication::alert(this);
}

void TestDialog::ErrorBox(const char* szText)
{
    if (!isEndRequested())
        showErrorBox(QString::fromUtf8(szText));
}

void TestDialog::showUnwrittenResults(const char* szText)
{
    if (!isEndRequested())
        showUnwrittenResultsBox(this, QString::fromUtf8(szText));
}

bool TestDialog::askToAppendRecoveredResults(const char* szText)
{
    return !isEndRequested() && askToAppendRecovered(this, QString::fromUtf8(szText));
}

void TestDialog::Sleep100ms()
{
    // Asleep, the program would answer neither the operator nor assistive
    // technology for a tenth of a second at a time: a screen reader asking
    // for the window's contents would take a whole pause per question. The
    // pause lasts as long, but events that arrive are handled at once.
    m_pauseOver = false;
    if (!m_pauseTimer.isActive())
        m_pauseTimer.start();
    while (!m_pauseOver)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void TestDialog::endPause()
{
    // A tick that no pause waits for: the run is elsewhere (a box, its end).
    if (m_pauseOver)
        m_pauseTimer.stop();
    m_pauseOver = true;
}
