// TestDialog's implementation of TestDialogBase, the engine's interface to
// its dialog (engine/testdialogbase.h): the controls' texts, the lamps, the
// message boxes and the pause between two looks at the clock. The rest of
// TestDialog, its window and its handlers, is in testdialog.cpp.
#include "testdialog.h"

#include "controlids.h"
#include "lamps.h"
#include "lampwidget.h"
#include "messageboxes.h"
#include "statusdisplay.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

bool TestDialog::ControlText(int nId, QString& text) const
{
    const QWidget* control = Control(nId);
    if (!control)
        return false;
    if (const auto* list = qobject_cast<const QComboBox*>(control))
        text = list->currentText();
    else if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        text = edit->text();
    else if (const auto* label = qobject_cast<const QLabel*>(control))
        text = label->text();
    else if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        text = button->text();
    else if (const auto* frame = qobject_cast<const QGroupBox*>(control))
        text = frame->title();
    else
        text.clear();
    return true;
}

void TestDialog::SetControlText(int nId, const char* szText)
{
    QWidget* control = Control(nId);
    if (auto* display = qobject_cast<StatusDisplay*>(control)) {
        display->setUtf8Text(szText);
        return;
    }
    const QString text = QString::fromUtf8(szText);
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* frame = qobject_cast<QGroupBox*>(control))
        frame->setTitle(text);
    else if (auto* list = qobject_cast<QComboBox*>(control)) {
        // A selection-only list takes a text by selecting the item that
        // bears it, if there is one.
        const int index = list->findText(text, Qt::MatchFixedString);
        if (index >= 0)
            list->setCurrentIndex(index);
    }
}

void TestDialog::StepActivityLights()
{
    const int lit = advanceLampPosition(nLampPos);
    for (int i = 0; i < LAMP_COUNT; ++i) {
        if (auto* lamp = qobject_cast<LampWidget*>(Control(IDC_LAMP_BASE + i)))
            lamp->SetImage(i == lit ? &bmpGreen : &bmpGray);
    }
}

// Once the system has asked the program to end, no box may hold it up.
void TestDialog::MessageBoxOk(const char* szText)
{
    if (!isEndRequested())
        ShowOkBox(this, QString::fromUtf8(szText));
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
        ShowErrorBox(QString::fromUtf8(szText));
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
