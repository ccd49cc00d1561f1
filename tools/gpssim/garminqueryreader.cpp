#include "garminqueryreader.h"

#include "garminpacket.h"

namespace {

// Longer than any packet can be, even with every byte doubled.
constexpr int MAX_RAW = 2 * 260;

QString Hex(unsigned char byte)
{
    return QStringLiteral("0x%1").arg(byte, 2, 16, QLatin1Char('0'));
}

QString ProblemOf(const QByteArray& content)
{
    if (content.size() < 3)
        return QStringLiteral("packet too short");
    const auto id = static_cast<unsigned char>(content.at(0));
    const int size = static_cast<unsigned char>(content.at(1));
    if (size != content.size() - 3)
        return QStringLiteral("size byte %1 but %2 data bytes").arg(size).arg(content.size() - 3);
    const QByteArray data = content.mid(2, size);
    const auto checksum = static_cast<unsigned char>(content.back());
    if (checksum != GarminPacket::Checksum(id, data))
        return QStringLiteral("bad checksum %1").arg(Hex(checksum));
    if (id != GarminPacket::PID_PRODUCT_RQST)
        return QStringLiteral("packet id %1 is not a Product Request").arg(Hex(id));
    return QStringLiteral("Product Request with %1 data bytes").arg(size);
}

} // namespace

void GarminQueryReader::Feed(const QByteArray& bytes, QVector<QueryVerdict>& verdicts)
{
    for (const char c : bytes) {
        if (!m_bInPacket) {
            if (c == GarminPacket::DLE) {
                FlushJunk(verdicts);
                Start(c);
            } else {
                m_junk += c;
            }
            continue;
        }
        m_raw += c;
        if (m_bPendingDle) {
            m_bPendingDle = false;
            if (c == GarminPacket::DLE) {
                m_content += c;
            } else if (c == GarminPacket::ETX) {
                Finish(verdicts);
            } else {
                // An unpaired DLE inside a packet: the packet broke off and
                // a new one began at that DLE.
                m_raw.chop(2);
                verdicts.append({false, m_raw, QStringLiteral("packet broken off")});
                Start(GarminPacket::DLE);
                m_raw += c;
                m_content += c;
            }
        } else if (c == GarminPacket::DLE && !m_content.isEmpty()) {
            m_bPendingDle = true;
        } else {
            m_content += c;
        }
        if (m_bInPacket && m_raw.size() > MAX_RAW) {
            verdicts.append({false, m_raw, QStringLiteral("packet without an end")});
            m_bInPacket = false;
        }
    }
    FlushJunk(verdicts);
}

bool GarminQueryReader::Abandon(QueryVerdict& verdict)
{
    if (!m_bInPacket)
        return false;
    verdict = {false, m_raw, QStringLiteral("packet cut short")};
    m_bInPacket = false;
    return true;
}

void GarminQueryReader::Start(char first)
{
    m_bInPacket = true;
    m_bPendingDle = false;
    m_raw = QByteArray(1, first);
    m_content.clear();
}

void GarminQueryReader::Finish(QVector<QueryVerdict>& verdicts)
{
    static const QByteArray expected("\x10\xFE\x00\x02\x10\x03", 6);
    m_bInPacket = false;
    if (m_raw == expected)
        verdicts.append({true, m_raw, QString()});
    else
        verdicts.append({false, m_raw, ProblemOf(m_content)});
}

void GarminQueryReader::FlushJunk(QVector<QueryVerdict>& verdicts)
{
    if (m_junk.isEmpty())
        return;
    verdicts.append({false, m_junk, QStringLiteral("bytes outside any packet")});
    m_junk.clear();
}
