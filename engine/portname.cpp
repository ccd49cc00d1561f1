#include "portname.h"

#include <QFileInfo>
#include <QtGlobal>

QString SystemPortName(const char* szComName)
{
    const QString comName = QString::fromLatin1(szComName);
#ifdef Q_OS_WIN
    return comName;
#else
    const QByteArray variable = "DUNMERROW_" + comName.toUpper().toLatin1();
    const QString configured = qEnvironmentVariable(variable.constData());
    if (!configured.isEmpty()) {
        // A link such as /dev/serial/by-id/... is opened as the device it
        // names, so that the port's lock is the one every other program
        // takes for that device.
        const QString device = QFileInfo(configured).canonicalFilePath();
        return device.isEmpty() ? configured : device;
    }
    const bool isCom = comName.startsWith(QLatin1String("COM"), Qt::CaseInsensitive);
    bool isNumber = false;
    const int number = comName.mid(3).toInt(&isNumber);
    if (isCom && isNumber && number >= 1)
        return QStringLiteral("/dev/ttyS%1").arg(number - 1);
    return comName;
#endif
}
