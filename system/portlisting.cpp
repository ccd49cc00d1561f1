#include "portlisting.h"

#include "portmap.h"
#include "portsetup.h"

#include <algorithm>
#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {

// udev's names that stay the same whichever socket an adapter is plugged
// into, by the device each names. Where the folder does not exist (other
// systems, containers) every port keeps its device name.
QHash<QString, QString> stablePaths()
{
    QHash<QString, QString> paths;
    const QDir byId(QStringLiteral("/dev/serial/by-id"));
    for (const QFileInfo& link : byId.entryInfoList(QDir::System | QDir::Files))
        paths.insert(link.canonicalFilePath(), link.filePath());
    return paths;
}

// A device is there when it is a file (Unix devices and the links to them)
// or a port the system reports, by its path or its short name: Windows' COM
// ports are not files.
bool isMissing(const QString& device, const QList<SystemPort>& ports)
{
    for (const SystemPort& port : ports) {
        if (port.location.compare(device, Qt::CaseInsensitive) == 0 ||
            QFileInfo(port.location).fileName() == device)
            return false;
    }
    return !QDir::isAbsolutePath(device) || !QFileInfo::exists(device);
}

QString orNone(const QString& text)
{
    return text.trimmed().isEmpty() ? QStringLiteral("-") : text.trimmed();
}

QString originText(const PortMap& map, int k)
{
    switch (map.origin(k)) {
    case PortMap::Origin::CommandLine:
        return QStringLiteral("from the command line");
    case PortMap::Origin::Environment:
        return QStringLiteral("from %1").arg(PortSetup::variableName(k));
    case PortMap::Origin::SettingsFile:
        return QStringLiteral("from the settings file");
    case PortMap::Origin::Default:
        break;
    }
    return QStringLiteral("the default");
}

} // namespace

QString PortListing::text(const PortMap& map, const QString& settingsFile)
{
    const QList<SystemPort> ports = systemSerialPorts();
    return portTable(map, ports) +
           QStringLiteral("\nCOM1 to COM4 (settings file: %1):\n").arg(settingsFile) +
           mappingLines(map, ports);
}

QString PortListing::portTable(const PortMap& map, const QList<SystemPort>& ports)
{
    if (ports.isEmpty())
        return QStringLiteral("No serial ports found.\n");
    const QHash<QString, QString> stable = stablePaths();
    QList<QStringList> rows{{QStringLiteral("STABLE PATH"), QStringLiteral("DEVICE"),
                             QStringLiteral("DESCRIPTION"), QStringLiteral("MAKER"),
                             QStringLiteral("SERIAL NUMBER"), QStringLiteral("USED AS")}};
    for (const SystemPort& port : ports) {
        const QString device = PortMap::deviceToOpen(port.location);
        QStringList usedAs;
        for (int k = 0; k < UNIT_COUNT; ++k) {
            if (PortMap::deviceToOpen(map.device(k)) == device)
                usedAs << QStringLiteral("COM%1").arg(k + 1);
        }
        rows << QStringList{stable.value(device, port.location),
                            port.location,
                            orNone(port.description),
                            orNone(port.manufacturer),
                            orNone(port.serialNumber),
                            orNone(usedAs.join(QLatin1Char(',')))};
    }
    QList<int> widths(rows.front().size(), 0);
    for (const QStringList& row : rows) {
        for (int i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], int(row[i].size()));
    }
    QString table = QStringLiteral("Serial ports found:\n");
    for (const QStringList& row : rows) {
        QString line;
        for (int i = 0; i < row.size(); ++i)
            line += row[i].leftJustified(widths[i] + 2);
        table += QStringLiteral("  ") + line.trimmed() + QLatin1Char('\n');
    }
    return table;
}

QString PortListing::mappingLines(const PortMap& map, const QList<SystemPort>& ports)
{
    QString lines;
    for (int k = 0; k < UNIT_COUNT; ++k) {
        const QString device = map.device(k);
        const QString opened = PortMap::deviceToOpen(device);
        QString shown = device;
        if (opened != device)
            shown += QStringLiteral(" (%1)").arg(opened);
        if (isMissing(opened, ports))
            shown += QStringLiteral(" (missing)");
        lines += QStringLiteral("  COM%1 is %2, %3\n").arg(k + 1).arg(shown, originText(map, k));
    }
    return lines;
}
