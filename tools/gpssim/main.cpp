// gpssim: simulated GPS receivers on pseudo-terminals, for trying Dunmerrow
// and testing it without hardware. See --help.
#include "commandline.h"
#include "eventlog.h"
#include "signalwatcher.h"
#include "simulator.h"

#include <cstdio>
#include <QCoreApplication>

namespace {

constexpr int EXIT_FAILED = 1;
constexpr int EXIT_USAGE = 2;

void printTo(std::FILE* stream, const QString& text)
{
    std::fputs(text.toUtf8().constData(), stream);
    std::fflush(stream);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    SimOptions options;
    QString error;
    if (!parseCommandLine(QCoreApplication::arguments().mid(1), options, error)) {
        printTo(stderr, QStringLiteral("gpssim: %1\nTry 'gpssim --help'.\n").arg(error));
        return EXIT_USAGE;
    }
    if (options.help) {
        printTo(stdout, helpText());
        return 0;
    }

    const EventLog log(options.verbose);
    SignalWatcher stopSignals;
    Simulator simulator(options, log);
    QObject::connect(&stopSignals, &SignalWatcher::stopRequested, &app, [&log](int signalNumber) {
        log.note(QStringLiteral("stopped by signal %1").arg(signalNumber));
        QCoreApplication::quit();
    });
    QObject::connect(&simulator, &Simulator::allDead, &app, &QCoreApplication::quit);
    if (!simulator.start(error)) {
        printTo(stderr, QStringLiteral("gpssim: %1\n").arg(error));
        return EXIT_FAILED;
    }
    QCoreApplication::exec();
    simulator.finish();
    return 0;
}
