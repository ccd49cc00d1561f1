#include "systemports.h"

#include <QSerialPortInfo>

QList<SystemPort> systemSerialPorts()
{
    QList<SystemPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports << SystemPort{info.systemLocation(), info.description(), info.manufacturer(),
                            info.serialNumber()};
    return ports;
}
