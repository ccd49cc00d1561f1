#include "unitstats.h"

namespace {

QString TimeText(const QDateTime& when)
{
    return when.isValid() ? when.toString(QStringLiteral("HH:mm:ss.zzz")) : QStringLiteral("-");
}

} // namespace

QString SummaryLine(int port, const UnitConfig& config, const UnitStats& stats)
{
    return QStringLiteral("# COM%1 protocol=%2 fault=%3 life=%4 queries_good=%5 queries_bad=%6 "
                          "wrong_speed=%7 replies=%8 unprompted=%9 after_death=%10 dropped=%11 "
                          "first_query=%12 died_at=%13")
        .arg(port)
        .arg(QLatin1String(ProtocolName(config.protocol)), FaultText(config),
             LifeText(config.lifeMs))
        .arg(stats.nGood)
        .arg(stats.nBad)
        .arg(stats.nWrongSpeed)
        .arg(stats.nReplies)
        .arg(stats.nUnprompted)
        .arg(stats.nAfterDeath)
        .arg(stats.nDropped)
        .arg(TimeText(stats.firstQuery), TimeText(stats.diedAt));
}
