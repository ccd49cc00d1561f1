#include "simulator.h"

#include "simulatedunit.h"

#include <cstdio>

namespace {

void printLine(const QString& line)
{
    std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
}

} // namespace

Simulator::Simulator(const SimOptions& options, const EventLog& log, QObject* parent)
    : QObject(parent), m_options(options), m_log(log)
{
    m_linger.setSingleShot(true);
    connect(&m_linger, &QTimer::timeout, this, &Simulator::allDead);
}

Simulator::~Simulator() = default;

bool Simulator::start(QString& error)
{
    if (!m_links.prepare(m_options.dir, error))
        return false;
    for (const SimOptions::Receiver& receiver : m_options.receivers) {
        auto unit = std::make_unique<SimulatedUnit>(receiver.port, receiver.config, m_log);
        if (!unit->open(error) || !m_links.create(receiver.port, unit->deviceName(), error))
            return false;
        connect(unit.get(), &SimulatedUnit::died, this, &Simulator::onUnitDied);
        connect(unit.get(), &SimulatedUnit::heardFirst, this, &Simulator::vanishLater);
        m_log.detail(QStringLiteral("COM%1 (%2) on %3")
                         .arg(receiver.port)
                         .arg(protocolName(receiver.config.protocol), unit->deviceName()));
        m_units.push_back(std::move(unit));
    }
    for (const auto& unit : m_units) {
        printLine(QStringLiteral("DUNMERROW_COM%1=%2")
                      .arg(unit->port())
                      .arg(m_links.linkPath(unit->port())));
    }
    std::fflush(stdout);
    return true;
}

void Simulator::finish()
{
    m_linger.stop();
    for (const auto& unit : m_units)
        printLine(unit->summaryLine());
    std::fflush(stdout);
    m_links.removeAll();
    m_units.clear();
}

void Simulator::onUnitDied(int port)
{
    bool allDead = true;
    for (const auto& unit : m_units) {
        if (unit->port() == port && unit->config().fault == Fault::Unplug)
            m_links.remove(port); // an unplugged adapter takes its name with it
        allDead = allDead && unit->isDead();
    }
    if (!allDead)
        return;
    m_log.note(QStringLiteral("every battery is flat; stopping in %1 ms").arg(m_options.lingerMs));
    m_linger.start(static_cast<int>(m_options.lingerMs));
}

// Counted, as the battery is, from the start of the program's run.
void Simulator::vanishLater(int port)
{
    for (const auto& unit : m_units) {
        const UnitConfig& config = unit->config();
        if (unit->port() != port || config.vanishAtMs == UnitConfig::NEVER)
            continue;
        SimulatedUnit* vanishing = unit.get();
        QTimer::singleShot(config.vanishAtMs, Qt::PreciseTimer, vanishing, [this, vanishing] {
            plugAdapter(*vanishing, false);
            QTimer::singleShot(vanishing->config().vanishForMs, Qt::PreciseTimer, vanishing,
                               [this, vanishing] { plugAdapter(*vanishing, true); });
        });
    }
}

void Simulator::plugAdapter(SimulatedUnit& unit, bool in)
{
    const int port = unit.port();
    const QString name =
        QStringLiteral("COM%1 (%2): adapter ").arg(port).arg(protocolName(unit.config().protocol));
    QString error;
    if (!in) {
        unit.unplug();
        m_links.remove(port);
        m_log.note(name + QStringLiteral("gone for ") + lifeText(unit.config().vanishForMs));
        return;
    }
    // Unplugged for good meanwhile, it stays away.
    if (unit.isDead() && unit.config().fault == Fault::Unplug)
        return;
    if (unit.open(error) && m_links.create(port, unit.deviceName(), error))
        m_log.note(name + QStringLiteral("back on ") + unit.deviceName());
    else
        m_log.note(name + error);
}
