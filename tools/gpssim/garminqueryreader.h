#pragma once

#include "queryreader.h"

// Reads Garmin link packets: an unpaired DLE starts a packet, DLE DLE inside
// it is one 0x10, DLE ETX ends it. The only good query is the Product
// Request, 10 FE 00 02 10 03.
class GarminQueryReader : public QueryReader {
public:
    void Feed(const QByteArray& bytes, QVector<QueryVerdict>& verdicts) override;
    bool HasPartial() const override { return m_bInPacket; }
    bool Abandon(QueryVerdict& verdict) override;

private:
    void Start(char first);
    void Finish(QVector<QueryVerdict>& verdicts);
    void FlushJunk(QVector<QueryVerdict>& verdicts);

    bool m_bInPacket = false;
    bool m_bPendingDle = false;
    QByteArray m_raw;     // the packet as received, stuffing included
    QByteArray m_content; // id, size, data and checksum, stuffing removed
    QByteArray m_junk;
};
