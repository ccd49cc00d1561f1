// A run must allocate nothing while it polls: it is left running for many
// hours, and a leak or fragmentation there would spoil the test. Every
// allocation of this program is counted while the poll cycles run, until a
// unit finishes: keeping its line for a crash writes a file, once per unit.
// A traffic trace, which writes every cycle, allocates nothing either.
#include "controlids.h"
#include "fakedialog.h"
#include "fakeport.h"
#include "hexbytes.h"
#include "run.h"
#include "traffictrace.h"

#include "allocationcounter.h"
#include <atomic>
#include <cstdlib>
#include <new>

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TestRunAllocations : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tenThousandCyclesAllocateNothing_data()
    {
        QTest::addColumn<bool>("traced");
        QTest::newRow("untraced") << false;
        QTest::newRow("traced") << true;
    }

    void tenThousandCyclesAllocateNothing()
    {
        QFETCH(bool, traced);
        QTemporaryDir dir;
        QVERIFY(QDir::setCurrent(dir.path()));
        const QByteArray garmin =
            hex("10 06 02 FE 00 FA 10 03 10 FF 08 23 01 90 01 41 42 43 00 7E 10 03");
        const QByteArray magellan = "ab\r\n$GPGLL,1*00\r\n$PMGNVER,12,3.10,XL*72\r\n$GP";
        constexpr int CYCLES = 10000;

        FakeDialog dlg;
        FakePort ports[UNIT_COUNT];
        TrafficTrace trace;
        QString error;
        QVERIFY(!traced || trace.open("trace.txt", "Dunmerrow", error));
        dlg.portSet.traceTraffic(traced ? &trace : nullptr);
        for (int k = 0; k < UNIT_COUNT; ++k) {
            dlg.attach(k, ports[k]);
            dlg.tick(k, true);
            const bool isGarmin = k % 2 == 0;
            dlg.setText(IDC_GPS_MFG_BASE + k, isGarmin ? "Garmin" : "Magellan");
            const QByteArray& reply = isGarmin ? garmin : magellan;
            ports[k].setReply(reply.constData(), reply.size());
            ports[k].answers = CYCLES - 1 - k;
        }
        // Counting starts at the first pump, after set-up, and stops in the
        // cycle whose read finds a unit silent.
        long cycles = 0;
        dlg.onPump = [&](FakeDialog& d) {
            bool finishing = false;
            for (const FakePort& port : ports)
                finishing = finishing || port.answers == 0;
            if (finishing)
                AllocationCounter::stop();
            else
                AllocationCounter::start();
            cycles = d.lampSteps - 1;
        };
        RunEnduranceTest();
        AllocationCounter::stop();

        // The last unit's silence is confirmed in four more cycles.
        QCOMPARE(cycles, long(CYCLES + 5));
        QCOMPARE(dlg.units[0].szVersion, "ABC (Product ID=291)");
        QCOMPARE(dlg.units[1].szVersion, "XL Software Version 3.10 (Product ID=12)");
        if (!AllocationCounter::countsMalloc())
            qWarning("only operator new is counted on this platform");
        QCOMPARE(AllocationCounter::count(), 0L);
        // Every cycle was traced: the first in full, the others counted.
        QFile file("trace.txt");
        QCOMPARE(file.open(QIODevice::ReadOnly) && file.readAll().count("= 100 more") == 4 * 99,
                 traced);
        QDir::setCurrent(QDir::tempPath());
    }
};

QTEST_GUILESS_MAIN(TestRunAllocations)
#include "tst_run_allocations.moc"
