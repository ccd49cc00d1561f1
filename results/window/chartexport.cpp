#include "chartexport.h"

#include "endurancechart.h"

#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#ifdef DUNMERROW_HAVE_SVG
#include <QSvgGenerator>
#endif

namespace {

const QString TITLE = QStringLiteral("Endurance per battery");

// Each picture's resolution: the chart's pixels are the screen's, and its
// fonts, given in points, take the same room as there.
constexpr int SCREEN_DPI = 96;

QString savedOrError(const QFile& file)
{
    return file.error() == QFileDevice::NoError ? QString() : file.errorString();
}

} // namespace

QString ChartExport::savePng(const EnduranceChart& chart, const QString& path)
{
    const QSize size = chart.chartSize();
    QImage image(size * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        chart.render(painter, QRectF(QPointF(0, 0), size));
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG"))
        return file.errorString();
    return QString();
}

QString ChartExport::savePdf(const EnduranceChart& chart, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const QSize size = chart.chartSize();
    QPdfWriter pdf(&file);
    pdf.setTitle(TITLE);
    pdf.setCreator(QStringLiteral("Dunmerrow Results"));
    pdf.setResolution(SCREEN_DPI);
    pdf.setPageSize(QPageSize(QSizeF(size) * 72.0 / SCREEN_DPI, QPageSize::Point, QString(),
                              QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF());
    {
        QPainter painter(&pdf);
        if (!painter.isActive())
            return QStringLiteral("the PDF could not be started");
        chart.render(painter, QRectF(QPointF(0, 0), size));
    }
    return savedOrError(file);
}

#ifdef DUNMERROW_HAVE_SVG
QString ChartExport::saveSvg(const EnduranceChart& chart, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const QSize size = chart.chartSize();
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(SCREEN_DPI);
    svg.setTitle(TITLE);
    svg.setDescription(chart.accessibleDescription());
    {
        QPainter painter(&svg);
        chart.render(painter, QRectF(QPointF(0, 0), size));
    }
    return savedOrError(file);
}
#endif
