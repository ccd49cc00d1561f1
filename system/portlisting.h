#pragma once

#include "systemports.h"

#include <QString>

class PortMap;

// The text of --list-ports: every serial port the system reports, with the
// COMn it is used as, then where each of COM1..COM4 leads and why.
class PortListing {
public:
    static QString text(const PortMap& map, const QString& settingsFile);

private:
    static QString portTable(const PortMap& map, const QList<SystemPort>& ports);
    static QString mappingLines(const PortMap& map, const QList<SystemPort>& ports);
};
