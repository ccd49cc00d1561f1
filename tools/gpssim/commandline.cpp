#include "commandline.h"

#include "receiverarg.h"

#include <QCommandLineParser>
#include <QDir>

namespace {

constexpr int PORTS = 4;
constexpr qint64 MAX_LINGER_MS = 3600 * 1000;

} // namespace

bool ParseCommandLine(const QStringList& arguments, SimOptions& options, QString& error)
{
    options = SimOptions();
    options.dir = QDir::tempPath() + QStringLiteral("/gpssim");
    if (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"))) {
        options.bHelp = true;
        return true;
    }

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    QList<QCommandLineOption> ports;
    for (int port = 1; port <= PORTS; ++port)
        ports << QCommandLineOption(QStringLiteral("com%1").arg(port), QString(),
                                    QStringLiteral("RECEIVER"));
    const QCommandLineOption dir(QStringLiteral("dir"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption linger(QStringLiteral("linger"), QString(), QStringLiteral("SECONDS"));
    const QCommandLineOption verbose({QStringLiteral("v"), QStringLiteral("verbose")}, QString());
    parser.addOptions(ports);
    parser.addOptions({dir, linger, verbose});

    // QCommandLineParser wants the program's name first.
    if (!parser.parse(QStringList{QStringLiteral("gpssim")} + arguments)) {
        error = parser.errorText();
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        error =
            QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().front());
        return false;
    }
    for (const QString& name : parser.optionNames()) {
        if (parser.optionNames().count(name) > 1) {
            error = QStringLiteral("--%1 given more than once").arg(name);
            return false;
        }
    }

    options.bVerbose = parser.isSet(verbose);
    if (parser.isSet(dir)) {
        options.dir = parser.value(dir);
        if (options.dir.isEmpty()) {
            error = QStringLiteral("--dir needs a directory");
            return false;
        }
    }
    if (parser.isSet(linger) && (!ParseDuration(parser.value(linger), options.lingerMs, false) ||
                                 options.lingerMs > MAX_LINGER_MS)) {
        error = QStringLiteral("--linger '%1' is not a number of seconds up to 3600")
                    .arg(parser.value(linger));
        return false;
    }
    for (int port = 1; port <= PORTS; ++port) {
        const QCommandLineOption& option = ports.at(port - 1);
        if (!parser.isSet(option))
            continue;
        Simulator::Receiver receiver;
        receiver.port = port;
        if (!ParseReceiverArg(parser.value(option), receiver.config, error)) {
            error = QStringLiteral("--com%1: %2").arg(port).arg(error);
            return false;
        }
        options.receivers.push_back(receiver);
    }
    if (options.receivers.empty()) {
        error = QStringLiteral("no receivers: give at least one of --com1 .. --com4");
        return false;
    }
    return true;
}
