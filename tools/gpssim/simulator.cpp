#include "simulator.h"

#include "simulatedunit.h"

#include <cstdio>
#include <QRegularExpression>

namespace {

// A value the shell reads back as it was, so that the lines can be eval'd.
QString ShellQuoted(const QString& text)
{
    static const QRegularExpression safe(QStringLiteral("^[A-Za-z0-9_./+:@%-]+$"));
    if (safe.match(text).hasMatch())
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

void PrintLine(const QString& line)
{
    std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
}

} // namespace

Simulator::Simulator(const EventLog& log, qint64 lingerMs, QObject* parent)
    : QObject(parent), m_log(log), m_lingerMs(lingerMs)
{
    m_linger.setSingleShot(true);
    connect(&m_linger, &QTimer::timeout, this, &Simulator::AllDead);
}

Simulator::~Simulator() = default;

bool Simulator::Start(const QString& dir, const std::vector<Receiver>& receivers, QString& error)
{
    if (!m_links.Prepare(dir, error))
        return false;
    for (const Receiver& receiver : receivers) {
        auto unit = std::make_unique<SimulatedUnit>(receiver.port, receiver.config, m_log);
        if (!unit->Open(error) || !m_links.Create(receiver.port, unit->DeviceName(), error))
            return false;
        connect(unit.get(), &SimulatedUnit::Died, this, &Simulator::OnUnitDied);
        m_log.Detail(
            QStringLiteral("COM%1 (%2) on %3")
                .arg(receiver.port)
                .arg(QLatin1String(ProtocolName(receiver.config.protocol)), unit->DeviceName()));
        m_units.push_back(std::move(unit));
    }
    for (const auto& unit : m_units) {
        PrintLine(QStringLiteral("DUNMERROW_COM%1=%2")
                      .arg(unit->Port())
                      .arg(ShellQuoted(m_links.LinkPath(unit->Port()))));
    }
    std::fflush(stdout);
    return true;
}

void Simulator::Finish()
{
    m_linger.stop();
    for (const auto& unit : m_units)
        PrintLine(SummaryLine(unit->Port(), unit->Config(), unit->Stats()));
    std::fflush(stdout);
    m_links.RemoveAll();
    m_units.clear();
}

void Simulator::OnUnitDied(int port)
{
    for (const auto& unit : m_units) {
        if (unit->Port() == port && unit->Config().fault == Fault::Unplug)
            m_links.Remove(port); // an unplugged adapter takes its name with it
    }
    for (const auto& unit : m_units) {
        if (!unit->IsDead())
            return;
    }
    m_log.Note(QStringLiteral("every battery is flat; stopping in %1 ms").arg(m_lingerMs));
    m_linger.start(static_cast<int>(m_lingerMs));
}
