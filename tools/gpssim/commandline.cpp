#include "commandline.h"

#include "receiverarg.h"

#include <QCommandLineParser>
#include <QDir>

namespace {

constexpr int PORTS = 4;
constexpr qint64 MAX_LINGER_MS = 3600 * 1000;

QString portOption(int port)
{
    return QStringLiteral("com%1").arg(port);
}

// The options as given, each at most once and nothing else.
bool parseOptions(QCommandLineParser& parser, const QStringList& arguments, QString& error)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (int port = 1; port <= PORTS; ++port)
        parser.addOption({portOption(port), QString(), QStringLiteral("RECEIVER")});
    parser.addOption({QStringLiteral("dir"), QString(), QStringLiteral("DIR")});
    parser.addOption({QStringLiteral("linger"), QString(), QStringLiteral("SECONDS")});
    parser.addOption({{QStringLiteral("v"), QStringLiteral("verbose")}, QString()});

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
    return true;
}

bool readReceivers(const QCommandLineParser& parser, SimOptions& options, QString& error)
{
    for (int port = 1; port <= PORTS; ++port) {
        if (!parser.isSet(portOption(port)))
            continue;
        SimOptions::Receiver receiver;
        receiver.port = port;
        if (!parseReceiverArg(parser.value(portOption(port)), receiver.config, error, port)) {
            error = QStringLiteral("--com%1: %2").arg(port).arg(error);
            return false;
        }
        options.receivers.append(receiver);
    }
    if (options.receivers.isEmpty())
        error = QStringLiteral("no receivers: give at least one of --com1 .. --com4");
    return !options.receivers.isEmpty();
}

} // namespace

bool parseCommandLine(const QStringList& arguments, SimOptions& options, QString& error)
{
    options = SimOptions();
    options.help =
        arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"));
    if (options.help)
        return true;

    QCommandLineParser parser;
    if (!parseOptions(parser, arguments, error))
        return false;
    options.verbose = parser.isSet(QStringLiteral("verbose"));
    options.dir = parser.isSet(QStringLiteral("dir"))
                      ? parser.value(QStringLiteral("dir"))
                      : QDir::tempPath() + QStringLiteral("/gpssim");
    if (options.dir.isEmpty()) {
        error = QStringLiteral("--dir needs a directory");
        return false;
    }
    const QString linger = parser.value(QStringLiteral("linger"));
    if (parser.isSet(QStringLiteral("linger")) &&
        (!parseDuration(linger, options.lingerMs, false) || options.lingerMs > MAX_LINGER_MS)) {
        error = QStringLiteral("--linger '%1' is not a number of seconds up to 3600").arg(linger);
        return false;
    }
    return readReceivers(parser, options, error);
}
