#pragma once

#include "commandline.h"
#include "eventlog.h"
#include "portlinks.h"

#include <memory>
#include <QObject>
#include <QTimer>
#include <vector>

class SimulatedUnit;

// The receivers of one simulator run, their stable port names and the end of
// the run: when the last battery is flat the ports stay, silent, for the
// linger time, so that the program finds them silent rather than gone. An
// adapter told to vanish goes away with its name, and comes back under it.
class Simulator : public QObject {
    Q_OBJECT

public:
    Simulator(const SimOptions& options, const EventLog& log, QObject* parent = nullptr);
    ~Simulator() override;

    // Opens a pseudo-terminal per receiver, links DIR/COMn to it and prints
    // DUNMERROW_COMn=DIR/COMn for each on standard output, the path as it
    // is: its readers take everything after the first '='.
    bool start(QString& error);
    // Prints the summary and removes the links.
    void finish();

Q_SIGNALS:
    void allDead();

private:
    void onUnitDied(int port);
    void vanishLater(int port);
    void plugAdapter(SimulatedUnit& unit, bool in);

    const SimOptions m_options;
    const EventLog& m_log;
    PortLinks m_links;
    std::vector<std::unique_ptr<SimulatedUnit>> m_units;
    QTimer m_linger;
};
