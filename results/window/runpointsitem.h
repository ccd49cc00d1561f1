#pragma once

#include <functional>
#include <QGraphicsItem>
#include <QString>
#include <QVector>

class QAbstractSeries;
class QChart;

// Drawn over the bars of the endurance chart: each run as a dot on its
// battery's bar, and the bar's mean and run count after it. The dots are
// spread a little up and down the bar, in a fixed pattern, so that many runs
// of about the same length show as a cloud rather than one dot. Hovering a
// dot shows that run; hovering anywhere else along a bar shows the battery's
// runs.
//
// One item paints every dot: a chart series would make a graphics item of
// each, and a large log has a hundred thousand runs.
class RunPointsItem : public QGraphicsItem {
public:
    struct Bar {
        double meanHours = 0;
        QVector<double> runHours;
        QString label; // after the bar, e.g. "14.2 h, 5 runs"
    };
    // The tooltip text of a bar (run -1) or of one of its runs.
    using ToolTip = std::function<QString(int bar, int run)>;

    RunPointsItem(QChart* chart, QAbstractSeries* series);

    // The chart's rows run from the top down, the first bar's at the top of
    // rows; rows may hold rows without a bar after the bars.
    void setBars(const QVector<Bar>& bars, int rows, const ToolTip& toolTip);
    void setSeries(QAbstractSeries* series);
    // Thickness of a bar as a fraction of its row, as the bar series has it.
    void setBarWidth(double fraction);
    // The plot area moved or changed size.
    void plotAreaChanged();

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

protected:
    void hoverMoveEvent(QGraphicsSceneHoverEvent* event) override;
    void hoverLeaveEvent(QGraphicsSceneHoverEvent* event) override;

private:
    struct Mapping {
        QPointF origin; // 0 hours on the first bar's centre line
        double perHour; // pixels along x
        double perBar;  // pixels along y from one bar to the next
    };
    Mapping mapping() const;
    QPointF runPosition(const Mapping& m, int bar, int run) const;
    void paintBar(QPainter* painter, const Mapping& m, int bar) const;
    void showToolTip(const QPoint& screenPos, const QString& text);

    QChart* m_chart;
    QAbstractSeries* m_series;
    QVector<Bar> m_bars;
    int m_rows = 0;
    ToolTip m_toolTip;
    double m_barWidth = 0.7;
    QString m_shownToolTip;
};
