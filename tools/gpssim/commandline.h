#pragma once

#include "simulator.h"

#include <QString>
#include <QStringList>
#include <vector>

// Everything the command line can say.
struct SimOptions {
    bool bHelp = false;
    bool bVerbose = false;
    QString dir;
    qint64 lingerMs = 5000;
    std::vector<Simulator::Receiver> receivers; // in port order
};

// Reads the arguments (without the program name). False, with a message for
// the user in `error`, on anything it does not understand; --help anywhere
// wins over every other argument.
bool ParseCommandLine(const QStringList& arguments, SimOptions& options, QString& error);

// The text of --help: every option and fault, with examples.
QString HelpText();
