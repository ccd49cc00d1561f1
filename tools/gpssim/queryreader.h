#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// The outcome of checking one query as it came off the line.
struct QueryVerdict {
    bool bGood = false;
    QByteArray raw;  // the bytes as received
    QString problem; // why a bad query is bad
};

// Splits what the program sends into queries in the receiver's protocol and
// checks each against the one query the receiver understands. Bytes that
// belong to no query are reported as one bad query per run of them.
class QueryReader {
public:
    virtual ~QueryReader() = default;
    // Takes the next bytes and appends the queries they complete.
    virtual void Feed(const QByteArray& bytes, QVector<QueryVerdict>& verdicts) = 0;
    // True while a query has begun and not yet ended.
    virtual bool HasPartial() const = 0;
    // Gives up on a query that has begun: true, with it as a bad verdict,
    // when there was one.
    virtual bool Abandon(QueryVerdict& verdict) = 0;
};
