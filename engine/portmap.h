#pragma once

#include "units.h"

#include <QString>

// Which system device each of the ports COM1..COM4 opens. Start-up works
// the mapping out once (command line, environment, settings file) and hands
// it to the engine's PortSet, which opens each unit's port with it.
class PortMap {
public:
    // Where a port's device came from, weakest first.
    enum class Origin { Default, SettingsFile, Environment, CommandLine };

    // Every port at its default.
    PortMap();

    // Unit k's port (COM<k+1>) opens `device`; an empty name puts it back
    // to its default.
    void map(int k, const QString& device, Origin origin);
    // The device as it was given: a link such as /dev/serial/by-id/... stays
    // a link here, so that it can be shown and saved as the operator wrote it.
    QString device(int k) const;
    Origin origin(int k) const;

    // The platform's own device for COM<k+1>, and the name to open for a
    // device as given (on Unix, a link is opened as the device it names).
    static QString defaultDevice(int k);
    static QString deviceToOpen(const QString& device);

private:
    QString m_devices[UNIT_COUNT];
    Origin m_origins[UNIT_COUNT] = {};
};
