#include "durationtext.h"

#include <cmath>

QString durationText(double seconds)
{
    const qint64 total = std::llround(seconds);
    const qint64 magnitude = total < 0 ? -total : total;
    return QStringLiteral("%1%2:%3:%4")
        .arg(total < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 3600, 2, 10, QLatin1Char('0'))
        .arg(magnitude / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(magnitude % 60, 2, 10, QLatin1Char('0'));
}

QString hoursText(double seconds)
{
    return QStringLiteral("%1 h").arg(seconds / 3600.0, 0, 'f', 1);
}
