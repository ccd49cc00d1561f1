#include "unitconfig.h"

UnitConfig UnitConfig::defaults(Protocol protocol)
{
    UnitConfig config;
    config.protocol = protocol;
    if (protocol == Protocol::Garmin) {
        // 2.72 is 0x0110 on the wire, so the default answer already carries
        // a doubled DLE, the case a receiver most easily gets wrong.
        config.productId = 130;
        config.softwareVersion = 272;
        config.description = "eTrex";
    } else {
        // Its checksum, 2D, has a letter in it, so that lower-case digits
        // make a difference with the defaults too.
        config.productId = 31;
        config.softwareVersion = 150;
        config.description = "Meridian Color";
    }
    return config;
}

QString protocolName(Protocol protocol)
{
    return protocol == Protocol::Garmin ? QStringLiteral("garmin") : QStringLiteral("magellan");
}

int lineSpeed(Protocol protocol)
{
    return protocol == Protocol::Garmin ? 9600 : 4800;
}

QString faultText(Fault fault)
{
    static const char* const names[] = {"none", "bad-checksum", "lowercase", "unplug"};
    return QLatin1String(names[static_cast<int>(fault)]);
}

QString lifeText(qint64 lifeMs)
{
    if (lifeMs == UnitConfig::FOREVER)
        return QStringLiteral("forever");
    return QString::number(static_cast<double>(lifeMs) / 1000.0, 'g', 12) + QLatin1Char('s');
}
