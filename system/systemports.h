#pragma once

#include <QList>
#include <QString>

// A serial port that the system reports, as --list-ports shows it. Fields
// the system does not know are empty.
struct SystemPort {
    // The name a program opens it by: /dev/ttyUSB0, COM3.
    QString location;
    QString description;
    QString manufacturer;
    QString serialNumber;
};

// Every serial port the system knows of now. The platform's part is in
// systemports_<system>.cpp.
QList<SystemPort> systemSerialPorts();
