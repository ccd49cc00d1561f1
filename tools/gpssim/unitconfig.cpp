#include "unitconfig.h"

namespace {

constexpr int GARMIN_SPEED = 9600;
constexpr int MAGELLAN_SPEED = 4800;

QString SecondsText(qint64 ms)
{
    if (ms % 1000 == 0)
        return QString::number(ms / 1000) + QLatin1Char('s');
    return QString::number(static_cast<double>(ms) / 1000.0, 'g', 12) + QLatin1Char('s');
}

} // namespace

UnitConfig DefaultUnit(Protocol protocol)
{
    UnitConfig config;
    config.protocol = protocol;
    if (protocol == Protocol::Garmin) {
        // 2.72 is 0x0110 on the wire, so the default reply already carries a
        // doubled DLE, the case a receiver most easily gets wrong.
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

const char* ProtocolName(Protocol protocol)
{
    return protocol == Protocol::Garmin ? "garmin" : "magellan";
}

int LineSpeed(Protocol protocol)
{
    return protocol == Protocol::Garmin ? GARMIN_SPEED : MAGELLAN_SPEED;
}

QString FaultText(const UnitConfig& config)
{
    switch (config.fault) {
    case Fault::None:
        return QStringLiteral("none");
    case Fault::Silent:
        return QStringLiteral("silent");
    case Fault::BadChecksum:
        return QStringLiteral("bad-checksum");
    case Fault::BadAckChecksum:
        return QStringLiteral("bad-ack-checksum");
    case Fault::LowerCase:
        return QStringLiteral("lowercase");
    case Fault::Junk:
        return QStringLiteral("junk:%1").arg(config.faultCount);
    case Fault::Overlong:
        return QStringLiteral("overlong");
    case Fault::EveryNth:
        return QStringLiteral("every:%1").arg(config.faultCount);
    case Fault::Late:
        return QStringLiteral("late:") + SecondsText(config.faultDelayMs).chopped(1);
    case Fault::Nmea:
        return QStringLiteral("nmea");
    case Fault::Unplug:
        return QStringLiteral("unplug");
    }
    return QString();
}

QString LifeText(qint64 lifeMs)
{
    return lifeMs == UnitConfig::FOREVER ? QStringLiteral("forever") : SecondsText(lifeMs);
}
