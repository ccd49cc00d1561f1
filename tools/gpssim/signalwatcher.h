#pragma once

#include <memory>
#include <QObject>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a Qt signal delivered by the event loop, so
// that the simulator stops between events and can still write its summary
// and remove its links. Only one may exist at a time.
class SignalWatcher : public QObject {
    Q_OBJECT

public:
    explicit SignalWatcher(QObject* parent = nullptr);
    ~SignalWatcher() override;

Q_SIGNALS:
    void stopRequested(int signalNumber);

private:
    std::unique_ptr<QSocketNotifier> m_notifier;
};
