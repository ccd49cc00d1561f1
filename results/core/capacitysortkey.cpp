#include "capacitysortkey.h"

QString capacitySortKey(const QString& capacity)
{
    const QString text = capacity.trimmed();
    if (text.isEmpty())
        return QString();
    bool number = false;
    const qulonglong mAh = text.toULongLong(&number);
    return number ? QStringLiteral("0%1").arg(mAh, 20, 10, QLatin1Char('0'))
                  : QStringLiteral("1") + text;
}
