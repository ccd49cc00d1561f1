#pragma once

#include "batterysummary.h"
#include "resultrecord.h"

#include <QColor>
#include <QString>
#include <QVector>

// What the endurance chart draws, worked out once per log rather than at
// every paint: a bar per battery, longest mean first, coloured by its type,
// and the legend of those colours. Past MAX_BARS batteries a last row says
// how many more the Batteries table lists: a chart of hundreds of bars
// compares nothing at a glance.
class ChartBars {
public:
    static constexpr int MAX_BARS = 100;

    struct Bar {
        QString label; // the battery, as the Batteries table describes it
        QColor colour;
        double meanHours = 0;
        QVector<double> runHours;
        double rightHours = 0; // the mean or the longest run, whichever is further
        QString value;         // after the bar, e.g. "14.2 h, 5 runs"
    };
    struct LegendEntry {
        QString type;
        QColor colour;
    };

    ChartBars() = default;
    ChartBars(const QVector<ResultRecord>& records, const QVector<BatterySummary>& batteries);

    const QVector<Bar>& bars() const { return m_bars; }
    const QVector<LegendEntry>& legend() const { return m_legend; }
    // The last row's text when batteries were left out, else empty.
    const QString& more() const { return m_more; }
    // Bars, and the row that says how many more.
    int rows() const { return int(m_bars.size()) + (m_more.isEmpty() ? 0 : 1); }
    double maxHours() const { return m_maxHours; }

private:
    void buildLegend(const QVector<BatterySummary>& batteries, int shown);
    QColor colourOf(const QString& typeName) const;

    QVector<Bar> m_bars;
    QVector<LegendEntry> m_legend;
    QString m_more;
    double m_maxHours = 0;
};
