#include "chartbars.h"

#include "durationtext.h"
#include "logformat.h"

#include <algorithm>
#include <iterator>

namespace {

// Okabe and Ito's colours, told apart also by people who see red and green
// alike: one for each of the BATTERY_TYPES the dialog offers, in their
// order, then for any other.
const QRgb TYPE_COLOURS[] = {0xE69F00, 0x56B4E9, 0x009E73, 0xCC79A7, 0x0072B2, 0xD55E00};
static_assert(std::size(TYPE_COLOURS) == std::size(BATTERY_TYPES));
const QRgb OTHER_COLOURS[] = {0x999999, 0xF0E442, 0x8C564B, 0x17BECF, 0x5D5D5D, 0xBCBD22};

QString typeName(const BatterySummary& b)
{
    const QString type = b.type.simplified();
    return type.isEmpty() ? QStringLiteral("(no type)") : type;
}

// The index of a type in the dialog's list, or -1.
int knownType(const QString& type)
{
    for (std::size_t i = 0; i < std::size(BATTERY_TYPES); ++i) {
        if (type.compare(QLatin1String(BATTERY_TYPES[i]), Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QString runCount(qsizetype runs)
{
    return runs == 1 ? QStringLiteral("1 run") : QStringLiteral("%1 runs").arg(runs);
}

} // namespace

ChartBars::ChartBars(const QVector<ResultRecord>& records, const QVector<BatterySummary>& batteries)
{
    const int shown = int(std::min<qsizetype>(batteries.size(), MAX_BARS));
    if (batteries.size() > shown)
        m_more = QStringLiteral("\u2026 and %1 more, listed under Batteries")
                     .arg(batteries.size() - shown);
    buildLegend(batteries, shown);
    for (int i = 0; i < shown; ++i) {
        const BatterySummary& b = batteries[i];
        Bar bar;
        bar.label = b.description();
        bar.colour = colourOf(typeName(b));
        bar.meanHours = b.meanSeconds / 3600.0;
        bar.runHours.reserve(b.runs.size());
        for (int record : b.runs)
            bar.runHours.append(double(records[record].enduranceSeconds) / 3600.0);
        bar.rightHours = std::max(bar.meanHours, double(b.longestSeconds) / 3600.0);
        bar.value = hoursText(b.meanSeconds) + QStringLiteral(", ") + runCount(b.runs.size());
        m_maxHours = std::max(m_maxHours, bar.rightHours);
        m_bars.append(bar);
    }
}

// The types of the batteries shown, those of the dialog's list first and in
// its order, then the others as they come, each with a colour of its own.
void ChartBars::buildLegend(const QVector<BatterySummary>& batteries, int shown)
{
    QStringList present;
    for (int i = 0; i < shown; ++i) {
        if (!present.contains(typeName(batteries[i]), Qt::CaseInsensitive))
            present << typeName(batteries[i]);
    }
    std::stable_sort(present.begin(), present.end(), [](const QString& a, const QString& b) {
        const auto rank = [](const QString& t) {
            const int known = knownType(t);
            return known < 0 ? int(std::size(BATTERY_TYPES)) : known;
        };
        return rank(a) < rank(b);
    });
    int others = 0;
    for (const QString& type : present) {
        const int known = knownType(type);
        const QRgb rgb =
            known >= 0 ? TYPE_COLOURS[known] : OTHER_COLOURS[others++ % std::size(OTHER_COLOURS)];
        m_legend.append({type, QColor(rgb)});
    }
}

QColor ChartBars::colourOf(const QString& typeName) const
{
    for (const LegendEntry& entry : m_legend) {
        if (entry.type.compare(typeName, Qt::CaseInsensitive) == 0)
            return entry.colour;
    }
    return Qt::gray;
}
