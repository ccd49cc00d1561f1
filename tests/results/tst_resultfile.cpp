#include "resultfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray line(const char* maker, const char* comments = "")
{
    return QByteArray("COM1, Garmin V, ") + maker +
           ", Ni-MH, 1800, Sat Dec 05 14:03:22 2026, Sat Dec 05 20:15:40 2026, 06:12:18, " +
           comments;
}

bool write(const QString& path, const QByteArray& data, QIODevice::OpenMode mode)
{
    QFile file(path);
    return file.open(mode) && file.write(data) == data.size();
}

} // namespace

class TestResultFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    // Windows line ends, a byte-order mark, blank lines, bytes that are not
    // UTF-8 and a last line without its line end: every line is accounted
    // for under its own number.
    void readsWhatEditorsLeave()
    {
        const QByteArray data = "\xEF\xBB\xBF" + line("Acme") + "\r\n" + "scribbled note\r\n" +
                                " \r\n" + line("M\xFCller") + "\n" + line("Last", "no end");
        QVector<ResultRecord> records;
        QVector<UnreadableLine> unreadable;
        ResultFile::parse(data, 1, &records, &unreadable);

        // Each line's number, maker and comments, or number and text.
        QStringList lines;
        for (const ResultRecord& r : records)
            lines << QString("%1 %2|%3").arg(r.lineNumber).arg(r.batteryMaker, r.comments);
        for (const UnreadableLine& u : unreadable)
            lines << QString("%1 %2").arg(u.lineNumber).arg(u.text);
        QCOMPARE(lines,
                 QStringList({"1 Acme|", "4 M\uFFFDller|", "5 Last|no end", "2 scribbled note"}));
    }

    // A test appends: only the new lines are read. Anything else is read
    // again from the start, and a file gone keeps what was read.
    void followsTheFile()
    {
        const QString path = m_dir.filePath("BATTERY.TXT");
        ResultFile file(path);
        QVERIFY(write(path, line("A") + "\n" + "note\n", QIODevice::WriteOnly));
        QCOMPARE(file.reload(), ResultFile::Change::Replaced);
        QCOMPARE(file.reload(), ResultFile::Change::Unchanged);

        QVERIFY(write(path, line("B") + "\nnote\n", QIODevice::Append));
        QCOMPARE(file.reload(), ResultFile::Change::Appended);
        QCOMPARE(file.firstNewRecord(), 1);
        QCOMPARE(file.firstNewUnreadable(), 1);
        QCOMPARE(file.records().size(), 2);
        QCOMPARE(file.records()[1].lineNumber, 3);
        QCOMPARE(file.unreadableLines()[1].lineNumber, 4);

        // Half a line: when it is finished, the file is read again.
        QVERIFY(write(path, "COM1, Garmin", QIODevice::Append));
        QCOMPARE(file.reload(), ResultFile::Change::Appended);
        QCOMPARE(file.unreadableLines().size(), 3);
        QVERIFY(write(path, line("C").mid(12) + "\n", QIODevice::Append));
        QCOMPARE(file.reload(), ResultFile::Change::Replaced);
        QCOMPARE(file.records().size(), 3);
        QCOMPARE(file.unreadableLines().size(), 2);

        QVERIFY(write(path, line("D") + "\n", QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.reload(), ResultFile::Change::Replaced);
        QCOMPARE(file.records().size(), 1);
        QCOMPARE(file.records()[0].batteryMaker, QStringLiteral("D"));

        QVERIFY(QFile::remove(path));
        QCOMPARE(file.reload(), ResultFile::Change::Failed);
        QVERIFY(!file.errorString().isEmpty());
        QCOMPARE(file.records().size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestResultFile)
#include "tst_resultfile.moc"
