#pragma once

class ChartBars;
class ChartLayout;
class QPainter;
class QRectF;
class QString;

// Draws the endurance chart as a layout placed it, on any paint device:
// the widget, a picture, a PDF page or an SVG drawing. Rows outside
// exposed are left out, which keeps scrolling through a long chart quick.
class ChartPainter {
public:
    static void paint(QPainter& painter, const ChartBars& bars, const ChartLayout& layout,
                      const QString& title, const QRectF& exposed);

private:
    static void paintLegendAndAxis(QPainter& painter, const ChartBars& bars,
                                   const ChartLayout& layout);
    static void paintRow(QPainter& painter, const ChartBars& bars, const ChartLayout& layout,
                         int row);
    static void paintRuns(QPainter& painter, const ChartBars& bars, const ChartLayout& layout,
                          int row);
};
