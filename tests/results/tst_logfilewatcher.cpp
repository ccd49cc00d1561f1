#include "logfilewatcher.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

bool write(const QString& path, const QByteArray& data, QIODevice::OpenMode mode)
{
    QFile file(path);
    return file.open(mode) && file.write(data) == data.size();
}

enum class How { ReplaceByRename, CreateLater, RemoveAndWriteAgain };

} // namespace

Q_DECLARE_METATYPE(How)

class TestLogFileWatcher : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // However the file changes, it is noticed, and so is the next test's
    // append (the change every row ends with): a file replaced or created
    // afresh must be watched again.
    void followsTheFile_data()
    {
        QTest::addColumn<How>("how");
        QTest::newRow("replaced by an editor") << How::ReplaceByRename;
        QTest::newRow("created by the first test") << How::CreateLater;
        QTest::newRow("removed, then written again") << How::RemoveAndWriteAgain;
    }
    void followsTheFile()
    {
        QFETCH(How, how);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("BATTERY.TXT"));
        if (how != How::CreateLater)
            QVERIFY(write(path, "first\n", QIODevice::WriteOnly));
        LogFileWatcher watcher;
        QSignalSpy changed(&watcher, &LogFileWatcher::changed);
        watcher.setPath(path);

        switch (how) {
        case How::ReplaceByRename: {
            const QString saved = dir.filePath(QStringLiteral("saved.tmp"));
            QVERIFY(write(saved, "edited\n", QIODevice::WriteOnly));
            QVERIFY(QFile::remove(path));
            QVERIFY(QFile::rename(saved, path));
            break;
        }
        case How::CreateLater:
            QVERIFY(write(path, "first\n", QIODevice::WriteOnly));
            break;
        case How::RemoveAndWriteAgain:
            QVERIFY(QFile::remove(path));
            QVERIFY(changed.wait(2000));
            QVERIFY(write(path, "again\n", QIODevice::WriteOnly));
            break;
        }
        QVERIFY(changed.wait(2000));
        changed.clear();
        QVERIFY(write(path, "next test\n", QIODevice::Append));
        QVERIFY(changed.wait(2000));
        // Several notices of one write come out as one.
        QVERIFY(!changed.wait(400));
    }
};

QTEST_GUILESS_MAIN(TestLogFileWatcher)
#include "tst_logfilewatcher.moc"
