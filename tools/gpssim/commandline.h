#pragma once

#include "unitconfig.h"

#include <QList>
#include <QString>
#include <QStringList>

// Everything the command line can say.
struct SimOptions {
    struct Receiver {
        int port = 0; // 1..4
        UnitConfig config;
    };

    bool help = false;
    bool verbose = false;
    QString dir;
    qint64 lingerMs = 5000;
    QList<Receiver> receivers; // in port order
};

// Reads the arguments (without the program name). False, with a message for
// the user in `error`, on anything it does not understand; --help anywhere
// wins over every other argument.
bool parseCommandLine(const QStringList& arguments, SimOptions& options, QString& error);

// The text of --help: every option and fault, with examples.
QString helpText();
