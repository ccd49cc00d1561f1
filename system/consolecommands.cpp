#include "consolecommands.h"

#include "commandline.h"
#include "dunmerrow_version.h"
#include "portlisting.h"
#include "portsetup.h"
#include "resultsprogram.h"

#include <cstdio>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QSettings>

namespace {

constexpr int EXIT_USAGE = 2;

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

int ConsoleCommands::run(const CommandLine& commandLine, int argc, char** argv)
{
    // The executable's base name, as the message boxes' caption has it.
    const QString program = QFileInfo(QFile::decodeName(argv[0])).completeBaseName();
    if (!commandLine.error().isEmpty()) {
        print(stderr, QStringLiteral("%1: %2\nRun '%1 --help' to see the options.\n")
                          .arg(program, commandLine.error()));
        return EXIT_USAGE;
    }
    QCoreApplication app(argc, argv);
    if (commandLine.opensResults()) {
        print(stderr, QStringLiteral("%1: %2\n")
                          .arg(program, becomeResultsProgram(commandLine.resultsFile())));
        return 1;
    }
    if (commandLine.wantsHelp()) {
        print(stdout, commandLine.helpText());
        return 0;
    }
    if (commandLine.wantsVersion()) {
        print(stdout, QStringLiteral(DUNMERROW_ABOUT_VERSION_LINE "\n"));
        return 0;
    }
    if (commandLine.wantsPortsSaved()) {
        const int status = savePorts(commandLine);
        if (status != 0 || !commandLine.wantsPortList())
            return status;
    }
    print(stdout, PortListing::text(PortSetup::forStartup(commandLine),
                                    PortSetup::userSettings()->fileName()));
    return 0;
}

int ConsoleCommands::savePorts(const CommandLine& commandLine)
{
    const PortMap map = PortSetup::forStartup(commandLine);
    const auto settings = PortSetup::userSettings();
    const QList<int> saved = PortSetup::save(map, *settings);
    if (saved.isEmpty()) {
        print(stderr, QStringLiteral("Nothing to save: give the ports with --com1 to --com4 or "
                                     "in DUNMERROW_COM1 to DUNMERROW_COM4.\n"));
        return EXIT_USAGE;
    }
    if (settings->status() != QSettings::NoError) {
        print(stderr, QStringLiteral("Could not write %1.\n").arg(settings->fileName()));
        return 1;
    }
    QString text = QStringLiteral("Saved to %1:\n").arg(settings->fileName());
    for (const int k : saved)
        text += QStringLiteral("  COM%1 = %2\n").arg(k + 1).arg(map.device(k));
    print(stdout, text);
    return 0;
}
