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

void PrintTo(std::FILE* stream, const QString& text)
{
    std::fputs(text.toUtf8().constData(), stream);
    std::fflush(stream);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();

    SimOptions options;
    QString error;
    if (!ParseCommandLine(arguments, options, error)) {
        PrintTo(stderr, QStringLiteral("gpssim: %1\nTry 'gpssim --help'.\n").arg(error));
        return EXIT_USAGE;
    }
    if (options.bHelp) {
        PrintTo(stdout, HelpText());
        return 0;
    }

    const EventLog log(options.bVerbose);
    SignalWatcher stopSignals;
    Simulator simulator(log, options.lingerMs);
    QObject::connect(&stopSignals, &SignalWatcher::Stop, &app, [&log](int signalNumber) {
        log.Note(QStringLiteral("stopped by signal %1").arg(signalNumber));
        QCoreApplication::quit();
    });
    QObject::connect(&simulator, &Simulator::AllDead, &app, &QCoreApplication::quit);

    if (!simulator.Start(options.dir, options.receivers, error)) {
        PrintTo(stderr, QStringLiteral("gpssim: %1\n").arg(error));
        return EXIT_FAILED;
    }
    QCoreApplication::exec();
    simulator.Finish();
    return 0;
}
