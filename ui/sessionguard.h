#pragma once

#include <functional>
#include <QObject>
#include <QPointer>

class QDialog;
class QSessionManager;
class QWidget;

// Stands between the desktop session and a test. The session manager's
// request to save (a checkpoint, or the first step of a logout or shutdown
// that may still be called off) ends nothing: while a test runs and the
// manager lets the program have its say, the program asks it to call the
// logout off and tells the operator why, in a note that holds up neither the
// test nor the window. Only the quit command, which comes when the session
// really ends (the session manager's "die", Quit on macOS), ends the
// program: endRequested. Portable Qt only, for Windows brings its query
// before logging off or shutting down as the same save request.
class SessionGuard : public QObject {
    Q_OBJECT

public:
    // testRunning: whether a test is under way now.
    SessionGuard(QWidget* window, std::function<bool()> testRunning);

Q_SIGNALS:
    void endRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onSaveRequest(QSessionManager& manager);
    void showNote();

    QWidget* m_window;
    std::function<bool()> m_testRunning;
    QPointer<QDialog> m_note;
};
