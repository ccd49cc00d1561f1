// gpssim's receiver descriptions, query checks and replies, taken directly;
// then runs of it as its own process, polled by the engine's run. How it
// streams, lingers and reads its command line is what every gui and Windows
// scenario shows.
#include "controlids.h"
#include "fakedialog.h"
#include "gpssimprocess.h"
#include "hexbytes.h"
#include "portmap.h"
#include "queryreader.h"
#include "receiverarg.h"
#include "replybuilder.h"
#include "run.h"
#include "scratchdirectory.h"
#include "traffictrace.h"

#include <QtTest>

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
        const QByteArray ack = hex("10 06 02 FE 00 FA 10 03");
        const QByteArray data = ack + hex("10 FF 0A 82 00 10 10 01 65 54 72 65 78 00");
        const QByteArray version = "$PMGNVER,31,1.50,Meridian Color*";
        QTest::newRow("garmin") << "garmin"
                                << "60s off " + data + hex("5C 10 03");
        QTest::newRow("garmin bad") << "garmin,fault=bad-checksum,stream,life=1.5"
                                    << "1.5s on " + data + hex("A3 10 03");
        QTest::newRow("garmin sum 0x10")
            << "garmin,desc=eTrexK,id=0x82"
            << "60s off " + ack + hex("10 FF 0B 82 00 10 10 01 65 54 72 65 78 4B 00 10 10 10 03");
        QTest::newRow("magellan lower") << "magellan,fault=lowercase,life=2h30m"
                                        << "9000s off " + version + "2d\r\n";
        QTest::newRow("magellan own") << "magellan,id=12,version=3.1,desc=XL"
                                      << QByteArray("60s off $PMGNVER,12,3.10,XL*72\r\n");
        QTest::newRow("slow, in bursts") << "magellan,delay=3-6,burst=2.8"
                                         << "60s on " + version + "2D\r\n";
        QTest::newRow("life") << "garmin,life=501h" << QByteArray("life '501h' is not");
        QTest::newRow("vanish") << "garmin,vanish=20" << QByteArray("vanish '20' is not");
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

    // The verdicts ('+' good, '-' bad) on bytes arriving in these pieces;
    // together they hold every byte given, in order, but for the start of a
    // query still awaiting its rest.
    void queries_data()
    {
        QTest::addColumn<bool>("garmin");
        QTest::addColumn<QByteArrayList>("pieces");
        QTest::addColumn<QString>("verdicts");
        const QByteArray query = hex("10 FE 00 02 10 03");
        QTest::newRow("garmin pieces")
            << true << QByteArrayList{"\x10", hex("FE 00 02"), "\x10\x03"} << "+";
        QTest::newRow("garmin junk, twice")
            << true << QByteArrayList{"ab" + query + query} << "-++";
        QTest::newRow("garmin broken off")
            << true << QByteArrayList{hex("10 FE 00"), query} << "-+";
        QTest::newRow("garmin waiting") << true << QByteArrayList{query + hex("10 FE")} << "+";
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
            dlg.realClock = true;
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
                dlg.tick(k, true);
                dlg.setText(IDC_GPS_MFG_BASE + k, k < 2 ? "Magellan" : "Garmin");
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
