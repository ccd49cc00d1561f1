#pragma once

#include "eventlog.h"
#include "queryreader.h"
#include "replybuilder.h"
#include "unitconfig.h"
#include "unitstats.h"

#include <memory>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class PseudoTerminal;
class QSocketNotifier;

// One receiver on its own pseudo-terminal. It wakes only when the program
// writes to it or one of its timers runs out, checks every query, answers
// the good ones as its fault allows, and dies when its battery life, counted
// from the first bytes it hears, is over.
class SimulatedUnit : public QObject {
    Q_OBJECT

public:
    SimulatedUnit(int port, const UnitConfig& config, const EventLog& log,
                  QObject* parent = nullptr);
    ~SimulatedUnit() override;

    // Makes the pseudo-terminal. False, with the reason, when the system
    // has none to give.
    bool Open(QString& error);
    QString DeviceName() const;

    int Port() const { return m_port; }
    const UnitConfig& Config() const { return m_config; }
    const UnitStats& Stats() const { return m_stats; }
    bool IsDead() const { return m_bDead; }

Q_SIGNALS:
    void Died(int port);

private:
    void OnReadable();
    void Hear(const QByteArray& bytes);
    void OnQuery(const QueryVerdict& verdict);
    void Answer();
    void TalkUnprompted();
    bool Send(const QByteArray& bytes);
    void Die();
    bool LineMatches(QString& heard) const;
    QString Name() const;

    const int m_port;
    const UnitConfig m_config;
    const EventLog& m_log;
    const ReplyBuilder m_replies;
    std::unique_ptr<PseudoTerminal> m_pty;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::unique_ptr<QueryReader> m_reader;
    QTimer m_deathTimer;
    QTimer m_talkTimer;
    QElapsedTimer m_sinceLastBytes;
    UnitStats m_stats;
    bool m_bDead = false;
};
