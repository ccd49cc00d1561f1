#include "controlids.h"
#include "fakedialog.h"
#include "fakeport.h"
#include "hexbytes.h"
#include "run.h"
#include "timetext.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const std::string COMPLETED = "Test completed... all units did not reply";
const std::string CANCELLED = "Test cancelled by user";
const QByteArray GARMIN_REPLY =
    Hex("10 06 02 FE 00 FA 10 03 10 FF 08 23 01 90 01 41 42 43 00 7E 10 03");
const QByteArray MAGELLAN_REPLY = "$PMGNVER,12,3.10,XL*72\r\n";

// A dialog with four fake receivers, ticked as asked, makers chosen in the
// lists as the operator would.
struct Bench {
    FakeDialog dlg;
    FakePort ports[UNIT_COUNT];

    Bench()
    {
        for (int k = 0; k < UNIT_COUNT; ++k) {
            dlg.Attach(k, ports[k]);
            dlg.SetText(IDC_GPS_MFG_BASE + k, "Garmin");
            ports[k].SetReply(GARMIN_REPLY.constData(), GARMIN_REPLY.size());
        }
    }
    void Use(int k, const char* maker, int answers)
    {
        dlg.Tick(k, true);
        dlg.SetText(IDC_GPS_MFG_BASE + k, maker);
        ports[k].nAnswers = answers;
        if (QByteArray(maker).startsWith("Magellan"))
            ports[k].SetReply(MAGELLAN_REPLY.constData(), MAGELLAN_REPLY.size());
    }
    bool AllDone() const
    {
        for (int k = 0; k < UNIT_COUNT; ++k)
            if (dlg.units[k].bInRun && !dlg.units[k].bDone)
                return false;
        return true;
    }
    QByteArray Ctime(std::time_t t) const
    {
        char text[CTIME_SIZE];
        FormatCtime(t, text);
        return text;
    }
};

QByteArray Log()
{
    QFile file("BATTERY.TXT");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestRun : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase() { QVERIFY(QDir::setCurrent(m_dir.path())); }
    void init() { QFile::remove("BATTERY.TXT"); }

    void silentUnitLastsTwoSeconds_data()
    {
        QTest::addColumn<int>("msIntoSecond");
        QTest::newRow("start of a second") << 0;
        QTest::newRow("middle") << 500;
        QTest::newRow("end of a second") << 999;
    }

    void silentUnitLastsTwoSeconds()
    {
        QFETCH(int, msIntoSecond);
        Bench b;
        b.dlg.nowMs = 1765000000000LL + msIntoSecond;
        b.Use(0, "Garmin", 0);
        QCOMPARE(RunEnduranceTest(), 1);

        const UnitInfo& u = b.dlg.units[0];
        QCOMPARE(u.szEndurance, "00:00:02");
        QCOMPARE(b.dlg.Text(IDC_ENDURANCE_BASE), "00:00:02");
        QCOMPARE(u.tLastResponse, std::time_t(b.ports[0].nLastReadMs / 1000));
        QCOMPARE(QByteArray(b.dlg.Text(IDC_LAST_RESPONSE_BASE)), b.Ctime(u.tLastResponse));
        QCOMPARE(QByteArray(b.dlg.Text(IDC_START_TIME_BASE)), b.Ctime(u.tStart));
        QCOMPARE(b.dlg.Messages(), std::vector<std::string>{COMPLETED});
        QVERIFY(Log().startsWith("COM1, Garmin , "));
    }

    void unitThatFallsSilentEndsAtTheFailedRead()
    {
        Bench b;
        b.Use(1, "Magellan", 5);
        RunEnduranceTest();

        const UnitInfo& u = b.dlg.units[1];
        const FakePort& port = b.ports[1];
        QCOMPARE(port.nReads, 6);
        QCOMPARE(u.tLastResponse, std::time_t(port.nLastReadMs / 1000));
        QVERIFY(port.nLastReadMs - port.nLastAnswerMs >= 2000);
        char expected[ENDURANCE_SIZE];
        FormatEndurance(int(u.tLastResponse - u.tStart), expected, sizeof expected);
        QCOMPARE(u.szEndurance, expected);
        // Six cycles of a little over two seconds each.
        QVERIFY(u.tLastResponse - u.tStart >= 12 && u.tLastResponse - u.tStart <= 14);
        QCOMPARE(u.szVersion, "XL Software Version 3.10 (Product ID=12)");
        QVERIFY(Log().startsWith("COM2, Magellan XL Software Version 3.10 (Product ID=12), "));
    }

    void enduranceText_data()
    {
        QTest::addColumn<int>("clockJump");
        QTest::addColumn<QByteArray>("text");
        // The read comes two seconds after the jump.
        QTest::newRow("26 hours") << (26 * 3600 + 3 * 60 + 8) << QByteArray("26:03:10");
        QTest::newRow("100 hours") << (100 * 3600 - 2) << QByteArray("100:00:00");
        QTest::newRow("clock set back 5 s") << -7 << QByteArray("00:00:-5");
    }

    void enduranceText()
    {
        QFETCH(int, clockJump);
        QFETCH(QByteArray, text);
        Bench b;
        b.Use(3, "Garmin", 0);
        bool jumped = false;
        b.dlg.onPump = [&](FakeDialog& dlg) {
            if (!jumped) {
                dlg.nowMs += clockJump * 1000LL;
                jumped = true;
            }
        };
        RunEnduranceTest();
        QCOMPARE(QByteArray(b.dlg.units[3].szEndurance), text);
        QVERIFY(Log().contains(", " + text + ", "));
    }

    void cancelDuringTheWait()
    {
        Bench b;
        b.Use(0, "Garmin", -1);
        b.Use(2, "Garmin", 0);
        b.dlg.onPump = [](FakeDialog& dlg) {
            if (dlg.nPumps == 5)
                dlg.bCancel = 1;
        };
        RunEnduranceTest();

        // The reads of the cycle still happen: COM3 finishes in it.
        QCOMPARE(b.ports[0].nReads, 1);
        QCOMPARE(b.ports[2].nReads, 1);
        QCOMPARE(b.dlg.units[2].szEndurance, "00:00:02");
        QCOMPARE(b.dlg.Messages(), std::vector<std::string>{CANCELLED});
        QCOMPARE(b.dlg.nLitLamp, -1);
        QCOMPARE(b.dlg.nLampPos, 1);
        QVERIFY(!QFile::exists("BATTERY.TXT"));
        QVERIFY(!b.ports[0].bOpen && !b.ports[2].bOpen);
    }

    void cancelInTheExtraCycle()
    {
        Bench b;
        b.Use(0, "Garmin", 2);
        b.dlg.onPump = [&b](FakeDialog& dlg) {
            if (b.AllDone())
                dlg.bCancel = 1;
        };
        RunEnduranceTest();
        QCOMPARE(b.dlg.units[0].bDone, 1);
        QCOMPARE(b.dlg.Messages(), std::vector<std::string>{CANCELLED});
        QVERIFY(!QFile::exists("BATTERY.TXT"));
    }

    void allFinishInOneCycle()
    {
        Bench b;
        b.Use(0, "Garmin", 0);
        b.Use(1, "Magellan", 0);
        int pumpsAfterLastRead = 0;
        b.dlg.onPump = [&](FakeDialog&) { pumpsAfterLastRead += b.AllDone() ? 1 : 0; };
        RunEnduranceTest();

        // The extra cycle sends nothing, waits for nothing, reads nothing.
        QCOMPARE(pumpsAfterLastRead, 1);
        QCOMPARE(b.ports[0].nWrites, 1);
        QCOMPARE(b.ports[1].nReads, 1);
        // Set-up darkens the lamps; the two cycles light lamps 1 and 2,
        // and the last stays lit.
        QCOMPARE(b.dlg.nLampSteps, 3);
        QCOMPARE(b.dlg.nLitLamp, 1);
        QCOMPARE(b.dlg.Messages(), std::vector<std::string>{COMPLETED});
        QCOMPARE(Log().count('\n'), 2);
    }

    void portUntickedAndTickedAgain_data()
    {
        QTest::addColumn<int>("retickAtCycle");
        QTest::newRow("stays unticked") << 0;
        QTest::newRow("ticked again") << 4;
    }

    void portUntickedAndTickedAgain()
    {
        QFETCH(int, retickAtCycle);
        Bench b;
        b.Use(0, "Garmin", 6);
        b.Use(1, "Garmin", 8);
        int writesWhileUnticked = -1;
        b.dlg.onPump = [&](FakeDialog& dlg) {
            const int cycle = b.dlg.nLampSteps - 1;
            if (cycle == 2 && dlg.bPortEnabled[0]) {
                dlg.Tick(0, false);
                writesWhileUnticked = b.ports[0].nWrites;
            }
            if (cycle == retickAtCycle && !dlg.bPortEnabled[0]) {
                QCOMPARE(b.ports[0].nWrites, writesWhileUnticked);
                dlg.Tick(0, true);
            }
        };
        const std::time_t start = 1765000000;
        RunEnduranceTest();
        QCOMPARE(b.dlg.units[0].tStart, start);
        QCOMPARE(b.ports[0].nCloses, 1);
        QVERIFY(!b.ports[0].bOpen);
        if (retickAtCycle == 0) {
            // Polled in cycles 1 and 2 only, never finished, not logged.
            QCOMPARE(b.ports[0].nWrites, 2);
            QCOMPARE(b.dlg.units[0].szEndurance, "");
            QVERIFY(!Log().contains("COM1"));
        } else {
            // Polling resumed and the unit ran to its seventh read.
            QCOMPARE(b.ports[0].nReads, 7);
            QVERIFY(Log().startsWith("COM1"));
        }
        QVERIFY(Log().contains("COM2"));
    }

    void portTickedDuringRunIsLeftAlone()
    {
        Bench b;
        b.Use(0, "Garmin", 3);
        b.dlg.onPump = [](FakeDialog& dlg) { dlg.Tick(2, true); };
        RunEnduranceTest();
        const FakePort& late = b.ports[2];
        QCOMPARE(late.nOpens + late.nWrites + late.nReads + late.nCloses, 0);
        QCOMPARE(b.dlg.units[2].szEndurance, "");
        QCOMPARE(b.dlg.Messages(), std::vector<std::string>{COMPLETED});
    }

    void bothProtocolsInOneCycle()
    {
        Bench b;
        b.Use(0, "Magellan", 0);
        b.Use(1, "Garmin", 0);
        bool checked = false;
        b.dlg.onPump = [&](FakeDialog&) {
            if (checked)
                return;
            checked = true;
            QCOMPARE(QByteArray(b.ports[0].lastWrite, b.ports[0].nLastWriteLength),
                     QByteArray("$PMGNCMD,VERSION*28\r\n"));
            QCOMPARE(QByteArray(b.ports[1].lastWrite, b.ports[1].nLastWriteLength),
                     Hex("10 FE 00 02 10 03"));
        };
        RunEnduranceTest();
        QVERIFY(checked);
    }

    // Whatever bytes are waiting count as an answer; only the version text
    // depends on the reply being valid.
    void anyBytesAreAnAnswer_data()
    {
        QTest::addColumn<QByteArray>("maker");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("Magellan noise")
            << QByteArray("Magellan") << QByteArray("\x01zz", 3) << QByteArray()
            << QStringList{QString::fromStdString(COMPLETED)};
        QTest::newRow("Garmin bad checksum")
            << QByteArray("Garmin") << Hex("10 06 02 FE 00 FB 10 03") << QByteArray()
            << QStringList{"Bad Checksum in Garmin ACK Message",
                           "Bad Checksum in Garmin ACK Message", QString::fromStdString(COMPLETED)};
        QTest::newRow("Magellan version") << QByteArray("magellan meridian") << MAGELLAN_REPLY
                                          << QByteArray("XL Software Version 3.10 (Product ID=12)")
                                          << QStringList{QString::fromStdString(COMPLETED)};
        QTest::newRow("unknown maker")
            << QByteArray("Lowrance") << QByteArray("x") << QByteArray()
            << QStringList{"InitializeCommPorts(): Unknown eMfg, setting to 4800",
                           "Transmit message: UNKNOWN GPS MANUFACTURER",
                           "unknown pInfo->eMfg",
                           "Transmit message: UNKNOWN GPS MANUFACTURER",
                           "unknown pInfo->eMfg",
                           "Transmit message: UNKNOWN GPS MANUFACTURER",
                           QString::fromStdString(COMPLETED)};
    }

    void anyBytesAreAnAnswer()
    {
        QFETCH(QByteArray, maker);
        QFETCH(QByteArray, reply);
        QFETCH(QByteArray, version);
        QFETCH(QStringList, messages);
        Bench b;
        b.Use(0, maker.constData(), 2);
        b.ports[0].SetReply(reply.constData(), reply.size());
        RunEnduranceTest();
        QCOMPARE(b.ports[0].nReads, 3);
        QCOMPARE(QByteArray(b.dlg.units[0].szVersion), version);
        QStringList shown;
        for (const std::string& text : b.dlg.Messages())
            shown << QString::fromStdString(text);
        QCOMPARE(shown, messages);
    }

    void portThatCannotBeOpened()
    {
        Bench b;
        b.Use(0, "Garmin", -1);
        b.ports[0].bFailOpen = true;
        RunEnduranceTest();
        QCOMPARE(b.dlg.units[0].szEndurance, "00:00:02");
        const std::vector<std::string> expected = {
            "Could not open com port",
            "Problem setting com ports receive and transmit buffers",
            "Error: Bad file descriptor",
            "Could not get comm state",
            "Error: Bad file descriptor",
            "Error: Bad file descriptor",
            COMPLETED};
        QCOMPARE(b.dlg.Messages(), expected);
    }

    void nextRunStartsClean()
    {
        Bench b;
        b.Use(0, "Magellan", 1);
        RunEnduranceTest();
        QCOMPARE(b.dlg.units[0].szVersion, "XL Software Version 3.10 (Product ID=12)");
        // The second run: Garmin now, and the old results are gone.
        b.Use(0, "Garmin", 0);
        b.dlg.onPump = [](FakeDialog& dlg) {
            QCOMPARE(dlg.Text(IDC_ENDURANCE_BASE), "");
            dlg.onPump = nullptr;
        };
        RunEnduranceTest();
        QCOMPARE(b.dlg.units[0].szVersion, "");
        QCOMPARE(b.ports[0].nOpens, 2);
        QCOMPARE(b.ports[0].applied.nBaudRate, 9600);
        QCOMPARE(Log().count('\n'), 2);
    }
};

QTEST_GUILESS_MAIN(TestRun)
#include "tst_run.moc"
