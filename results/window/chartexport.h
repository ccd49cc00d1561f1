#pragma once

#include <QString>

class EnduranceChart;

// Writes the chart, at the size it has on screen, as a picture or a
// document. Each returns an empty text on success, otherwise why it failed.
class ChartExport {
public:
    // Twice the screen's pixels, so that the picture stays sharp when zoomed.
    static QString savePng(const EnduranceChart& chart, const QString& path);
    // One page of the chart's own size; text stays text.
    static QString savePdf(const EnduranceChart& chart, const QString& path);
#ifdef DUNMERROW_HAVE_SVG
    // Vector drawing: text stays text.
    static QString saveSvg(const EnduranceChart& chart, const QString& path);
#endif
};
