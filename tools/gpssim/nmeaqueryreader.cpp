#include "nmeaqueryreader.h"

#include "nmeasentence.h"

namespace {

// NMEA allows 82; the program's buffers allow 255.
constexpr int MAX_LINE = 255;

QString ProblemOf(const QByteArray& line)
{
    if (!line.endsWith("\r\n"))
        return QStringLiteral("sentence does not end in CR LF");
    const int star = line.indexOf('*');
    if (star < 0)
        return QStringLiteral("sentence without a checksum");
    const QByteArray body = line.mid(1, star - 1);
    const QByteArray digits = line.mid(star + 1, line.size() - star - 3);
    const QByteArray expected =
        QByteArray::number(NmeaSentence::Checksum(body), 16).rightJustified(2, '0').toUpper();
    if (digits != expected)
        return QStringLiteral("checksum '%1', expected '%2'")
            .arg(QString::fromLatin1(digits), QString::fromLatin1(expected));
    return QStringLiteral("not the version query");
}

} // namespace

void NmeaQueryReader::Feed(const QByteArray& bytes, QVector<QueryVerdict>& verdicts)
{
    for (const char c : bytes) {
        if (c == '$') {
            FlushJunk(verdicts);
            if (m_bInSentence)
                verdicts.append({false, m_line, QStringLiteral("sentence broken off")});
            m_bInSentence = true;
            m_line = QByteArray(1, c);
            continue;
        }
        if (!m_bInSentence) {
            m_junk += c;
            continue;
        }
        m_line += c;
        if (c == '\n') {
            Finish(verdicts);
        } else if (m_line.size() > MAX_LINE) {
            verdicts.append({false, m_line, QStringLiteral("sentence without an end")});
            m_bInSentence = false;
        }
    }
    FlushJunk(verdicts);
}

bool NmeaQueryReader::Abandon(QueryVerdict& verdict)
{
    if (!m_bInSentence)
        return false;
    verdict = {false, m_line, QStringLiteral("sentence cut short")};
    m_bInSentence = false;
    return true;
}

void NmeaQueryReader::Finish(QVector<QueryVerdict>& verdicts)
{
    m_bInSentence = false;
    if (m_line == "$PMGNCMD,VERSION*28\r\n")
        verdicts.append({true, m_line, QString()});
    else
        verdicts.append({false, m_line, ProblemOf(m_line)});
}

void NmeaQueryReader::FlushJunk(QVector<QueryVerdict>& verdicts)
{
    if (m_junk.isEmpty())
        return;
    verdicts.append({false, m_junk, QStringLiteral("bytes outside any sentence")});
    m_junk.clear();
}
