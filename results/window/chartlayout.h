#pragma once

#include "chartbars.h"

#include <QFont>
#include <QRectF>
#include <QVector>

class QPaintDevice;

// Where each part of the endurance chart goes in a given rectangle, in the
// fonts of the device it is drawn on: a screen, a picture or a PDF page each
// measure text their own way. From the top: the title, the legend (wrapped
// to the width), the hours axis, then a row per bar of a fixed height, the
// batteries' names to the left of the plot. The chart is as tall as its rows
// need; the widget scrolls rather than squeezing them.
class ChartLayout {
public:
    struct LegendItem {
        QRectF swatch;
        QRectF text;
    };
    struct Tick {
        double x;
        QString text;
    };

    ChartLayout(const ChartBars& bars, const QFont& font, const QPaintDevice* device,
                const QRectF& area);

    QFont titleFont() const { return m_font; }
    QFont axisTitleFont() const;
    QRectF area() const { return m_area; }
    QRectF title() const { return m_title; }
    const QVector<LegendItem>& legend() const { return m_legend; }
    QRectF axisTitle() const { return m_axisTitle; }
    const QVector<Tick>& ticks() const { return m_ticks; }
    double tickTop() const { return m_tickTop; }
    QRectF plot() const { return m_plot; }
    double labelWidth() const { return m_labelWidth; }
    double barThickness() const;
    // The height the whole chart needs at this width.
    double neededHeight() const { return m_plot.bottom() + MARGIN - m_area.top(); }

    double x(double hours) const;
    double rowCentre(int row) const;
    QPointF runPosition(int bar, int run) const;
    QRectF rowLabel(int row) const;

    // The bar under a point, or -1; and the run whose dot is under it, or -1.
    int barAt(const QPointF& point) const;
    int runAt(int bar, const QPointF& point) const;

    static constexpr double MARGIN = 8;
    static constexpr double ROW_HEIGHT = 30;

private:
    double layOutLegend(double top, const QPaintDevice* device);
    void layOutAxis(double maxHours);

    const ChartBars& m_bars;
    QFont m_font;
    QRectF m_area;
    QRectF m_title;
    QVector<LegendItem> m_legend;
    QRectF m_axisTitle;
    QVector<Tick> m_ticks;
    double m_tickTop = 0;
    QRectF m_plot;
    double m_labelWidth = 0;
    double m_axisMax = 1;
};
