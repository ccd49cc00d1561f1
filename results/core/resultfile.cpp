#include "resultfile.h"

#include "lineparser.h"

#include <QFile>

ResultFile::ResultFile(const QString& path) : m_path(path) {}

ResultFile::Change ResultFile::reload()
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = file.errorString();
        return Change::Failed;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_error = file.errorString();
        return Change::Failed;
    }
    m_error.clear();
    if (data == m_data && !m_data.isEmpty())
        return Change::Unchanged;

    // A test appends whole lines: when everything read before is still there
    // and ended with its line end, only what follows is new.
    if (!m_data.isEmpty() && m_data.endsWith('\n') && data.startsWith(m_data)) {
        m_firstNewRecord = int(m_records.size());
        m_firstNewUnreadable = int(m_unreadable.size());
        const QByteArray added = data.mid(m_data.size());
        parse(added, m_lineCount + 1, &m_records, &m_unreadable, &m_pool);
        m_lineCount += int(added.count('\n'));
        m_data = data;
        return Change::Appended;
    }
    m_records.clear();
    m_unreadable.clear();
    m_firstNewRecord = 0;
    m_firstNewUnreadable = 0;
    m_pool = TextPool();
    parse(data, 1, &m_records, &m_unreadable, &m_pool);
    m_lineCount = int(data.count('\n'));
    m_data = data;
    return Change::Replaced;
}

void ResultFile::parse(const QByteArray& data, int firstLine, QVector<ResultRecord>* records,
                       QVector<UnreadableLine>* unreadable, TextPool* pool)
{
    records->reserve(records->size() + data.count('\n') + 1);
    int lineNumber = firstLine;
    qsizetype start = 0;
    // A byte-order mark, as some editors put at the head of a UTF-8 file.
    if (firstLine == 1 && data.startsWith("\xEF\xBB\xBF"))
        start = 3;
    QString reason;
    while (start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        if (end < 0)
            end = data.size();
        qsizetype length = end - start;
        if (length > 0 && data[start + length - 1] == '\r')
            --length;
        const QString line = QString::fromUtf8(data.constData() + start, length);
        if (!line.trimmed().isEmpty()) {
            // Read in place: a record is large, and a log has many.
            ResultRecord& record = records->emplace_back();
            if (LineParser::parse(line, &record, &reason, pool)) {
                record.lineNumber = lineNumber;
            } else {
                records->removeLast();
                unreadable->append({lineNumber, line, reason});
            }
        }
        start = end + 1;
        ++lineNumber;
    }
}
