#include "simulatedunit.h"

#include "pseudoterminal.h"

#include <algorithm>
#include <QRandomGenerator>
#include <QSocketNotifier>
#include <QtMath>

namespace {

// What is sent waits in the port's input queue until the program reads it.
// When nobody does, a real line loses it; the pseudo-terminal would keep it
// and finally stop taking any, so beyond this much the simulator drops it.
constexpr int MAX_WAITING_AT_PORT = 2048;
constexpr int READ_CHUNK = 512;

} // namespace

SimulatedUnit::SimulatedUnit(int port, const UnitConfig& config, const EventLog& log,
                             QObject* parent)
    : QObject(parent), m_port(port), m_config(config), m_log(log), m_builder(config),
      m_playback(config.recording),
      m_reader(m_playback.playsTrace() ? QueryReader(m_playback.expectedQuery())
                                       : QueryReader(config.protocol))
{
    m_deathTimer.setSingleShot(true);
    m_deathTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_deathTimer, &QTimer::timeout, this, &SimulatedUnit::die);
    m_streamTimer.setInterval(static_cast<int>(config.burstMs));
    m_streamTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_streamTimer, &QTimer::timeout, this, &SimulatedUnit::streamBurst);
    m_lineTimer.setSingleShot(true);
    m_lineTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_lineTimer, &QTimer::timeout, this, &SimulatedUnit::sendNext);
    m_clock.start();
}

SimulatedUnit::~SimulatedUnit()
{
    // The notifier must go before the descriptor it watches.
    m_notifier.reset();
}

bool SimulatedUnit::open(QString& error)
{
    m_pty = std::make_unique<PseudoTerminal>();
    if (!m_pty->isOpen()) {
        error = QStringLiteral("COM%1: could not make a pseudo-terminal").arg(m_port);
        return false;
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_pty->descriptor(), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &SimulatedUnit::onReadable);
    if (m_config.stream)
        m_streamTimer.start();
    return true;
}

QString SimulatedUnit::deviceName() const
{
    return m_pty ? QString::fromStdString(m_pty->deviceName()) : QString();
}

QString SimulatedUnit::summaryLine() const
{
    return QStringLiteral("# COM%1 protocol=%2 stream=%3 fault=%4 life=%5 queries_good=%6 "
                          "queries_bad=%7 replies=%8 streamed_bytes=%9 dead=%10")
        .arg(m_port)
        .arg(protocolName(m_config.protocol),
             m_config.stream ? QStringLiteral("on") : QStringLiteral("off"),
             faultText(m_config.fault), lifeText(m_config.lifeMs))
        .arg(QString::number(m_good), QString::number(m_bad), QString::number(m_replies),
             QString::number(m_streamed), QString::number(m_dead ? 1 : 0));
}

void SimulatedUnit::onReadable()
{
    char buf[READ_CHUNK];
    QByteArray bytes;
    int n;
    while (m_pty && (n = m_pty->read(buf, sizeof buf)) > 0)
        bytes.append(buf, n);
    if (!bytes.isEmpty())
        hear(bytes);
}

void SimulatedUnit::hear(const QByteArray& bytes)
{
    if (!m_heardAny) {
        // The battery is counted from here, the start of the program's run,
        // not from when the simulator started.
        m_heardAny = true;
        if (m_config.lifeMs == 0)
            die();
        else if (m_config.lifeMs != UnitConfig::FOREVER)
            m_deathTimer.start(static_cast<int>(m_config.lifeMs));
        Q_EMIT heardFirst(m_port);
    }
    QString heard;
    if (!lineMatches(heard)) {
        // At the wrong speed or framing a UART makes noise of every byte:
        // nothing of it can be a query, and nothing half-read survives it.
        m_reader.reset();
        if (m_dead)
            return;
        ++m_bad;
        m_log.note(QStringLiteral("%1: %2 bytes at %3, but it talks %4 8N1: garbled, not answered")
                       .arg(name())
                       .arg(bytes.size())
                       .arg(heard)
                       .arg(speed()));
        return;
    }
    for (const QueryReader::Verdict& verdict : m_reader.feed(bytes))
        onQuery(verdict);
}

bool SimulatedUnit::lineMatches(QString& heard) const
{
    PtyLineSettings settings;
    if (!m_pty->lineSettings(settings)) {
        heard = QStringLiteral("unknown settings");
        return false;
    }
    heard = QStringLiteral("%1 %2%3%4")
                .arg(settings.baudRate)
                .arg(settings.dataBits)
                .arg(settings.parity ? QLatin1Char('P') : QLatin1Char('N'))
                .arg(settings.stopBits);
    return settings.baudRate == speed() && settings.dataBits == 8 && !settings.parity &&
           settings.stopBits == 1;
}

void SimulatedUnit::onQuery(const QueryReader::Verdict& verdict)
{
    if (m_dead) {
        m_log.detail(QStringLiteral("%1: dead, did not hear %2")
                         .arg(name(), EventLog::printable(verdict.raw)));
        return;
    }
    if (!verdict.good) {
        ++m_bad;
        m_log.note(QStringLiteral("%1: bad query %2, expected %3")
                       .arg(name(), EventLog::printable(verdict.raw),
                            EventLog::printable(m_reader.expected())));
        return;
    }
    ++m_good;
    m_log.detail(QStringLiteral("%1: query %2").arg(name()).arg(m_good));
    if (m_playback.playsTrace())
        playNextExchange();
    else
        answerAfterDelay();
}

void SimulatedUnit::answerAfterDelay()
{
    const qint64 spread = m_config.delayMaxMs - m_config.delayMinMs;
    const qint64 delay =
        m_config.delayMinMs + (spread > 0 ? QRandomGenerator::global()->bounded(spread + 1) : 0);
    if (delay == 0) {
        queue({m_builder.versionReply(), true});
        return;
    }
    // A battery that goes flat meanwhile takes the answer with it.
    QTimer::singleShot(static_cast<int>(delay), Qt::PreciseTimer, this, [this] {
        if (!m_dead)
            queue({m_builder.versionReply(), true});
    });
}

// The answer recorded to this query; where the program found nothing the
// unit falls silent, at once, and it dies with the trace.
void SimulatedUnit::playNextExchange()
{
    const RecordedExchange* exchange = m_playback.takeExchange();
    m_reader.expect(m_playback.expectedQuery());
    if (!exchange || exchange->answer.isEmpty()) {
        m_outbox.clear();
        if (m_playback.traceEnded())
            die();
        return;
    }
    bool first = true;
    for (const Playback::Piece& piece : Playback::paced(*exchange, speed())) {
        queue({piece.bytes, true, piece.lineMs, first});
        first = false;
    }
}

void SimulatedUnit::streamBurst()
{
    // Until the program has set the line up the pseudo-terminal echoes what
    // it is sent, which no serial line does: talk only to a raw line.
    PtyLineSettings settings;
    if (!m_pty->lineSettings(settings) || !settings.raw)
        return;
    // A receiver skips a fix while the line still has a second's worth to
    // carry, rather than fall further and further behind.
    qsizetype waiting = 0;
    for (const Outgoing& outgoing : m_outbox)
        waiting += outgoing.bytes.size();
    if (waiting * 10 > speed())
        return;
    // A capture's lines, about what the line carries in nine tenths of a
    // second, so that answers still find room.
    const QList<QByteArray> burst = m_playback.playsCapture()
                                        ? m_playback.captureBurst(speed() * 9 / 100)
                                        : m_builder.streamBurst(QDateTime::currentDateTimeUtc());
    for (const QByteArray& piece : burst)
        queue({piece, false});
}

// The line's speed: the family's, or the one a trace recorded.
int SimulatedUnit::speed() const
{
    const int recorded = m_playback.playsTrace() ? m_playback.baudRate() : 0;
    return recorded > 0 ? recorded : lineSpeed(m_config.protocol);
}

void SimulatedUnit::queue(Outgoing outgoing)
{
    if (outgoing.lineMs <= 0) // ten bits a byte at 8N1
        outgoing.lineMs = static_cast<double>(outgoing.bytes.size()) * 10000.0 / speed();
    // Answers go ahead of the stream, after those before them.
    if (outgoing.answer)
        m_outbox.insert(std::find_if(m_outbox.begin(), m_outbox.end(),
                                     [](const Outgoing& o) { return !o.answer; }),
                        outgoing);
    else
        m_outbox.append(outgoing);
    if (!m_lineTimer.isActive()) {
        m_lineFreeAtMs = static_cast<double>(m_clock.elapsed()); // the line was idle
        sendNext();
    }
}

void SimulatedUnit::sendNext()
{
    if (m_outbox.isEmpty() || m_dead)
        return;
    const Outgoing next = m_outbox.takeFirst();
    if (send(next.bytes)) {
        m_replies += next.answer && next.startsReply ? 1 : 0;
        m_streamed += next.answer ? 0 : static_cast<int>(next.bytes.size());
        if (next.answer)
            m_log.detail(
                QStringLiteral("%1: reply %2").arg(name(), EventLog::printable(next.bytes)));
    }
    // Counted from when the line fell free rather than from now, so that
    // late timers do not slow the line down.
    m_lineFreeAtMs += next.lineMs;
    m_lineTimer.start(std::max(0, qCeil(m_lineFreeAtMs - static_cast<double>(m_clock.elapsed()))));
}

bool SimulatedUnit::send(const QByteArray& bytes)
{
    if (!m_pty || !m_pty->isOpen())
        return false;
    if (m_pty->waitingAtPort() + bytes.size() > MAX_WAITING_AT_PORT) {
        m_log.detail(QStringLiteral("%1: nobody reads the port, %2 bytes dropped")
                         .arg(name(), QString::number(bytes.size())));
        return false;
    }
    return m_pty->write(bytes.constData(), static_cast<int>(bytes.size())) == bytes.size();
}

void SimulatedUnit::die()
{
    if (m_dead)
        return;
    m_dead = true;
    m_streamTimer.stop();
    m_outbox.clear();
    const bool unplugged = m_config.fault == Fault::Unplug;
    if (unplugged)
        unplug();
    m_log.note(QStringLiteral("%1: %2, %3")
                   .arg(name(),
                        m_playback.playsTrace()
                            ? QStringLiteral("the trace has ended")
                            : QStringLiteral("battery flat after ") + lifeText(m_config.lifeMs),
                        unplugged ? QStringLiteral("device unplugged")
                                  : QStringLiteral("silent from now on")));
    Q_EMIT died(m_port);
}

void SimulatedUnit::unplug()
{
    m_outbox.clear();
    m_reader.reset();
    m_notifier.reset();
    m_pty->close();
}

QString SimulatedUnit::name() const
{
    return QStringLiteral("COM%1 (%2)").arg(m_port).arg(protocolName(m_config.protocol));
}
