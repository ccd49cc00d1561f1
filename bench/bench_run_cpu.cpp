// How much processor a run costs while it waits: four receivers on
// pseudo-terminals answer every query for a given time (60 s by default),
// then fall silent; the run is timed in wall-clock and CPU seconds. Given a
// trace file, the run keeps a traffic trace in it, as Dunmerrow --trace does.
//
//   bench_run_cpu [seconds [trace-file]]
#include "controlids.h"
#include "fakedialog.h"
#include "receiveronport.h"
#include "run.h"
#include "traffictrace.h"

#include <array>
#include <cstdio>
#include <ctime>
#include <memory>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

void report(double elapsed, double cpu, const QString& traceFile, long replies,
            const FakeDialog& dlg)
{
    std::printf("run of %.1f s wall, %.3f s CPU: %.5f CPU seconds per wall second%s\n", elapsed,
                cpu, cpu / elapsed, traceFile.isEmpty() ? "" : ", traced");
    if (!traceFile.isEmpty())
        std::printf("trace: %lld bytes in %s\n", QFileInfo(traceFile).size(),
                    qPrintable(traceFile));
    std::printf("%ld replies, endurances:", replies);
    for (const UnitInfo& unit : dlg.units)
        std::printf(" %s", unit.szEndurance);
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    // Absolute: the run works in a scratch directory.
    const QString traceFile =
        argc > 2 ? QFileInfo(QFile::decodeName(argv[2])).absoluteFilePath() : QString();
    TrafficTrace trace;
    QString error;
    if (seconds <= 0 || argc > 3 ||
        (argc > 2 && !trace.open(traceFile, QStringLiteral("bench_run_cpu"), error))) {
        std::fprintf(stderr, "usage: bench_run_cpu [seconds [trace-file]] %s\n", qPrintable(error));
        return 2;
    }
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());

    std::array<std::unique_ptr<ReceiverOnPort>, UNIT_COUNT> receivers;
    FakeDialog dlg;
    dlg.realClock = true;
    dlg.portSet.traceTraffic(traceFile.isEmpty() ? nullptr : &trace);
    for (int k = 0; k < UNIT_COUNT; ++k) {
        receivers[k] = std::make_unique<ReceiverOnPort>(dlg.portSet, k);
        dlg.tick(k, true);
        dlg.setText(IDC_GPS_MFG_BASE + k, "Magellan");
    }

    const QByteArray reply = "$PMGNVER,7,1.00,SIM*06\r\n";
    QElapsedTimer wall;
    wall.start();
    long replies = 0;
    dlg.onPump = [&](FakeDialog&) {
        QCoreApplication::processEvents();
        for (auto& receiver : receivers) {
            char buf[256];
            if (receiver->pty.read(buf, sizeof buf) > 0 && wall.elapsed() < seconds * 1000LL) {
                receiver->pty.write(reply.constData(), reply.size());
                ++replies;
            }
        }
    };

    const std::clock_t cpuStart = std::clock();
    RunEnduranceTest();
    const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const double elapsed = wall.elapsed() / 1000.0;

    report(elapsed, cpu, traceFile, replies, dlg);
    QDir::setCurrent(QDir::tempPath());
    return 0;
}
