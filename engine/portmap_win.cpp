#include "portmap.h"

// Windows has ports called COM1..COM4 itself; a mapped port is opened by
// the name it was given (COM7, say).

QString PortMap::defaultDevice(int k)
{
    return QStringLiteral("COM%1").arg(k + 1);
}

QString PortMap::deviceToOpen(const QString& device)
{
    return device;
}
