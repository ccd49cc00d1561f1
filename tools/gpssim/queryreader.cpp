#include "queryreader.h"

namespace {

// Written out rather than built, so that the check does not share a mistake
// with the code that builds replies.
QByteArray queryOf(Protocol protocol)
{
    if (protocol == Protocol::Garmin)
        return QByteArray("\x10\xFE\x00\x02\x10\x03", 6);
    return QByteArrayLiteral("$PMGNCMD,VERSION*28\r\n");
}

} // namespace

QueryReader::QueryReader(Protocol protocol) : m_expected(queryOf(protocol)) {}

QList<QueryReader::Verdict> QueryReader::feed(const QByteArray& bytes)
{
    QList<Verdict> verdicts;
    m_pending += bytes;
    for (qsizetype at; (at = m_pending.indexOf(m_expected)) >= 0;) {
        if (at > 0)
            verdicts.append({false, m_pending.left(at)});
        verdicts.append({true, m_expected});
        m_pending.remove(0, at + m_expected.size());
    }
    // Keep the longest tail that may still grow into the query.
    qsizetype keep = std::min(m_pending.size(), m_expected.size() - 1);
    while (keep > 0 && !m_expected.startsWith(m_pending.right(keep)))
        --keep;
    if (keep < m_pending.size())
        verdicts.append({false, m_pending.chopped(keep)});
    m_pending = m_pending.right(keep);
    return verdicts;
}
