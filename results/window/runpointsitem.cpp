#include "runpointsitem.h"

#include <cmath>
#include <QChart>
#include <QGraphicsSceneHoverEvent>
#include <QGraphicsView>
#include <QPainter>
#include <QSet>
#include <QStyleOptionGraphicsItem>
#include <QToolTip>

namespace {

// Above this many runs on one bar the dots get smaller and see-through, and
// a dot that would fall on a pixel already drawn is left out.
constexpr int CROWDED = 60;
constexpr double HIT_RADIUS = 6;

// Where run j sits across the bar, from -0.5 to 0.5 of its thickness: the
// golden-ratio sequence, so that each new run falls between earlier ones and
// the first one is on the middle line.
double spread(int run)
{
    const double x = 0.5 + run * 0.6180339887;
    return x - std::floor(x) - 0.5;
}

} // namespace

RunPointsItem::RunPointsItem(QChart* chart, QAbstractSeries* series)
    : QGraphicsItem(chart), m_chart(chart), m_series(series)
{
    setAcceptHoverEvents(true);
    setZValue(10);
}

void RunPointsItem::setBars(const QVector<Bar>& bars, int rows, const ToolTip& toolTip)
{
    m_bars = bars;
    m_rows = rows;
    m_toolTip = toolTip;
    // What it said may no longer be what is under the pointer.
    if (!m_shownToolTip.isEmpty())
        QToolTip::hideText();
    m_shownToolTip.clear();
    update();
}

void RunPointsItem::setSeries(QAbstractSeries* series)
{
    m_series = series;
}

void RunPointsItem::setBarWidth(double fraction)
{
    m_barWidth = fraction;
    update();
}

void RunPointsItem::plotAreaChanged()
{
    prepareGeometryChange();
    update();
}

// The plot area, and room for the dots of the top and bottom rows.
QRectF RunPointsItem::boundingRect() const
{
    return m_chart->plotArea().adjusted(-HIT_RADIUS, -HIT_RADIUS, HIT_RADIUS, HIT_RADIUS);
}

RunPointsItem::Mapping RunPointsItem::mapping() const
{
    if (m_series == nullptr || m_rows < 1)
        return {QPointF(), 0, 0};
    // The axes are linear: two points give the whole mapping, the same one
    // the bar series is drawn with. Category k of the axis lies at value k.
    const QPointF origin = m_chart->mapToPosition(QPointF(0, m_rows - 1), m_series);
    const QPointF unit = m_chart->mapToPosition(QPointF(1, m_rows - 2), m_series);
    return {origin, unit.x() - origin.x(), unit.y() - origin.y()};
}

QPointF RunPointsItem::runPosition(const Mapping& m, int bar, int run) const
{
    const double thickness = std::abs(m.perBar) * m_barWidth;
    return {m.origin.x() + m_bars[bar].runHours[run] * m.perHour,
            m.origin.y() + bar * m.perBar + spread(run) * thickness * 0.7};
}

void RunPointsItem::paintBar(QPainter* painter, const Mapping& m, int bar) const
{
    const Bar& b = m_bars[bar];
    const bool crowded = b.runHours.size() > CROWDED;
    const double radius = crowded ? 2.5 : 3.5;
    painter->setPen(crowded ? QPen(Qt::NoPen) : QPen(Qt::white, 1.0));
    painter->setBrush(QColor(25, 25, 35, crowded ? 130 : 220));
    QSet<qint64> drawn;
    double right = b.meanHours;
    for (int run = 0; run < b.runHours.size(); ++run) {
        right = std::max(right, b.runHours[run]);
        const QPointF p = runPosition(m, bar, run);
        if (crowded) {
            const qint64 pixel = (qint64(std::lround(p.y())) << 32) + std::lround(p.x());
            if (drawn.contains(pixel))
                continue;
            drawn.insert(pixel);
        }
        painter->drawEllipse(p, radius, radius);
    }
    const double y = m.origin.y() + bar * m.perBar;
    const QRectF text(m.origin.x() + right * m.perHour + radius + 6, y - 10, 400, 20);
    painter->setPen(QColor(60, 60, 60));
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter, b.label);
}

void RunPointsItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*)
{
    const Mapping m = mapping();
    if (m.perBar == 0)
        return;
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setClipRect(boundingRect());
    const QRectF exposed = option->exposedRect;
    for (int bar = 0; bar < m_bars.size(); ++bar) {
        const double y = m.origin.y() + bar * m.perBar;
        if (y + std::abs(m.perBar) < exposed.top() || y - std::abs(m.perBar) > exposed.bottom())
            continue;
        paintBar(painter, m, bar);
    }
}

void RunPointsItem::hoverMoveEvent(QGraphicsSceneHoverEvent* event)
{
    const Mapping m = mapping();
    QString text;
    const int bar =
        m.perBar == 0 ? -1 : int(std::lround((event->pos().y() - m.origin.y()) / m.perBar));
    if (bar >= 0 && bar < m_bars.size() && m_toolTip) {
        int nearest = -1;
        double best = HIT_RADIUS * HIT_RADIUS;
        for (int run = 0; run < m_bars[bar].runHours.size(); ++run) {
            const QPointF d = runPosition(m, bar, run) - event->pos();
            const double distance = d.x() * d.x() + d.y() * d.y();
            if (distance <= best) {
                best = distance;
                nearest = run;
            }
        }
        text = m_toolTip(bar, nearest);
    }
    showToolTip(event->screenPos(), text);
}

void RunPointsItem::hoverLeaveEvent(QGraphicsSceneHoverEvent* event)
{
    showToolTip(event->screenPos(), QString());
}

void RunPointsItem::showToolTip(const QPoint& screenPos, const QString& text)
{
    if (text == m_shownToolTip)
        return;
    m_shownToolTip = text;
    QWidget* view = scene() && !scene()->views().isEmpty() ? scene()->views().first() : nullptr;
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(screenPos, text, view);
}
