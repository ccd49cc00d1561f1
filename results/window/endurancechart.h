#pragma once

#include "batterysummary.h"
#include "resultrecord.h"

#include <QChartView>
#include <QVector>

class QHorizontalStackedBarSeries;
class RunPointsItem;

// Endurance per battery as horizontal bars, longest mean first: a bar's
// length is the mean of its runs, each run a dot on it, the colour the
// battery type, with a legend. The chart grows one row per battery and sits
// in a scroll area, so that each bar keeps a readable thickness however many
// there are; every bar carries its mean in hours, readable without the axis.
// Past MAX_BARS batteries a last row says how many more the Batteries table
// lists: a chart of hundreds of bars compares nothing at a glance.
class EnduranceChart : public QChartView {
    Q_OBJECT

public:
    static constexpr int MAX_BARS = 100;

    explicit EnduranceChart(QWidget* parent = nullptr);

    void setResults(const QVector<ResultRecord>& records, const QVector<BatterySummary>& batteries);
    // The height at which every row has its room.
    int neededHeight() const;

private:
    void clearChart();
    void addBars(int shown);
    void addAxes(int shown, bool more, double maxHours);
    void fitBarWidth();
    QString barToolTip(int bar) const;
    QString runToolTip(int bar, int run) const;
    QString runLine(int record) const;

    QVector<ResultRecord> m_records;
    QVector<BatterySummary> m_batteries;
    QHorizontalStackedBarSeries* m_series = nullptr;
    RunPointsItem* m_points = nullptr;
    int m_rows = 0;
};
