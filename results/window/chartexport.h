#pragma once

#include <QString>

class QChartView;

// Writes a chart, at the size it has in its view, as a picture. Each returns
// an empty text on success, otherwise why it failed.
class ChartExport {
public:
    // Twice the view's pixels, so that the picture stays sharp when zoomed.
    static QString savePng(QChartView* view, const QString& path);
    // Vector drawing: text stays text.
    static QString saveSvg(QChartView* view, const QString& path);
};
