#pragma once

#include "portmap.h"

#include <memory>
#include <QList>

class CommandLine;
class QProcessEnvironment;
class QSettings;

// How start-up finds the device of each of COM1..COM4: the command line,
// then the environment variable DUNMERROW_COMn, then the settings file (key
// ports/COMn), then the platform's default.
class PortSetup {
public:
    // The operator's settings, in the platform's place for them:
    // ~/.config/dunmerrow/dunmerrow.conf on Linux (or under $XDG_CONFIG_HOME).
    static std::unique_ptr<QSettings> userSettings();

    static PortMap resolve(const CommandLine& commandLine, const QProcessEnvironment& environment,
                           const QSettings& settings);
    // The mapping for this start of the program: its command line, its
    // environment and the operator's settings.
    static PortMap forStartup(const CommandLine& commandLine);

    // Writes each port that the command line or the environment gives; the
    // others keep what the settings hold. The units whose ports were written.
    static QList<int> save(const PortMap& map, QSettings& settings);

    static QString variableName(int k);
    static QString settingsKey(int k);
};
