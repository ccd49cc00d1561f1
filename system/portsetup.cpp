#include "portsetup.h"

#include "commandline.h"

#include <QProcessEnvironment>
#include <QSettings>

std::unique_ptr<QSettings> PortSetup::userSettings()
{
    // Named explicitly: the application's name is the executable's, which a
    // renamed copy changes, and the settings must not move with it.
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("dunmerrow"), QStringLiteral("dunmerrow"));
}

PortMap PortSetup::resolve(const CommandLine& commandLine, const QProcessEnvironment& environment,
                           const QSettings& settings)
{
    PortMap map;
    for (int k = 0; k < UNIT_COUNT; ++k) {
        const struct {
            QString device;
            PortMap::Origin origin;
        } sources[] = {
            {commandLine.portOption(k), PortMap::Origin::CommandLine},
            {environment.value(variableName(k)), PortMap::Origin::Environment},
            {settings.value(settingsKey(k)).toString(), PortMap::Origin::SettingsFile},
        };
        for (const auto& source : sources) {
            if (!source.device.isEmpty()) {
                map.map(k, source.device, source.origin);
                break;
            }
        }
    }
    return map;
}

PortMap PortSetup::forStartup(const CommandLine& commandLine)
{
    return resolve(commandLine, QProcessEnvironment::systemEnvironment(), *userSettings());
}

QList<int> PortSetup::save(const PortMap& map, QSettings& settings)
{
    QList<int> saved;
    for (int k = 0; k < UNIT_COUNT; ++k) {
        const PortMap::Origin origin = map.origin(k);
        if (origin != PortMap::Origin::CommandLine && origin != PortMap::Origin::Environment)
            continue;
        settings.setValue(settingsKey(k), map.device(k));
        saved << k;
    }
    settings.sync();
    return saved;
}

QString PortSetup::variableName(int k)
{
    return QStringLiteral("DUNMERROW_COM%1").arg(k + 1);
}

QString PortSetup::settingsKey(int k)
{
    return QStringLiteral("ports/COM%1").arg(k + 1);
}
