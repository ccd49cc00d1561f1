// gpssim's receiver descriptions, query checks and replies, taken directly;
// then runs of it as its own process, read through the engine's serial
// device and polled by the engine's run.
#include "commandline.h"
#include "controlids.h"
#include "fakedialog.h"
#include "gpssimprocess.h"
#include "hexbytes.h"
#include "portmap.h"
#include "qtserialdevice.h"
#include "queryreader.h"
#include "receiverarg.h"
#include "replybuilder.h"
#include "run.h"
#include "scratchdirectory.h"
#include "traffictrace.h"

#include <QtTest>

namespace {

// Sentences as they came off the line, checked here and not by the code
// under test.
bool nmeaChecksumsRight(const QByteArray& sentences)
{
    for (const QByteArray& s : sentences.split('\n')) {
        char sum = 0;
        for (const char c : s.mid(1, s.indexOf('*') - 1))
            sum ^= c;
        if (!s.isEmpty() && !s.endsWith(QByteArray::number(uchar(sum), 16).toUpper() + '\r'))
            return false;
    }
    return true;
}

} // namespace

class TestGpsSim : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A receiver's life, streaming and version answer, or the start of the
    // complaint. The answers are worked out by hand: Garmin checksums are the
    // two's complement of the byte sum, and every 0x10 but the framing's is
    // doubled.
    void receivers_data()
    {
        QTest::addColumn<QString>("receiver");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray ack = Hex("10 06 02 FE 00 FA 10 03");
        const QByteArray data = ack + Hex("10 FF 0A 82 00 10 10 01 65 54 72 65 78 00");
        const QByteArray version = "$PMGNVER,31,1.50,Meridian Color*";
        QTest::newRow("garmin") << "garmin"
                                << "60s off " + data + Hex("5C 10 03");
        QTest::newRow("garmin bad") << "garmin,fault=bad-checksum,stream,life=1.5"
                                    << "1.5s on " + data + Hex("A3 10 03");
        QTest::newRow("garmin sum 0x10")
            << "garmin,desc=eTrexK,id=0x82"
            << "60s off " + ack + Hex("10 FF 0B 82 00 10 10 01 65 54 72 65 78 4B 00 10 10 10 03");
        QTest::newRow("magellan") << "magellan,stream=on,life=forever"
                                  << "forever on " + version + "2D\r\n";
        QTest::newRow("magellan lower") << "magellan,fault=lowercase,life=2h30m"
                                        << "9000s off " + version + "2d\r\n";
        QTest::newRow("magellan own") << "magellan,id=12,version=3.1,desc=XL"
                                      << QByteArray("60s off $PMGNVER,12,3.10,XL*72\r\n");
        QTest::newRow("slow, in bursts") << "magellan,delay=3-6,burst=2.8"
                                         << "60s on " + version + "2D\r\n";
        QTest::newRow("protocol") << "tomtom" << QByteArray("unknown protocol 'tomtom'");
        QTest::newRow("life") << "garmin,life=501h" << QByteArray("life '501h' is not");
        QTest::newRow("lowercase") << "garmin,fault=lowercase" << QByteArray("fault 'lowercase'");
        QTest::newRow("vanish") << "garmin,vanish=20" << QByteArray("vanish '20' is not");
        QTest::newRow("no recording")
            << "replay=/nonexistent" << QByteArray("replay '/nonexistent': No such file");
        QTest::newRow("capture") << "replay=" RECEIVER_DATA "/eXplorist210.log,life=3,desc=X"
                                 << QByteArray("3s on $PMGNVER,31,1.50,X*39\r\n");
    }

    void receivers()
    {
        QFETCH(QString, receiver);
        QFETCH(QByteArray, expected);
        UnitConfig config;
        QString error;
        if (!parseReceiverArg(receiver, config, error))
            QCOMPARE(error.toUtf8().left(expected.size()), expected);
        else
            QCOMPARE((lifeText(config.lifeMs) + (config.stream ? " on " : " off ")).toUtf8() +
                         ReplyBuilder(config).versionReply(),
                     expected);
    }

    // The ports and linger a command line asks for, or the start of the
    // complaint.
    void commandLines_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ports in order") << QStringList{"--com3", "magellan", "-com1", "garmin"}
                                        << "1 garmin 3 magellan linger 5000";
        QTest::newRow("linger") << QStringList{"--linger", "0.25", "--com4", "garmin"}
                                << "4 garmin linger 250";
        QTest::newRow("help wins") << QStringList{"--com5", "x", "-h"} << "help";
        QTest::newRow("no receiver") << QStringList{"-v"} << "no receivers";
        QTest::newRow("bad receiver") << QStringList{"--com2", "garmin,life"} << "--com2: 'life'";
    }

    void commandLines()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        SimOptions options;
        QString error;
        QString got;
        if (parseCommandLine(arguments, options, error) && !options.help) {
            for (const SimOptions::Receiver& receiver : options.receivers)
                got += QString("%1 %2 ")
                           .arg(receiver.port)
                           .arg(protocolName(receiver.config.protocol));
            got += QString("linger %1").arg(options.lingerMs);
        } else {
            got = options.help ? "help" : error.left(expected.size());
        }
        QCOMPARE(got, expected);
    }

    // The verdicts ('+' good, '-' bad) on bytes arriving in these pieces;
    // together they hold every byte given, in order, but for the start of a
    // query still awaiting its rest.
    void queries_data()
    {
        QTest::addColumn<bool>("garmin");
        QTest::addColumn<QByteArrayList>("pieces");
        QTest::addColumn<QString>("verdicts");
        const QByteArray query = Hex("10 FE 00 02 10 03");
        QTest::newRow("garmin pieces")
            << true << QByteArrayList{"\x10", Hex("FE 00 02"), "\x10\x03"} << "+";
        QTest::newRow("garmin junk, twice")
            << true << QByteArrayList{"ab" + query + query} << "-++";
        QTest::newRow("garmin broken off")
            << true << QByteArrayList{Hex("10 FE 00"), query} << "-+";
        QTest::newRow("garmin waiting") << true << QByteArrayList{query + Hex("10 FE")} << "+";
        QTest::newRow("magellan checksum")
            << false << QByteArrayList{"$PMGNCMD,VERSION*29\r\n"} << "-";
        QTest::newRow("magellan no CR")
            << false << QByteArrayList{"$PMGNCMD,VERSION*28\n$PMGNCMD,VERSION*28\r\n"} << "-+";
    }

    void queries()
    {
        QFETCH(bool, garmin);
        QFETCH(QByteArrayList, pieces);
        QueryReader reader(garmin ? Protocol::Garmin : Protocol::Magellan);
        QString verdicts;
        QByteArray heard;
        for (const QByteArray& piece : pieces) {
            for (const QueryReader::Verdict& verdict : reader.feed(piece)) {
                verdicts += verdict.good ? '+' : '-';
                heard += verdict.raw;
            }
        }
        QTEST(verdicts, "verdicts");
        QVERIFY(pieces.join().startsWith(heard));
    }

    // A streaming Magellan talks at its line's pace from the moment the port
    // is set up, answers between its sentences, and falls silent when its
    // battery is flat, three seconds after the query. A streaming Garmin
    // sends PVT packets besides its faulty answer, a second and a half late.
    void streamingReceivers()
    {
        QTemporaryDir dir;
        QProcess sim;
        PortMap map;
        QVERIFY(startGpssim(
            sim, GPSSIM_PATH, dir.path(),
            {"magellan,stream,life=3", "garmin,stream,life=3,fault=bad-checksum,delay=1.5"}, map));
        QtSerialDevice ports[2];
        for (int k = 0; k < 2; ++k) {
            QVERIFY(ports[k].Open(map.device(k).toUtf8().constData()) &&
                    ports[k].SetLineSettings({k == 0 ? 4800 : 9600, 8, 0, 1}));
        }
        QByteArray heard[2];
        qint64 firstAt = -1, lastAt = -1, atQuery = -1, answeredAt = -1;
        const QByteArray garminAnswer = Hex("10 06 02 FE 00 FA 10 03 10 FF 0A 82 00 10 10 01");
        QElapsedTimer clock;
        for (clock.start(); clock.elapsed() < 5000; QTest::qWait(20)) {
            char buf[4096];
            const int n = ports[0].ReadWaiting(buf, sizeof buf);
            heard[0].append(buf, n);
            heard[1].append(buf, ports[1].ReadWaiting(buf, sizeof buf));
            if (answeredAt < 0 && heard[1].contains(garminAnswer))
                answeredAt = clock.elapsed();
            firstAt = n > 0 && firstAt < 0 ? clock.elapsed() : firstAt;
            lastAt = n > 0 ? clock.elapsed() : lastAt;
            if (atQuery < 0 && clock.elapsed() >= 1000) {
                atQuery = heard[0].size();
                ports[0].Write("$PMGNCMD,VERSION*28\r\n", 21);
                ports[1].Write("\x10\xFE\x00\x02\x10\x03", 6);
            }
        }
        const qint64 pace = heard[0].size() * 1000 / (lastAt - firstAt); // bytes a second
        // 4800 baud carries 480 bytes a second. This loop looks every 20 ms,
        // and a loaded machine can keep it from looking for a few hundred
        // more: the last bytes may be seen that much after the silence began,
        // which also thins the pace seen.
        QVERIFY2(atQuery > 0 && lastAt > 3900 && lastAt < 4600 && pace >= 400 && pace <= 500,
                 qPrintable(QString("silent from %1 ms, %2 bytes a second").arg(lastAt).arg(pace)));
        QVERIFY(nmeaChecksumsRight(heard[0]));
        const QByteArray answer = "\n$PMGNVER,31,1.50,Meridian Color*2D\r\n$";
        QCOMPARE(heard[0].count(answer), 1);
        QVERIFY(heard[0].indexOf(answer) + 1 >= atQuery); // its "$" came after the query
        QVERIFY(heard[1].count(Hex("10 33 40")) >= 3);
        QVERIFY2(answeredAt >= 2400 && answeredAt < 3500, qPrintable(QString::number(answeredAt)));

        sim.terminate();
        QVERIFY(sim.waitForFinished());
        const QByteArray summaries = sim.readAllStandardOutput();
        const QByteArray counts = "queries_good=1 queries_bad=0 replies=1 streamed_bytes=";
        QVERIFY(summaries.contains(counts + QByteArray::number(heard[0].size() - 36) + " dead=1"));
        QVERIFY(summaries.contains(counts + QByteArray::number(heard[1].size() - 25) + " dead=1"));
    }

    // Real receivers' output as the stream of Magellans that answer, and a
    // Garmin: the engine finds the version amid it and the endurance is the
    // battery's. The run's traffic trace, replayed, is the same receivers
    // again.
    void capturesThenTheirTrace()
    {
        ScratchDirectory scratch;
        QString versions[3], endurances[3];
        for (const bool replayed : {false, true}) {
            QProcess sim;
            const QString capture = "replay=" RECEIVER_DATA "/eXplorist%1.log,life=%2";
            TrafficTrace trace;
            QString error;
            QVERIFY(replayed || trace.open("trace.txt", "Dunmerrow", error));
            FakeDialog dlg;
            dlg.bRealClock = true;
            PortMap map;
            QVERIFY(startGpssim(sim, GPSSIM_PATH, "ports",
                                replayed ? QStringList(3, "replay=trace.txt")
                                         : QStringList{capture.arg(210).arg(3),
                                                       capture.arg(110).arg(5) + ",desc=110",
                                                       "garmin,life=7"},
                                map));
            dlg.portSet.setMap(map);
            dlg.portSet.traceTraffic(replayed ? nullptr : &trace);
            for (int k = 0; k < 3; ++k) {
                dlg.Tick(k, true);
                dlg.SetText(IDC_GPS_MFG_BASE + k, k < 2 ? "Magellan" : "Garmin");
            }
            RunEnduranceTest();
            sim.terminate();
            QVERIFY(sim.waitForFinished());
            for (int k = 0; k < 3; ++k) {
                const UnitInfo& unit = dlg.units[k];
                if (replayed) {
                    QCOMPARE(unit.szVersion, versions[k]);
                    QCOMPARE(unit.szEndurance, endurances[k]);
                    continue;
                }
                versions[k] = unit.szVersion;
                endurances[k] = unit.szEndurance;
                const int life = 3 + 2 * k;
                QVERIFY2(unit.dEndurance >= life + 2 && unit.dEndurance <= life + 4,
                         unit.szEndurance);
            }
        }
        QCOMPARE(versions[0], "Meridian Color Software Version 1.50 (Product ID=31)");
        QCOMPARE(versions[1], "110 Software Version 1.50 (Product ID=31)");
        QCOMPARE(versions[2], "eTrex (Product ID=130)");
    }
};

QTEST_GUILESS_MAIN(TestGpsSim)
#include "tst_gpssim.moc"
