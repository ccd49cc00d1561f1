#pragma once

#include "eventlog.h"
#include "portlinks.h"
#include "unitconfig.h"

#include <memory>
#include <QObject>
#include <QTimer>
#include <vector>

class SimulatedUnit;

// The receivers of one simulator run, their stable port names and the end of
// the run: when the last battery is flat the ports stay, silent, for the
// linger time, so that the program finds them silent rather than gone.
class Simulator : public QObject {
    Q_OBJECT

public:
    struct Receiver {
        int port = 0; // 1..4
        UnitConfig config;
    };

    Simulator(const EventLog& log, qint64 lingerMs, QObject* parent = nullptr);
    ~Simulator() override;

    // Opens a pseudo-terminal per receiver, links DIR/COMn to it and prints
    // DUNMERROW_COMn=DIR/COMn for each on standard output.
    bool Start(const QString& dir, const std::vector<Receiver>& receivers, QString& error);
    // Prints the summary and removes the links.
    void Finish();

Q_SIGNALS:
    void AllDead();

private:
    void OnUnitDied(int port);

    const EventLog& m_log;
    const qint64 m_lingerMs;
    PortLinks m_links;
    std::vector<std::unique_ptr<SimulatedUnit>> m_units;
    QTimer m_linger;
};
