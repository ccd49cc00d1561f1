#include "fakedialog.h"
#include "resultlog.h"
#include "scratchdirectory.h"

#include <cerrno>
#include <cstring>
#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

// Sat Dec 05 14:03:22 2026 and Sat Dec 05 20:15:40 2026, UTC.
constexpr std::time_t START = 1796479402;
constexpr std::time_t LAST = 1796501740;

// A unit that finished: the log's example receiver on COM2.
void Finish(FakeDialog& dlg, int k, int maker, const char* version, const char* endurance)
{
    UnitInfo& u = dlg.units[k];
    u.eMfg = maker;
    std::strcpy(u.szVersion, version);
    u.tStart = START;
    u.tLastResponse = LAST;
    std::strcpy(u.szEndurance, endurance);
    dlg.setText(u.nBatteryMakerCtrl, "Acme");
    dlg.setText(u.nBatteryTypeCtrl, "Ni-MH");
    dlg.setText(u.nCapacityCtrl, "1800");
    dlg.setText(u.nCommentsCtrl, "spare set");
}

QByteArray LogContents()
{
    QFile file("BATTERY.TXT");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
}

const QByteArray EXAMPLE = "COM2, Garmin V, Acme, Ni-MH, 1800, Sat Dec 05 14:03:22 2026, "
                           "Sat Dec 05 20:15:40 2026, 06:12:18, spare set\n";

} // namespace

class TestResultLog : public QObject {
    Q_OBJECT

    ScratchDirectory m_scratch;

private Q_SLOTS:
    void init() { QFile::remove("BATTERY.TXT"); }

    void fields_data()
    {
        QTest::addColumn<QByteArray>("batteryMaker");
        QTest::addColumn<QByteArray>("comments");
        QTest::addColumn<int>("removed");
        QTest::addColumn<QByteArray>("line");

        const QByteArray times = "Sat Dec 05 14:03:22 2026, Sat Dec 05 20:15:40 2026, 06:12:18, ";
        const QByteArray acme = "Acme";
        QTest::newRow("example") << acme << QByteArray("spare set") << 0 << EXAMPLE;
        // The 254-byte limit falls inside the three-byte "€", dropped whole.
        QTest::newRow("long text cut at a whole character")
            << acme << QByteArray(252, 'a') + "\xe2\x82\xactail" << 0
            << "COM2, Garmin V, Acme, Ni-MH, 1800, " + times + QByteArray(252, 'a') + "\n";
        // However a text came to hold a line break, the unit keeps one line.
        QTest::newRow("control characters become blanks")
            << QByteArray("Ac\r\nme") << QByteArray("first\nsecond\tline") << 0
            << "COM2, Garmin V, Ac  me, Ni-MH, 1800, " + times + "first second line\n";
        QTest::newRow("no type control")
            << acme << QByteArray() << 1020 << "COM2, Garmin V, Acme, 1800, " + times + "\n";
        QTest::newRow("no comments control")
            << acme << QByteArray("lost") << 1037
            << "COM2, Garmin V, Acme, Ni-MH, 1800, " + times + "\n";
    }

    void fields()
    {
        QFETCH(QByteArray, batteryMaker);
        QFETCH(QByteArray, comments);
        QFETCH(int, removed);
        QFETCH(QByteArray, line);

        FakeDialog dlg;
        Finish(dlg, 1, GPS_MFG_GARMIN, "V", "06:12:18");
        dlg.setText(dlg.units[1].nBatteryMakerCtrl, batteryMaker.constData());
        dlg.setText(dlg.units[1].nCommentsCtrl, comments.constData());
        if (removed)
            dlg.removeControl(removed);
        WriteResults();
        QCOMPARE(LogContents(), line);
    }

    // Only finished units, in port order, appended to what the file holds;
    // a last line without its end gets one first. With none finished the
    // file is made all the same, empty.
    void appendsFinishedUnitsInPortOrder()
    {
        {
            FakeDialog none;
            QCOMPARE(WriteResults(), 1);
            QCOMPARE(LogContents(), QByteArray());
        }
        QFile file("BATTERY.TXT");
        QVERIFY(file.open(QIODevice::Append) && file.write("earlier line") == 12);
        file.close();
        FakeDialog dlg;
        Finish(dlg, 2, GPS_MFG_MAGELLAN, "XL Software Version 3.10 (Product ID=12)", "00:00:02");
        Finish(dlg, 0, GPS_MFG_GARMIN, "eTrex (Product ID=130)", "100:00:00");
        // Ticked, but never finished: no line. Unticked after it finished:
        // the line is still written.
        dlg.tick(1, true);
        dlg.tick(0, false);
        QCOMPARE(WriteResults(), 1);
        WriteResults();
        const QList<QByteArray> lines = LogContents().split('\n');
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines[0], "earlier line");
        QVERIFY(lines[1].startsWith("COM1, Garmin eTrex (Product ID=130), Acme,"));
        QVERIFY(lines[1].contains(", 100:00:00, spare set"));
        QVERIFY(lines[2].startsWith("COM3, Magellan XL Software Version 3.10 (Product ID=12), "));
        QCOMPARE(lines[3] + lines[4] + lines[5], lines[1] + lines[2]);
        QVERIFY(dlg.messages.empty());
    }

    // The operator learns why, and gets the lines to copy; with no finished
    // unit (error 0) nothing is lost and nothing said.
    void unwritableLog_data()
    {
        QTest::addColumn<QString>("place");
        QTest::addColumn<int>("error");
        // Root may write anywhere; a directory in the file's place stops
        // anyone.
        QTest::newRow("directory") << "" << EISDIR;
        QTest::newRow("directory, no finished unit") << "" << 0;
#ifdef Q_OS_LINUX
        QTest::newRow("full disk") << "/dev/full" << ENOSPC;
#endif
    }
    void unwritableLog()
    {
        QFETCH(QString, place);
        QFETCH(int, error);
        QVERIFY(place.isEmpty() ? QDir().mkdir("BATTERY.TXT") : QFile::link(place, "BATTERY.TXT"));
        FakeDialog dlg;
        if (error != 0)
            Finish(dlg, 1, GPS_MFG_GARMIN, "V", "06:12:18");
        QCOMPARE(WriteResults(), error != 0 ? 0 : 1);
        const QString text = "Copyable: Could not write the results to BATTERY.TXT: " +
                             QString::fromLocal8Bit(std::strerror(error)) +
                             "\n\nThese results were not written:\n" + EXAMPLE.chopped(1);
        QCOMPARE(dlg.messages, error != 0 ? QStringList{text} : QStringList());
        QVERIFY(QDir().rmdir("BATTERY.TXT") || QFile::remove("BATTERY.TXT"));
    }
};

QTEST_GUILESS_MAIN(TestResultLog)
#include "tst_resultlog.moc"
