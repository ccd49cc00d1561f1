#pragma once

#include "units.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

// What the program was asked to do on its command line. It is read before
// any application object exists, so that a mistake, --help and the port
// commands end the program before a window could open, and without needing
// a display. Qt's own options (-platform, -style, ...) are not accepted:
// they would reach a window only by also passing the parse, and Qt's
// environment variables (QT_QPA_PLATFORM, QT_STYLE_OVERRIDE, ...) do the
// same without that.
class CommandLine {
public:
    // The arguments as the program got them, its own name first.
    explicit CommandLine(const QStringList& arguments);

    // What is wrong with the command line, for standard error; empty when
    // nothing is.
    QString error() const { return m_error; }
    bool wantsHelp() const { return m_help; }
    bool wantsVersion() const { return m_version; }
    bool wantsPortList() const { return m_listPorts; }
    bool wantsPortsSaved() const { return m_savePorts; }
    // --results [FILE]: the results window on a log rather than a test;
    // empty when no FILE is given.
    QString resultsFile() const { return m_resultsFile; }
    // True when none of the above: the program opens the test dialog.
    bool opensTestDialog() const;
    // True for --results alone: the program opens the results window.
    bool opensResults() const;

    // --trace FILE: where the test's serial traffic is traced; empty when
    // it is not.
    QString traceFile() const { return m_traceFile; }

    // The device that --com<k+1> names, or empty.
    QString portOption(int k) const { return m_ports[k]; }

    // The text of --help. Needs the application object, for the program's
    // name on its usage line.
    QString helpText() const { return m_parser.helpText(); }

    // argv as a list, decoded as the system encodes file names.
    static QStringList argumentsOf(int argc, char** argv);

private:
    void readOptions();

    QCommandLineParser m_parser;
    QString m_error;
    bool m_help = false;
    bool m_version = false;
    bool m_listPorts = false;
    bool m_savePorts = false;
    bool m_results = false;
    QString m_resultsFile;
    QString m_traceFile;
    QString m_ports[UNIT_COUNT];
};
