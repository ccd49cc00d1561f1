#include "sessionguard.h"

#include "messageboxes.h"

#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QSessionManager>
#include <QTimer>

SessionGuard::SessionGuard(QWidget* window, std::function<bool()> testRunning)
    : QObject(window), m_window(window), m_testRunning(std::move(testRunning))
{
    // Left to Qt, the quit command would close the window, which cancels
    // the test: nothing would be logged.
    qGuiApp->installEventFilter(this);
    // The end of a Windows session (WM_ENDSESSION) reaches the program only
    // as this signal, and the system ends the process as soon as the program
    // has answered it: the lines are written before the signal returns.
    // Elsewhere only an application's own exec() emits it, which this
    // program never runs.
    connect(qGuiApp, &QCoreApplication::aboutToQuit, this, &SessionGuard::endRequested);
#ifndef QT_NO_SESSIONMANAGER
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &SessionGuard::onSaveRequest);
#endif
}

bool SessionGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != qGuiApp || event->type() != QEvent::Quit)
        return false;
    Q_EMIT endRequested();
    return true;
}

void SessionGuard::onSaveRequest(QSessionManager& manager)
{
#ifndef QT_NO_SESSIONMANAGER
    // Without leave to interact the manager cannot be asked to wait; if the
    // session then really ends, the quit command comes.
    if (!m_testRunning() || !manager.allowsInteraction())
        return;
    manager.cancel();
    // The manager is answered first: the note waits for nobody.
    QTimer::singleShot(0, this, &SessionGuard::showNote);
#else
    Q_UNUSED(manager);
#endif
}

void SessionGuard::showNote()
{
    const QString text = QStringLiteral(
        "A battery endurance test is running, so the desktop was asked not to end the session. "
        "The test goes on: log out or shut down once it has ended.");
    if (m_note)
        m_note->raise();
    else
        m_note = showNoteBox(m_window, text, "sessionKeptNote", "Session kept for the test");
}
