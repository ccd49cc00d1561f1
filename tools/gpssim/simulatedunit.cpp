#include "simulatedunit.h"

#include "garminqueryreader.h"
#include "nmeaqueryreader.h"
#include "pseudoterminal.h"

#include <QSocketNotifier>

namespace {

// A query whose rest has not come within this time never will: the program
// writes each query in one piece.
constexpr qint64 PARTIAL_QUERY_MS = 1000;
// Position output once a second, as receivers send it.
constexpr int TALK_INTERVAL_MS = 1000;
// Replies wait in the port's input queue until the program reads them. When
// nobody does, a real line loses them; the pseudo-terminal would keep them
// and finally stop taking any, so beyond this much the simulator drops them.
constexpr int MAX_WAITING_AT_PORT = 2048;
constexpr int READ_CHUNK = 512;

QString Printable(const QByteArray& bytes)
{
    QString text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F)
            text += QLatin1Char(c);
        else
            text += QStringLiteral("<%1>").arg(byte, 2, 16, QLatin1Char('0'));
    }
    return text;
}

} // namespace

SimulatedUnit::SimulatedUnit(int port, const UnitConfig& config, const EventLog& log,
                             QObject* parent)
    : QObject(parent), m_port(port), m_config(config), m_log(log), m_replies(config)
{
    if (config.protocol == Protocol::Garmin)
        m_reader = std::make_unique<GarminQueryReader>();
    else
        m_reader = std::make_unique<NmeaQueryReader>();
    m_deathTimer.setSingleShot(true);
    m_deathTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_deathTimer, &QTimer::timeout, this, &SimulatedUnit::Die);
    m_talkTimer.setInterval(TALK_INTERVAL_MS);
    connect(&m_talkTimer, &QTimer::timeout, this, &SimulatedUnit::TalkUnprompted);
}

SimulatedUnit::~SimulatedUnit()
{
    // The notifier must go before the descriptor it watches.
    m_notifier.reset();
}

bool SimulatedUnit::Open(QString& error)
{
    m_pty = std::make_unique<PseudoTerminal>();
    if (!m_pty->IsOpen()) {
        error = QStringLiteral("COM%1: could not make a pseudo-terminal").arg(m_port);
        return false;
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_pty->Descriptor(), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &SimulatedUnit::OnReadable);
    if (m_config.fault == Fault::Nmea)
        m_talkTimer.start();
    return true;
}

QString SimulatedUnit::DeviceName() const
{
    return m_pty ? QString::fromStdString(m_pty->DeviceName()) : QString();
}

void SimulatedUnit::OnReadable()
{
    char buf[READ_CHUNK];
    QByteArray bytes;
    int n;
    while (m_pty && (n = m_pty->Read(buf, sizeof buf)) > 0)
        bytes.append(buf, n);
    if (!bytes.isEmpty())
        Hear(bytes);
}

void SimulatedUnit::Hear(const QByteArray& bytes)
{
    if (!m_stats.firstQuery.isValid()) {
        // The battery is counted from here, the start of the program's run,
        // not from when the simulator started.
        m_stats.firstQuery = QDateTime::currentDateTime();
        if (m_config.lifeMs == 0)
            Die();
        else if (m_config.lifeMs != UnitConfig::FOREVER)
            m_deathTimer.start(static_cast<int>(m_config.lifeMs));
    }
    QueryVerdict stale;
    if (m_sinceLastBytes.isValid() && m_sinceLastBytes.elapsed() > PARTIAL_QUERY_MS &&
        m_reader->Abandon(stale))
        OnQuery(stale);
    m_sinceLastBytes.start();

    QString heard;
    if (!LineMatches(heard)) {
        // At the wrong speed or framing a UART makes noise of every byte:
        // nothing of it can be a query, and nothing half-read survives it.
        QueryVerdict partial;
        m_reader->Abandon(partial);
        if (m_bDead) {
            ++m_stats.nAfterDeath;
            return;
        }
        ++m_stats.nBad;
        ++m_stats.nWrongSpeed;
        m_log.Note(QStringLiteral("%1: %2 bytes at %3, but it talks %4 8N1: garbled, not answered")
                       .arg(Name())
                       .arg(bytes.size())
                       .arg(heard)
                       .arg(LineSpeed(m_config.protocol)));
        return;
    }

    QVector<QueryVerdict> verdicts;
    m_reader->Feed(bytes, verdicts);
    for (const QueryVerdict& verdict : verdicts)
        OnQuery(verdict);
}

bool SimulatedUnit::LineMatches(QString& heard) const
{
    PtyLineSettings settings;
    if (!m_pty->LineSettings(settings)) {
        heard = QStringLiteral("unknown settings");
        return false;
    }
    heard = QStringLiteral("%1 %2%3%4")
                .arg(settings.nBaudRate)
                .arg(settings.nDataBits)
                .arg(settings.bParity ? QLatin1Char('P') : QLatin1Char('N'))
                .arg(settings.nStopBits);
    return settings.nBaudRate == LineSpeed(m_config.protocol) && settings.nDataBits == 8 &&
           !settings.bParity && settings.nStopBits == 1;
}

void SimulatedUnit::OnQuery(const QueryVerdict& verdict)
{
    if (m_bDead) {
        ++m_stats.nAfterDeath;
        m_log.Detail(
            QStringLiteral("%1: dead, did not hear %2").arg(Name(), Printable(verdict.raw)));
        return;
    }
    if (!verdict.bGood) {
        ++m_stats.nBad;
        m_log.Note(QStringLiteral("%1: bad query %2: %3")
                       .arg(Name(), Printable(verdict.raw), verdict.problem));
        return;
    }
    ++m_stats.nGood;
    m_log.Detail(QStringLiteral("%1: query %2").arg(Name()).arg(m_stats.nGood));

    switch (m_config.fault) {
    case Fault::Silent:
    case Fault::Nmea:
        return;
    case Fault::EveryNth:
        if (m_stats.nGood % m_config.faultCount == 0)
            Answer();
        return;
    case Fault::Late:
        QTimer::singleShot(static_cast<int>(m_config.faultDelayMs), this, [this] {
            // A reply still due when the battery gave out is never sent.
            if (!m_bDead)
                Answer();
        });
        return;
    default:
        Answer();
        return;
    }
}

void SimulatedUnit::Answer()
{
    const QByteArray reply = m_replies.VersionReply();
    if (Send(reply)) {
        ++m_stats.nReplies;
        m_log.Detail(QStringLiteral("%1: reply %2").arg(Name(), Printable(reply)));
    }
}

void SimulatedUnit::TalkUnprompted()
{
    // Until the program has set the line up the pseudo-terminal echoes what
    // it is sent, which no serial line does; talk only to a raw line.
    PtyLineSettings settings;
    if (m_bDead || !m_pty || !m_pty->LineSettings(settings) || !settings.bRaw)
        return;
    if (Send(ReplyBuilder::PositionSentences(QDateTime::currentDateTimeUtc())))
        ++m_stats.nUnprompted;
}

bool SimulatedUnit::Send(const QByteArray& bytes)
{
    if (!m_pty || !m_pty->IsOpen())
        return false;
    if (m_pty->WaitingAtPort() + bytes.size() > MAX_WAITING_AT_PORT) {
        ++m_stats.nDropped;
        m_log.Detail(QStringLiteral("%1: nobody reads the port, %2 bytes dropped")
                         .arg(Name())
                         .arg(bytes.size()));
        return false;
    }
    return m_pty->Write(bytes.constData(), static_cast<int>(bytes.size())) == bytes.size();
}

void SimulatedUnit::Die()
{
    if (m_bDead)
        return;
    m_bDead = true;
    m_stats.diedAt = QDateTime::currentDateTime();
    m_talkTimer.stop();
    if (m_config.fault == Fault::Unplug) {
        m_notifier.reset();
        m_pty->Close();
        m_log.Note(QStringLiteral("%1: battery flat after %2, device unplugged")
                       .arg(Name(), LifeText(m_config.lifeMs)));
    } else {
        m_log.Note(QStringLiteral("%1: battery flat after %2, silent from now on")
                       .arg(Name(), LifeText(m_config.lifeMs)));
    }
    Q_EMIT Died(m_port);
}

QString SimulatedUnit::Name() const
{
    return QStringLiteral("COM%1 (%2)")
        .arg(m_port)
        .arg(QLatin1String(ProtocolName(m_config.protocol)));
}
