#pragma once

#include "resultrecord.h"
#include "textpool.h"
#include "unreadableline.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// A result log on disk, read in full and then again whenever it may have
// changed. Only ever opened for reading. When a test has appended to it, only
// the new lines are read.
class ResultFile {
public:
    enum class Change {
        Unchanged,
        Appended, // records from firstNewRecord() on are new
        Replaced, // read again from the start
        Failed,   // could not be read; what was read before stays
    };

    explicit ResultFile(const QString& path = QString());

    QString path() const { return m_path; }
    Change reload();
    // Why the last reload failed.
    QString errorString() const { return m_error; }

    const QVector<ResultRecord>& records() const { return m_records; }
    const QVector<UnreadableLine>& unreadableLines() const { return m_unreadable; }
    int firstNewRecord() const { return m_firstNewRecord; }
    int firstNewUnreadable() const { return m_firstNewUnreadable; }

    // Reads the lines in data, which begins with line firstLine. Lines end in
    // "\n" or "\r\n", the last one maybe in neither; bytes that are not UTF-8
    // become U+FFFD. Lines of nothing but blanks carry nothing and are passed
    // over; every other line becomes a record or an unreadable line.
    static void parse(const QByteArray& data, int firstLine, QVector<ResultRecord>* records,
                      QVector<UnreadableLine>* unreadable, TextPool* pool = nullptr);

private:
    QString m_path;
    QString m_error;
    QByteArray m_data;
    int m_lineCount = 0; // whole lines in m_data
    QVector<ResultRecord> m_records;
    QVector<UnreadableLine> m_unreadable;
    int m_firstNewRecord = 0;
    int m_firstNewUnreadable = 0;
    TextPool m_pool;
};
