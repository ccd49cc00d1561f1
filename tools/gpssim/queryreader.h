#pragma once

#include "unitconfig.h"

#include <QByteArray>
#include <QList>

// Checks what the program sends, byte for byte, against the one query the
// receiver understands: the Garmin Product Request packet, the Magellan
// sentence "$PMGNCMD,VERSION*28" CR LF, or the query a trace recorded. Bytes
// that cannot be, or begin, that query make one bad query per run of them.
class QueryReader {
public:
    struct Verdict {
        bool good = false;
        QByteArray raw; // the bytes as received
    };

    explicit QueryReader(Protocol protocol);
    explicit QueryReader(const QByteArray& expected) : m_expected(expected) {}

    // The query the receiver answers.
    const QByteArray& expected() const { return m_expected; }
    // Takes the next bytes; the verdicts they complete, in order. The start
    // of a query waits for the rest.
    QList<Verdict> feed(const QByteArray& bytes);
    // Forgets a query that has begun: after noise on the line nothing
    // half-read survives.
    void reset() { m_pending.clear(); }
    // The query to check from now on.
    void expect(const QByteArray& query) { m_expected = query; }

private:
    QByteArray m_expected;
    QByteArray m_pending;
};
