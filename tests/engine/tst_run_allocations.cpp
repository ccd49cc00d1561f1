// A run must allocate nothing while it polls: it is left running for many
// hours, and a leak or fragmentation there would spoil the test. Every
// allocation of this program is counted while the poll cycles run, until a
// unit finishes: keeping its line for a crash writes a file, once per unit.
// It runs traced: a traffic trace writes every cycle, and allocates nothing
// either.
#include "controlids.h"
#include "fakedialog.h"
#include "fakeport.h"
#include "hexbytes.h"
#include "run.h"
#include "traffictrace.h"

#include <atomic>
#include <cstddef>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {
std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};
} // namespace

// glibc lets a program replace malloc and reach its own through these. Qt's
// containers allocate through malloc, and so does libstdc++'s operator new.
#ifdef DUNMERROW_COUNT_MALLOC
extern "C" void* __libc_malloc(std::size_t);
extern "C" void* __libc_calloc(std::size_t, std::size_t);
extern "C" void* __libc_realloc(void*, std::size_t);

extern "C" void* malloc(std::size_t size)
{
    g_allocations += g_counting ? 1 : 0;
    return __libc_malloc(size);
}
extern "C" void* calloc(std::size_t count, std::size_t size)
{
    g_allocations += g_counting ? 1 : 0;
    return __libc_calloc(count, size);
}
extern "C" void* realloc(void* p, std::size_t size)
{
    g_allocations += g_counting ? 1 : 0;
    return __libc_realloc(p, size);
}
#endif

class TestRunAllocations : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tenThousandCyclesAllocateNothing()
    {
#ifndef DUNMERROW_COUNT_MALLOC
        return QTest::qSkip("the allocator is counted only on glibc without a sanitizer", __FILE__,
                            __LINE__);
#endif
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
        QVERIFY(trace.open("trace.txt", "Dunmerrow", error));
        dlg.portSet.traceTraffic(&trace);
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
            g_counting = !finishing;
            cycles = d.lampSteps - 1;
        };
        RunEnduranceTest();
        g_counting = false;

        // The last unit's silence is confirmed in four more cycles.
        QCOMPARE(cycles, long(CYCLES + 5));
        QCOMPARE(dlg.units[0].szVersion, "ABC (Product ID=291)");
        QCOMPARE(dlg.units[1].szVersion, "XL Software Version 3.10 (Product ID=12)");
        QCOMPARE(g_allocations.load(), 0L);
        QDir::setCurrent(QDir::tempPath());
    }
};

QTEST_GUILESS_MAIN(TestRunAllocations)
#include "tst_run_allocations.moc"
