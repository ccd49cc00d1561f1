// gpssim's receiver descriptions and replies, taken directly; then a run of
// it as its own process, polled by the engine's run. How it streams, lingers,
// checks queries and reads its command line is what every gui and Windows
// scenario shows; the engine's queries are pinned byte for byte by
// tst_traffictrace and tst_serial.
#include "controlids.h"
#include "fakedialog.h"
#include "gpssimprocess.h"
#include "hexbytes.h"
#include "portmap.h"
#include "receiverarg.h"
#include "replybuilder.h"
#include "run.h"
#include "scratchdirectory.h"

#include <QtTest>

class TestGpsSim : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A receiver's life, streaming and version answer. The answers are worked out by hand: Garmin
    // checksums are the two's complement of the byte sum, and every 0x10 but the framing's is
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
        QTest::newRow("capture") << "replay=" RECEIVER_DATA "/eXplorist210.log,life=3,desc=X"
                                 << QByteArray("3s on $PMGNVER,31,1.50,X*39\r\n");
    }

    void receivers()
    {
        QFETCH(QString, receiver);
        QFETCH(QByteArray, expected);
        UnitConfig config;
        QString error;
        QVERIFY2(parseReceiverArg(receiver, config, error), qPrintable(error));
        QCOMPARE((lifeText(config.lifeMs) + (config.stream ? " on " : " off ")).toUtf8() +
                     ReplyBuilder(config).versionReply(),
                 expected);
    }

    // Real receivers' output as the stream of Magellans that answer, and a
    // Garmin: the engine finds the version amid it and the endurance is the
    // battery's.
    void captures()
    {
        ScratchDirectory scratch;
        QProcess sim;
        const QString capture = "replay=" RECEIVER_DATA "/eXplorist%1.log,life=%2";
        FakeDialog dlg;
        dlg.realClock = true;
        PortMap map;
        QVERIFY(startGpssim(
            sim, GPSSIM_PATH, "ports",
            {capture.arg(210).arg(3), capture.arg(110).arg(5) + ",desc=110", "garmin,life=7"},
            map));
        dlg.portSet.setMap(map);
        for (int k = 0; k < 3; ++k) {
            dlg.tick(k, true);
            dlg.setText(IDC_GPS_MFG_BASE + k, k < 2 ? "Magellan" : "Garmin");
        }
        RunEnduranceTest();
        sim.terminate();
        QVERIFY(sim.waitForFinished());
        for (int k = 0; k < 3; ++k) {
            const UnitInfo& unit = dlg.units[k];
            const int life = 3 + 2 * k;
            QVERIFY2(unit.dEndurance >= life + 2 && unit.dEndurance <= life + 4, unit.szEndurance);
        }
        QCOMPARE(dlg.units[0].szVersion, "Meridian Color Software Version 1.50 (Product ID=31)");
        QCOMPARE(dlg.units[1].szVersion, "110 Software Version 1.50 (Product ID=31)");
        QCOMPARE(dlg.units[2].szVersion, "eTrex (Product ID=130)");
    }
};

QTEST_GUILESS_MAIN(TestGpsSim)
#include "tst_gpssim.moc"
