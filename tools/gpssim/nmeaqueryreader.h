#pragma once

#include "queryreader.h"

// Reads NMEA sentences: "$" starts one, LF ends it. The only good query is
// "$PMGNCMD,VERSION*28" CR LF, byte for byte.
class NmeaQueryReader : public QueryReader {
public:
    void Feed(const QByteArray& bytes, QVector<QueryVerdict>& verdicts) override;
    bool HasPartial() const override { return m_bInSentence; }
    bool Abandon(QueryVerdict& verdict) override;

private:
    void Finish(QVector<QueryVerdict>& verdicts);
    void FlushJunk(QVector<QueryVerdict>& verdicts);

    bool m_bInSentence = false;
    QByteArray m_line;
    QByteArray m_junk;
};
