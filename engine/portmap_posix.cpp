#include "portmap.h"

#include <QFileInfo>

// Unix names its serial ports /dev/ttyS0, /dev/ttyS1, ...: COM1 is the first.

QString PortMap::defaultDevice(int k)
{
    return QStringLiteral("/dev/ttyS%1").arg(k);
}

QString PortMap::deviceToOpen(const QString& device)
{
    // A link such as /dev/serial/by-id/... is opened as the device it names,
    // so that the port's lock is the one every other program takes for it.
    const QString target = QFileInfo(device).canonicalFilePath();
    return target.isEmpty() ? device : target;
}
