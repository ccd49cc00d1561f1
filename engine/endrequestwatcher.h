#pragma once

#include <QObject>

class QSocketNotifier;

// Tells the program that the system asks it to end: SIGTERM, SIGHUP or
// SIGINT where there are signals. The request arrives through whichever
// event loop runs at the time (a run's message pumping, a message box),
// never inside a signal handler. A second signal takes its default action
// and ends the program at once, should the first ending hang. Only one
// watcher watches at a time; another one stays deaf.
class EndRequestWatcher : public QObject {
    Q_OBJECT

public:
    explicit EndRequestWatcher(QObject* parent = nullptr);
    ~EndRequestWatcher() override;

Q_SIGNALS:
    void endRequested();

private:
    void onSignalled();

    QSocketNotifier* m_notifier = nullptr;
};
