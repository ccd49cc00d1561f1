#include "fakedialog.h"
#include "garmin.h"
#include "magellan.h"
#include "serial.h"

#include <cstring>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Long enough for a reply that is coming to have come; a read after it
// finding nothing means nothing was sent.
constexpr int QUIET_MS = 250;
// Ceiling for a reply that is expected; the wait ends as soon as it is there.
constexpr int ANSWER_MS = 3000;
constexpr int PROCESS_MS = 10000;

using Summary = QMap<QString, QString>;

// gpssim as a separate process, with its ports made known to the engine the
// way a user does it: through the DUNMERROW_COMn lines it prints.
class GpsSim {
public:
    ~GpsSim()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(PROCESS_MS);
        }
        for (const QByteArray& variable : m_variables)
            qunsetenv(variable.constData());
    }

    bool Start(const QStringList& receivers, double lingerSeconds = 0)
    {
        m_process.start(QStringLiteral(GPSSIM_PATH),
                        QStringList{QStringLiteral("--dir"), PortDir(), QStringLiteral("--linger"),
                                    QString::number(lingerSeconds)} +
                            receivers);
        const int expected = receivers.filter(QRegularExpression(QStringLiteral("^--com"))).size();
        while (m_links.size() < expected) {
            if (!m_process.canReadLine() && !m_process.waitForReadyRead(PROCESS_MS))
                return false;
            const QByteArray line = m_process.readLine().trimmed();
            const int equals = line.indexOf('=');
            if (!line.startsWith("DUNMERROW_COM") || equals < 0)
                return false;
            const QByteArray variable = line.left(equals);
            const QByteArray path = line.mid(equals + 1);
            qputenv(variable.constData(), path);
            m_variables << variable;
            m_links.insert(variable.right(1).toInt(), QString::fromUtf8(path));
        }
        return true;
    }

    QString PortDir() const { return m_dir.path() + QStringLiteral("/ports"); }
    QString Link(int port) const { return m_links.value(port); }

    // Stops it as Ctrl-C or a service manager would.
    bool Stop()
    {
        m_process.terminate();
        return WaitForExit(PROCESS_MS);
    }

    bool WaitForExit(int ms)
    {
        return m_process.waitForFinished(ms) && m_process.exitStatus() == QProcess::NormalExit &&
               m_process.exitCode() == 0;
    }

    // The summary lines it printed at exit, by port.
    QMap<int, Summary> Summaries()
    {
        QMap<int, Summary> summaries;
        const QList<QByteArray> lines = m_process.readAllStandardOutput().split('\n');
        for (const QByteArray& line : lines) {
            if (!line.startsWith("# COM"))
                continue;
            const QStringList fields = QString::fromUtf8(line.mid(2)).split(QLatin1Char(' '));
            Summary summary;
            for (const QString& field : fields.mid(1))
                summary.insert(field.section(QLatin1Char('='), 0, 0),
                               field.section(QLatin1Char('='), 1));
            summaries.insert(fields.front().mid(3).toInt(), summary);
        }
        return summaries;
    }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QMap<int, QString> m_links;
    QList<QByteArray> m_variables;
};

// The program's end of the lines: the engine's own channel, used as a run
// uses it.
class Program {
public:
    ~Program() { CloseCommPorts(); }

    void Take(int k, int maker)
    {
        dlg.Tick(k, true);
        dlg.units[k].eMfg = maker;
    }

    // The version query in `maker`'s protocol, whatever speed the port runs.
    void Query(int k, int maker)
    {
        UnitInfo& unit = dlg.units[k];
        std::memset(unit.szQuery, 0, sizeof unit.szQuery);
        if (maker == GPS_MFG_GARMIN) {
            BuildGarminQuery(unit.szQuery);
            SendQuery(k, static_cast<unsigned char>(unit.szQuery[2]) + 6);
        } else {
            BuildMagellanQuery(unit.szQuery);
            SendQuery(k, static_cast<int>(std::strlen(unit.szQuery)));
        }
    }

    void SendBytes(int k, const QByteArray& bytes)
    {
        std::memcpy(dlg.units[k].szQuery, bytes.constData(), static_cast<size_t>(bytes.size()));
        SendQuery(k, static_cast<int>(bytes.size()));
    }

    // True as soon as a read finds bytes; false when a read after the quiet
    // time finds none.
    bool Answered(int k, bool bExpected)
    {
        QElapsedTimer timer;
        timer.start();
        if (!bExpected) {
            QTest::qWait(QUIET_MS);
            return ReadReply(k);
        }
        while (!ReadReply(k)) {
            if (timer.elapsed() > ANSWER_MS)
                return false;
            QTest::qWait(10);
        }
        return true;
    }

    int Check(int k)
    {
        UnitInfo& unit = dlg.units[k];
        return unit.eMfg == GPS_MFG_GARMIN ? CheckGarminReply(k, unit.szReply)
                                           : CheckMagellanReply(k, unit.szReply);
    }

    QStringList Messages() const { return dlg.messages; }

    FakeDialog dlg;
};

qint64 MillisecondsBetween(const QString& from, const QString& to)
{
    const QString format = QStringLiteral("HH:mm:ss.zzz");
    return QTime::fromString(from, format).msecsTo(QTime::fromString(to, format));
}

} // namespace

class TestGpsSim : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The program unstuffs and checks what the simulator stuffs and sums:
    // versions, ids and checksums that hold 0x10 arrive with doubled DLEs.
    void identityVerifies_data()
    {
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("receiver");
        QTest::addColumn<int>("maker");
        QTest::addColumn<QString>("version");
        const int garmin = GPS_MFG_GARMIN;
        const int magellan = GPS_MFG_MAGELLAN;
        QTest::newRow("garmin defaults, 2.72 is 0x0110")
            << 3 << "garmin" << garmin << "eTrex (Product ID=130)";
        QTest::newRow("garmin id 0x0110") << 1 << "garmin,id=0x0110,version=2.72,desc=eTrex Legend"
                                          << garmin << "eTrex Legend (Product ID=272)";
        QTest::newRow("garmin id 0x1010, version 0x0010")
            << 2 << "garmin,id=4112,version=0.16,desc=GPS 12" << garmin
            << "GPS 12 (Product ID=4112)";
        QTest::newRow("garmin checksum 0x10")
            << 1 << "garmin,id=130,version=2.72,desc=eTrexK" << garmin << "eTrexK (Product ID=130)";
        QTest::newRow("garmin escaped comma")
            << 4 << "garmin,desc=Legend\\, yellow" << garmin << "Legend, yellow (Product ID=130)";
        QTest::newRow("garmin 200-byte description")
            << 1 << "garmin,id=7,desc=" + QString(200, QLatin1Char('d')) << garmin
            << QString(200, QLatin1Char('d')) + " (Product ID=7)";
        QTest::newRow("magellan defaults")
            << 4 << "magellan" << magellan
            << "Meridian Color Software Version 1.50 (Product ID=31)";
        QTest::newRow("magellan 3.1") << 2 << "magellan,id=12,version=3.1,desc=XL" << magellan
                                      << "XL Software Version 3.10 (Product ID=12)";
    }

    void identityVerifies()
    {
        QFETCH(int, port);
        QFETCH(QString, receiver);
        QFETCH(int, maker);
        QFETCH(QString, version);
        const int k = port - 1;
        GpsSim sim;
        QVERIFY(sim.Start({QStringLiteral("--com%1").arg(port), receiver}));
        QCOMPARE(sim.Link(port), sim.PortDir() + QStringLiteral("/COM%1").arg(port));
        QVERIFY(QFileInfo(sim.Link(port)).isSymLink());

        Program program;
        program.Take(k, maker);
        InitializeCommPorts();
        program.Query(k, maker);
        QVERIFY(program.Answered(k, true));
        QCOMPARE(program.Check(k), 1);
        QCOMPARE(QString::fromUtf8(program.dlg.units[k].szVersion), version);
        QCOMPARE(program.Messages(), QStringList());
    }

    void faultyReplies_data()
    {
        QTest::addColumn<QString>("receiver");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<int>("verified");
        QTest::addColumn<QStringList>("messages");
        const QStringList none;
        const QStringList ack{"Bad Checksum in Garmin ACK Message"};
        QTest::newRow("garmin bad checksum")
            << "garmin,fault=bad-checksum" << true << 0
            << QStringList{"Bad Checksum in Garmin Version Message"};
        QTest::newRow("garmin bad ACK checksum")
            << "garmin,fault=bad-ack-checksum" << true << 0 << ack;
        QTest::newRow("garmin junk") << "garmin,fault=junk" << true << 0 << ack;
        QTest::newRow("garmin one byte of junk") << "garmin,fault=junk:1" << true << 0 << ack;
        QTest::newRow("garmin overlong") << "garmin,fault=overlong" << true << 0 << none;
        QTest::newRow("garmin silent") << "garmin,fault=silent" << false << 0 << none;
        QTest::newRow("garmin late") << "garmin,fault=late" << false << 0 << none;
        QTest::newRow("magellan bad checksum")
            << "magellan,fault=bad-checksum" << true << 0 << none;
        QTest::newRow("magellan lowercase 2d") << "magellan,fault=lowercase" << true << 0 << none;
        QTest::newRow("magellan lowercase 50, no letter")
            << "magellan,desc=Meridian,fault=lowercase" << true << 1 << none;
        QTest::newRow("magellan junk") << "magellan,fault=junk:2" << true << 0 << none;
        QTest::newRow("magellan overlong") << "magellan,fault=overlong" << true << 0 << none;
        QTest::newRow("magellan silent") << "magellan,fault=silent" << false << 0 << none;
    }

    void faultyReplies()
    {
        QFETCH(QString, receiver);
        QFETCH(bool, answered);
        QFETCH(int, verified);
        QFETCH(QStringList, messages);
        const int maker = receiver.startsWith("garmin") ? GPS_MFG_GARMIN : GPS_MFG_MAGELLAN;
        GpsSim sim;
        QVERIFY(sim.Start({"--com1", receiver}));
        Program program;
        program.Take(0, maker);
        InitializeCommPorts();
        program.Query(0, maker);
        QCOMPARE(program.Answered(0, answered), answered);
        if (!answered)
            return;
        QCOMPARE(program.Check(0), verified);
        QCOMPARE(program.Messages(), messages);
        QCOMPARE(program.dlg.units[0].szVersion[0] != '\0', verified == 1);
    }

    // One character per query: + answered and verified, - nothing came.
    void answerPattern_data()
    {
        QTest::addColumn<QString>("receiver");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("healthy magellan") << "magellan"
                                          << "+++";
        QTest::newRow("garmin every 2nd") << "garmin,fault=every:2"
                                          << "-+-+";
        QTest::newRow("magellan every 3rd") << "magellan,fault=every:3"
                                            << "--+-";
    }

    void answerPattern()
    {
        QFETCH(QString, receiver);
        QFETCH(QString, pattern);
        const int maker = receiver.startsWith("garmin") ? GPS_MFG_GARMIN : GPS_MFG_MAGELLAN;
        GpsSim sim;
        QVERIFY(sim.Start({"--com2", receiver}));
        Program program;
        program.Take(1, maker);
        InitializeCommPorts();
        QString seen;
        for (const QChar expected : pattern) {
            program.Query(1, maker);
            if (!program.Answered(1, expected == QLatin1Char('+')))
                seen += QLatin1Char('-');
            else
                seen += program.Check(1) == 1 ? QLatin1Char('+') : QLatin1Char('x');
        }
        QCOMPARE(seen, pattern);
    }

    void lateReplyComesAfterTheDelay()
    {
        GpsSim sim;
        QVERIFY(sim.Start({"--com1", "garmin,fault=late:0.6"}));
        Program program;
        program.Take(0, GPS_MFG_GARMIN);
        InitializeCommPorts();
        QElapsedTimer sinceQuery;
        program.Query(0, GPS_MFG_GARMIN);
        sinceQuery.start();
        QVERIFY(!program.Answered(0, false));
        QVERIFY(program.Answered(0, true));
        QVERIFY2(sinceQuery.elapsed() >= 550, qPrintable(QString::number(sinceQuery.elapsed())));
        QCOMPARE(program.Check(0), 1);
    }

    void nmeaTalksUnprompted()
    {
        GpsSim sim;
        QVERIFY(sim.Start({"--com1", "garmin,fault=nmea"}));
        Program program;
        program.Take(0, GPS_MFG_GARMIN);
        InitializeCommPorts();
        program.Query(0, GPS_MFG_GARMIN);
        QVERIFY(program.Answered(0, true));
        const QByteArray reply(program.dlg.units[0].szReply);
        QVERIFY2(reply.startsWith("$GPRMC,") && reply.contains("\r\n$GPGGA,"), reply.constData());
        QVERIFY(!reply.contains('\x10'));
        QCOMPARE(program.Check(0), 0);
        QCOMPARE(program.Messages(), QStringList());
        // Well-formed NMEA all the same: the first sentence's checksum holds.
        program.dlg.units[0].eMfg = GPS_MFG_MAGELLAN;
        QCOMPARE(program.Check(0), 1);

        QVERIFY(sim.Stop());
        const Summary summary = sim.Summaries().value(1);
        QCOMPARE(summary.value("queries_good"), "1");
        QCOMPARE(summary.value("replies"), "0");
        QVERIFY(summary.value("unprompted").toInt() >= 1);
    }

    // Life runs from the first query; after it a unit falls silent, or with
    // unplug its device and link disappear.
    void diesAfterLife_data()
    {
        QTest::addColumn<QString>("receiver");
        QTest::addColumn<bool>("linkRemains");
        QTest::addColumn<QString>("afterDeath");
        QTest::newRow("falls silent") << "garmin,life=0.3" << true << "1";
        QTest::newRow("unplugged") << "magellan,life=0.3,fault=unplug" << false << "0";
    }

    void diesAfterLife()
    {
        QFETCH(QString, receiver);
        QFETCH(bool, linkRemains);
        QFETCH(QString, afterDeath);
        const int maker = receiver.startsWith("garmin") ? GPS_MFG_GARMIN : GPS_MFG_MAGELLAN;
        GpsSim sim;
        QVERIFY(sim.Start({"--com3", receiver}, 5));
        Program program;
        program.Take(2, maker);
        InitializeCommPorts();
        // Time before the first query does not count against the battery.
        QTest::qWait(400);
        program.Query(2, maker);
        QVERIFY(program.Answered(2, true));
        QTest::qWait(400);
        program.Query(2, maker);
        QVERIFY(!program.Answered(2, false));
        QCOMPARE(QFileInfo(sim.Link(3)).isSymLink(), linkRemains);

        QVERIFY(sim.Stop());
        const Summary summary = sim.Summaries().value(3);
        QCOMPARE(summary.value("queries_good"), "1");
        QCOMPARE(summary.value("replies"), "1");
        QCOMPARE(summary.value("after_death"), afterDeath);
        const qint64 life =
            MillisecondsBetween(summary.value("first_query"), summary.value("died_at"));
        QVERIFY2(life >= 300 && life < 400, qPrintable(QString::number(life)));
    }

    void exitsWhenAllHaveDied()
    {
        GpsSim sim;
        QVERIFY(sim.Start({"--com1", "garmin,life=0.2", "--com2", "magellan,life=0.3"}));
        Program program;
        program.Take(0, GPS_MFG_GARMIN);
        program.Take(1, GPS_MFG_MAGELLAN);
        InitializeCommPorts();
        program.Query(0, GPS_MFG_GARMIN);
        program.Query(1, GPS_MFG_MAGELLAN);
        QVERIFY(sim.WaitForExit(PROCESS_MS));
        const QMap<int, Summary> summaries = sim.Summaries();
        QCOMPARE(summaries.keys(), (QList<int>{1, 2}));
        for (const Summary& summary : summaries) {
            QCOMPARE(summary.value("replies"), "1");
            QVERIFY(summary.value("died_at") != "-");
        }
        QVERIFY(!QFileInfo::exists(sim.PortDir()));
    }

    // A receiver understands only its own speed; the same unit answers once
    // the port is set up right.
    void wrongSpeedIsNotAnswered_data()
    {
        QTest::addColumn<int>("maker");
        QTest::addColumn<int>("portMaker");
        QTest::newRow("garmin at 4800") << int(GPS_MFG_GARMIN) << int(GPS_MFG_MAGELLAN);
        QTest::newRow("magellan at 9600") << int(GPS_MFG_MAGELLAN) << int(GPS_MFG_GARMIN);
    }

    void wrongSpeedIsNotAnswered()
    {
        QFETCH(int, maker);
        QFETCH(int, portMaker);
        GpsSim sim;
        QVERIFY(sim.Start({"--com4", maker == GPS_MFG_GARMIN ? "garmin" : "magellan"}));
        Program program;
        program.Take(3, portMaker);
        InitializeCommPorts();
        program.Query(3, maker);
        QVERIFY(!program.Answered(3, false));
        CloseCommPorts();

        program.Take(3, maker);
        InitializeCommPorts();
        program.Query(3, maker);
        QVERIFY(program.Answered(3, true));
        QCOMPARE(program.Check(3), 1);

        QVERIFY(sim.Stop());
        const Summary summary = sim.Summaries().value(4);
        QCOMPARE(summary.value("queries_good"), "1");
        QCOMPARE(summary.value("queries_bad"), "1");
        QCOMPARE(summary.value("wrong_speed"), "1");
        QCOMPARE(summary.value("replies"), "1");
    }

    void summaryCountsEveryQuery()
    {
        GpsSim sim;
        QVERIFY(sim.Start({"--com1", "garmin,life=forever", "--com2", "magellan,fault=every:2"}));
        Program program;
        program.Take(0, GPS_MFG_GARMIN);
        program.Take(1, GPS_MFG_MAGELLAN);
        InitializeCommPorts();
        for (int i = 0; i < 2; ++i) {
            program.Query(0, GPS_MFG_GARMIN);
            program.Query(1, GPS_MFG_MAGELLAN);
            QVERIFY(program.Answered(0, true));
        }
        program.SendBytes(0, QByteArray("\x10\xFE\x00\x03\x10\x03", 6)); // checksum off by one
        program.SendBytes(1, "$PMGNCMD,version*28\r\n");
        QVERIFY(!program.Answered(0, false));
        program.SendBytes(0, "U");
        QVERIFY(!program.Answered(0, false));

        QVERIFY(sim.Stop());
        const QMap<int, Summary> summaries = sim.Summaries();
        const Summary garmin = summaries.value(1);
        QCOMPARE(garmin.value("protocol"), "garmin");
        QCOMPARE(garmin.value("queries_good"), "2");
        QCOMPARE(garmin.value("queries_bad"), "2");
        QCOMPARE(garmin.value("wrong_speed"), "0");
        QCOMPARE(garmin.value("replies"), "2");
        QCOMPARE(garmin.value("life"), "forever");
        QCOMPARE(garmin.value("died_at"), "-");
        QVERIFY(garmin.value("first_query") != "-");
        const Summary magellan = summaries.value(2);
        QCOMPARE(magellan.value("fault"), "every:2");
        QCOMPARE(magellan.value("queries_good"), "2");
        QCOMPARE(magellan.value("queries_bad"), "1");
        QCOMPARE(magellan.value("replies"), "1");
        QVERIFY(!QFileInfo(sim.Link(1)).isSymLink());
        QVERIFY(!QFileInfo(sim.Link(2)).isSymLink());
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("help") << QStringList{"--help"} << 0;
        QTest::newRow("help wins") << QStringList{"--com1", "tomtom", "-h"} << 0;
        QTest::newRow("no receiver") << QStringList{} << 2;
        QTest::newRow("unknown option") << QStringList{"--com5", "garmin"} << 2;
        QTest::newRow("stray argument") << QStringList{"--com1", "garmin", "COM2"} << 2;
        QTest::newRow("port twice") << QStringList{"--com1", "garmin", "--com1", "magellan"} << 2;
        QTest::newRow("unknown protocol") << QStringList{"--com1", "tomtom"} << 2;
        QTest::newRow("unknown key") << QStringList{"--com1", "garmin,colour=red"} << 2;
        QTest::newRow("bad life") << QStringList{"--com1", "garmin,life=soon"} << 2;
        QTest::newRow("id over 16 bits") << QStringList{"--com1", "garmin,id=65536"} << 2;
        QTest::newRow("three decimals") << QStringList{"--com1", "magellan,version=1.234"} << 2;
        QTest::newRow("comma in magellan desc")
            << QStringList{"--com1", "magellan,desc=a\\,b"} << 2;
        QTest::newRow("lowercase garmin") << QStringList{"--com1", "garmin,fault=lowercase"} << 2;
        QTest::newRow("ack of magellan")
            << QStringList{"--com1", "magellan,fault=bad-ack-checksum"} << 2;
        QTest::newRow("every 1") << QStringList{"--com1", "garmin,fault=every:1"} << 2;
        QTest::newRow("unknown fault") << QStringList{"--com1", "garmin,fault=fire"} << 2;
        QTest::newRow("bad linger") << QStringList{"--linger", "x", "--com1", "garmin"} << 2;
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QProcess process;
        process.start(QStringLiteral(GPSSIM_PATH), arguments);
        QVERIFY(process.waitForFinished(PROCESS_MS));
        QCOMPARE(process.exitCode(), exitCode);
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        const QString err = QString::fromUtf8(process.readAllStandardError());
        if (exitCode != 0) {
            QVERIFY2(err.startsWith("gpssim: "), qPrintable(err));
            QCOMPARE(out, QString());
            return;
        }
        for (const char* word : {"--com1",
                                 "--com4",
                                 "--dir",
                                 "--linger",
                                 "--verbose",
                                 "life=",
                                 "id=",
                                 "version=",
                                 "desc=",
                                 "fault=",
                                 "none",
                                 "silent",
                                 "bad-checksum",
                                 "bad-ack-checksum",
                                 "lowercase",
                                 "junk[:N]",
                                 "overlong",
                                 "every:N",
                                 "late[:SECONDS]",
                                 "nmea",
                                 "unplug",
                                 "Examples:"})
            QVERIFY2(out.contains(QLatin1String(word)), word);
    }
};

QTEST_GUILESS_MAIN(TestGpsSim)
#include "tst_gpssim.moc"
