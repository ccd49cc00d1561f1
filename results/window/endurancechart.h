#pragma once

#include "batterysummary.h"
#include "chartbars.h"
#include "resultrecord.h"

#include <QVector>
#include <QWidget>

class ChartLayout;

// Endurance per battery as horizontal bars, longest mean first: a bar's
// length is the mean of its runs, each run a dot on it, the colour the
// battery type, with a legend. The chart grows one row per battery and sits
// in a scroll area, so that each bar keeps a readable thickness however many
// there are; every bar carries its mean in hours, readable without the axis.
// Pointing at a dot shows that run; anywhere else along a bar, the
// battery's runs.
class EnduranceChart : public QWidget {
    Q_OBJECT

public:
    explicit EnduranceChart(QWidget* parent = nullptr);

    void setResults(const QVector<ResultRecord>& records, const QVector<BatterySummary>& batteries);
    // The chart as the widget shows it, whole, into area of any paint device.
    void render(QPainter& painter, const QRectF& area) const;
    // The size of the chart itself in the widget.
    QSize chartSize() const { return chartArea().size().toSize(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    QString title() const;
    QRectF chartArea() const;
    void fitHeight();
    QString toolTipAt(const QPoint& position) const;
    QString barToolTip(int bar) const;
    QString runToolTip(int bar, int run) const;
    QString runLine(int record) const;

    QVector<ResultRecord> m_records;
    QVector<BatterySummary> m_batteries;
    ChartBars m_bars;
};
