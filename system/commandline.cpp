#include "commandline.h"

#include "portmap.h"

#include <QFile>

namespace {

const QString RESULTS = QStringLiteral("results");
const QString LIST_PORTS = QStringLiteral("list-ports");
const QString SAVE_PORTS = QStringLiteral("save-ports");
const QString TRACE = QStringLiteral("trace");

QString comOption(int k)
{
    return QStringLiteral("com%1").arg(k + 1);
}

QString description()
{
    return QStringLiteral("Measures how long batteries keep hand-held GPS receivers running.\n\n"
                          "COMn is the device given with --comn, else the one in the environment "
                          "variable DUNMERROW_COMn, else the one saved in the settings file "
                          "(--save-ports), else %1 for COM1, %2 for COM2 and so on.")
        .arg(PortMap::defaultDevice(0), PortMap::defaultDevice(1));
}

} // namespace

CommandLine::CommandLine(const QStringList& arguments)
{
    m_parser.setApplicationDescription(description());
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Not addHelpOption(): that also offers --help-all, which lists Qt's own
    // options, and those are not accepted here.
    m_parser.addOption(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                                          QStringLiteral("Shows this help, then exits.")));
    m_parser.addOption(QCommandLineOption({QStringLiteral("v"), QStringLiteral("version")},
                                          QStringLiteral("Shows the version, then exits.")));
    for (int k = 0; k < UNIT_COUNT; ++k) {
        m_parser.addOption(QCommandLineOption(
            comOption(k),
            QStringLiteral("Opens <device> as COM%1, for example /dev/ttyUSB0.").arg(k + 1),
            QStringLiteral("device")));
    }
    m_parser.addOption(QCommandLineOption(
        LIST_PORTS, QStringLiteral("Lists the serial ports found and the devices of COM1 to "
                                   "COM4, then exits.")));
    m_parser.addOption(QCommandLineOption(
        SAVE_PORTS, QStringLiteral("Saves the devices given with --com1 to --com4 or in the "
                                   "environment to the settings file, then exits.")));
    m_parser.addOption(QCommandLineOption(
        TRACE,
        QStringLiteral("Appends to <file> every byte the test sends to the receivers and reads "
                       "from them, with each port's set-up and failures: what to send when a "
                       "receiver misbehaves."),
        QStringLiteral("file")));
    m_parser.addOption(QCommandLineOption(
        RESULTS, QStringLiteral("Opens Dunmerrow Results on [file] instead of a test: BATTERY.TXT "
                                "in the working directory when no file is given.")));

    if (!m_parser.parse(arguments))
        m_error = m_parser.errorText();
    else
        readOptions();
}

void CommandLine::readOptions()
{
    for (const QString& name : m_parser.optionNames()) {
        if (m_parser.optionNames().count(name) > 1) {
            m_error = QStringLiteral("Option '--%1' is given more than once.").arg(name);
            return;
        }
    }
    for (int k = 0; k < UNIT_COUNT; ++k) {
        m_ports[k] = m_parser.value(comOption(k));
        if (m_parser.isSet(comOption(k)) && m_ports[k].isEmpty()) {
            m_error = QStringLiteral("Option '--%1' needs a device name.").arg(comOption(k));
            return;
        }
    }
    m_traceFile = m_parser.value(TRACE);
    if (m_parser.isSet(TRACE) && m_traceFile.isEmpty()) {
        m_error = QStringLiteral("Option '--%1' needs a file name.").arg(TRACE);
        return;
    }
    m_help = m_parser.isSet(QStringLiteral("help"));
    m_version = m_parser.isSet(QStringLiteral("version"));
    m_listPorts = m_parser.isSet(LIST_PORTS);
    m_savePorts = m_parser.isSet(SAVE_PORTS);
    m_results = m_parser.isSet(RESULTS);
    // Only --results takes an argument that is not an option's value.
    const QStringList positional = m_parser.positionalArguments();
    if (positional.size() > (m_results ? 1 : 0))
        m_error = QStringLiteral("Unexpected argument '%1'.").arg(positional.constLast());
    else if (m_results && !positional.isEmpty())
        m_resultsFile = positional.front();
}

bool CommandLine::opensTestDialog() const
{
    return m_error.isEmpty() && !m_help && !m_version && !m_listPorts && !m_savePorts && !m_results;
}

bool CommandLine::opensResults() const
{
    return m_error.isEmpty() && !m_help && !m_version && !m_listPorts && !m_savePorts && m_results;
}

QStringList CommandLine::argumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);
    return arguments;
}
