// gpssim run as its own process and talked to through the engine's serial
// channel, as the program talks to it: what it sends must be what the
// program's checks expect, fault by fault.
#include "fakedialog.h"
#include "garmin.h"
#include "magellan.h"
#include "portmap.h"
#include "serial.h"
#include "versionqueries.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The simulator, its ports made known to the engine through the
// DUNMERROW_COMn lines it prints; and the program's end of them.
struct Bench {
    ~Bench() { CloseCommPorts(); }

    // Starts it and opens the program's ports at their receivers' speeds.
    bool Start(const QStringList& receivers)
    {
        process.start(GPSSIM_PATH, QStringList{"--dir", dir.path()} + receivers);
        for (int n = 1; n < receivers.size(); n += 2) {
            const int k = receivers[n - 1].right(1).toInt() - 1;
            dlg.Tick(k, true);
            dlg.SetText(dlg.units[k].nMfgCtrl, qPrintable(receivers[n].section(',', 0, 0)));
            if (!process.canReadLine() && !process.waitForReadyRead())
                return false;
            const QList<QByteArray> line = process.readLine().trimmed().split('=');
            ports.map(k, QString::fromUtf8(line.value(1)), PortMap::Origin::Environment);
        }
        PortMap::setActive(ports);
        BuildVersionQueries();
        InitializeCommPorts();
        return true;
    }

    // Sends the unit's version query and reads: '+' for a reply the engine
    // verifies, 'x' for one it rejects, '-' for none. Without `bExpected`
    // it reads once, after the quiet time.
    QChar Ask(int k, bool bExpected)
    {
        UnitInfo& unit = dlg.units[k];
        const bool bGarmin = unit.eMfg == GPS_MFG_GARMIN;
        SendQuery(k, bGarmin ? 6 : int(qstrlen(unit.szQuery)));
        QTest::qWait(bExpected ? 0 : 250); // a reply that was coming has come by then
        for (int waited = 0; !ReadReply(k); waited += 10) {
            if (!bExpected || waited > 3000)
                return '-';
            QTest::qWait(10);
        }
        if (bGarmin ? CheckGarminReply(k, unit.szReply) : CheckMagellanReply(k, unit.szReply))
            return '+';
        return 'x';
    }

    // Stops it as Ctrl-C would; what it printed then.
    QString Stop()
    {
        process.terminate();
        const bool bClean = process.waitForFinished() && process.exitCode() == 0;
        return bClean ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
    }

    FakeDialog dlg;
    QTemporaryDir dir;
    QProcess process;
    PortMap ports;
};

} // namespace

class TestGpsSim : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // One query per character of the pattern; then what the program took
    // from the replies, the version text or its complaint. Versions, ids
    // and checksums holding 0x10 go out with doubled DLEs, undone by it.
    void replies_data()
    {
        QTest::addColumn<QString>("receiver");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("port");
        const char* const ack = "Bad Checksum in Garmin ACK Message";
        const struct {
            const char *name, *receiver, *pattern, *shown = "";
            int port = 1;
        } rows[] = {
            {"garmin 0x0110 twice", "garmin,id=0x0110,version=2.72,desc=Legend", "+",
             "Legend (Product ID=272)", 3},
            {"garmin checksum 0x10", "garmin,desc=eTrexK", "+", "eTrexK (Product ID=130)", 2},
            {"magellan 3.1", "magellan,id=12,version=3.1,desc=XL", "+",
             "XL Software Version 3.10 (Product ID=12)", 4},
            {"magellan lowercase 50", "magellan,desc=Meridian,fault=lowercase", "+",
             "Meridian Software Version 1.50 (Product ID=31)"},
            {"garmin bad checksum", "garmin,fault=bad-checksum", "x",
             "Bad Checksum in Garmin Version Message"},
            {"magellan bad checksum", "magellan,fault=bad-checksum", "x"},
            {"garmin bad ACK", "garmin,fault=bad-ack-checksum", "x", ack},
            {"garmin junk", "garmin,fault=junk:1", "+", "eTrex (Product ID=130)"},
            {"magellan lowercase 2d", "magellan,fault=lowercase", "x"},
            {"garmin nmea", "garmin,fault=nmea", "x"},
            {"garmin silent", "garmin,fault=silent", "--"},
            {"magellan every 3rd", "magellan,fault=every:3", "--+-",
             "Meridian Color Software Version 1.50 (Product ID=31)"},
            {"garmin late", "garmin,fault=late:0.6", "-+", "eTrex (Product ID=130)"},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name) << row.receiver << row.pattern << row.shown << row.port;
        // Longer than a read once took: whole all the same, cut to the field.
        QTest::newRow("garmin overlong")
            << "garmin,fault=overlong"
            << "+" << ("eTrex" + QString(245, '.') + " (Product ID=130)").left(254) << 1;
        QTest::newRow("magellan overlong") << "magellan,fault=overlong"
                                           << "+" << ("Meridian Color" + QString(240, '.')) << 1;
    }

    void replies()
    {
        QFETCH(QString, receiver);
        QFETCH(QString, pattern);
        QFETCH(int, port);
        Bench bench;
        QVERIFY(bench.Start({QString("--com%1").arg(port), receiver}));
        QString seen;
        for (const QChar expected : pattern)
            seen += bench.Ask(port - 1, expected != '-');
        QCOMPARE(seen, pattern);
        const QStringList& messages = bench.dlg.messages;
        QTEST(bench.dlg.units[port - 1].szVersion +
                  (messages.empty() ? QString() : messages.back()),
              "shown");
        QVERIFY(!bench.Stop().isEmpty());
    }

    // A unit hears only its own speed; its life runs from its first query,
    // and after it the unit is silent. The summary counts all of it.
    void speedLifeAndSummary()
    {
        Bench bench;
        QVERIFY(bench.Start({"--com1", "garmin,life=0.3", "--com2", "magellan"}));
        QTest::qWait(400);
        QCOMPARE(bench.Ask(0, true), '+');
        QCOMPARE(bench.Ask(1, true), '+');
        CloseCommPorts(); // and the Magellan's line at the Garmin's speed
        bench.dlg.units[1].eMfg = GPS_MFG_GARMIN;
        InitializeCommPorts();
        bench.dlg.units[1].eMfg = GPS_MFG_MAGELLAN;
        QCOMPARE(bench.Ask(1, false), '-');
        QTest::qWait(400);
        QCOMPARE(bench.Ask(0, false), '-');

        const QString out = bench.Stop();
        const QRegularExpressionMatch garmin =
            QRegularExpression("COM1 .* queries_good=1 queries_bad=0 wrong_speed=0 replies=1 .* "
                               "after_death=1 .* first_query=(\\S+) died_at=(\\S+)")
                .match(out);
        QVERIFY2(garmin.hasMatch(), qPrintable(out));
        const qint64 life = QTime::fromString(garmin.captured(1), "HH:mm:ss.zzz")
                                .msecsTo(QTime::fromString(garmin.captured(2), "HH:mm:ss.zzz"));
        QVERIFY2(life >= 300 && life < 400, qPrintable(QString::number(life)));
        QVERIFY(out.contains(QRegularExpression("COM2 .* queries_good=1 queries_bad=1 "
                                                "wrong_speed=1 replies=1 .* died_at=-")));
    }

    // Help on standard output; for anything else a complaint on standard
    // error and nothing on standard output.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("help") << QStringList{"--help"} << 0;
        QTest::newRow("help wins") << QStringList{"--com1", "tomtom", "-h"} << 0;
        QTest::newRow("no receiver") << QStringList{} << 2;
        QTest::newRow("unknown key") << QStringList{"--com1", "garmin,colour=red"} << 2;
        QTest::newRow("bad life") << QStringList{"--com1", "garmin,life=soon"} << 2;
        QTest::newRow("lowercase garmin") << QStringList{"--com1", "garmin,fault=lowercase"} << 2;
        QTest::newRow("every 1") << QStringList{"--com1", "magellan,fault=every:1"} << 2;
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QProcess process;
        process.start(GPSSIM_PATH, arguments);
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitCode(), exitCode);
        QCOMPARE(process.readAllStandardOutput().startsWith("Usage: gpssim"), exitCode == 0);
        QCOMPARE(process.readAllStandardError().startsWith("gpssim: "), exitCode != 0);
    }
};

QTEST_GUILESS_MAIN(TestGpsSim)
#include "tst_gpssim.moc"
