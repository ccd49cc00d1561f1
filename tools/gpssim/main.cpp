// gpssim: simulated GPS receivers on pseudo-terminals, for trying Dunmerrow
// and testing it without hardware. See --help.
#include "commandline.h"
#include "endrequestwatcher.h"
#include "eventlog.h"
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
    // Ctrl-C and the like stop it between events, so that it still writes
    // its summary and removes its links.
    EndRequestWatcher stopSignals;
    Simulator simulator(options, log);
    QObject::connect(&stopSignals, &EndRequestWatcher::endRequested, &app, [&log] {
        log.note(QStringLiteral("stopped by a signal"));
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
