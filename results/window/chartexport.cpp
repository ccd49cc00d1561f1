#include "chartexport.h"

#include <QChartView>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

namespace {

void renderChart(QChartView* view, QPainter* painter)
{
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF source = view->chart()->sceneBoundingRect();
    view->scene()->render(painter, QRectF(QPointF(0, 0), source.size()), source);
}

} // namespace

QString ChartExport::savePng(QChartView* view, const QString& path)
{
    const QSize size = view->chart()->size().toSize();
    QImage image(size * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        renderChart(view, &painter);
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG"))
        return file.errorString();
    return QString();
}

QString ChartExport::saveSvg(QChartView* view, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const QSize size = view->chart()->size().toSize();
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QStringLiteral("Endurance per battery"));
    svg.setDescription(view->accessibleDescription());
    {
        QPainter painter(&svg);
        renderChart(view, &painter);
    }
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    return QString();
}
