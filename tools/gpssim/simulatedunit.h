#pragma once

#include "eventlog.h"
#include "playback.h"
#include "queryreader.h"
#include "replybuilder.h"
#include "unitconfig.h"

#include <memory>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class PseudoTerminal;
class QSocketNotifier;

// One receiver on its own pseudo-terminal. It wakes only when the program
// writes to it or one of its timers runs out, checks every query, answers
// the good ones, streams when told to, and dies when its battery life,
// counted from the first bytes it hears, is over. What it sends goes out one
// sentence or packet at a time at the pace its line speed allows, an answer
// ahead of any stream still waiting. A unit that replays a trace answers
// each query that matches the next recorded one with what the program read
// after it, and dies when the trace ends.
class SimulatedUnit : public QObject {
    Q_OBJECT

public:
    SimulatedUnit(int port, const UnitConfig& config, const EventLog& log,
                  QObject* parent = nullptr);
    ~SimulatedUnit() override;

    // Makes the pseudo-terminal, or a new one after unplug(). False, with
    // the reason, when the system has none to give.
    bool open(QString& error);
    QString deviceName() const;
    int port() const { return m_port; }
    const UnitConfig& config() const { return m_config; }
    bool isDead() const { return m_dead; }
    // Its USB adapter goes away: the pseudo-terminal closes, and what was on
    // its way to the program is lost. open() brings a new one.
    void unplug();
    // What it went through, key=value for scripts:
    // "# COM1 protocol=garmin stream=off fault=none life=60s queries_good=30
    // queries_bad=0 replies=30 streamed_bytes=0 dead=1".
    QString summaryLine() const;

Q_SIGNALS:
    void died(int port);
    // The first bytes it heard: the program's run has begun.
    void heardFirst(int port);

private:
    struct Outgoing {
        QByteArray bytes;
        bool answer = false; // rather than stream
        double lineMs = 0;   // how long the line takes to carry it
        bool startsReply = true;
    };

    void onReadable();
    void hear(const QByteArray& bytes);
    bool lineMatches(QString& heard) const;
    void onQuery(const QueryReader::Verdict& verdict);
    void answerAfterDelay();
    void playNextExchange();
    void streamBurst();
    int speed() const;
    void queue(Outgoing outgoing);
    void sendNext();
    bool send(const QByteArray& bytes);
    void die();
    QString name() const;

    const int m_port;
    const UnitConfig m_config;
    const EventLog& m_log;
    const ReplyBuilder m_builder;
    Playback m_playback;
    QueryReader m_reader;
    std::unique_ptr<PseudoTerminal> m_pty;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QTimer m_deathTimer;
    QTimer m_streamTimer;
    QTimer m_lineTimer; // runs while the line is busy with the last thing sent
    QElapsedTimer m_clock;
    double m_lineFreeAtMs = 0; // on m_clock
    QList<Outgoing> m_outbox;
    bool m_dead = false;

    bool m_heardAny = false;
    int m_good = 0;     // queries that matched the expected bytes
    int m_bad = 0;      // everything else heard while alive, at any line speed
    int m_replies = 0;  // version answers written to the line
    int m_streamed = 0; // bytes sent unasked
};
