#include "chartpainter.h"

#include "chartbars.h"
#include "chartlayout.h"

#include <cmath>
#include <QPainter>
#include <QSet>

namespace {

const QColor TEXT(0x40, 0x40, 0x40);
const QColor GRID(0xE0, 0xE0, 0xE0);
const QColor AXIS(0xA0, 0xA0, 0xA0);
// Above this many runs on one bar the dots get smaller and see-through, and
// a dot that would fall on a pixel already drawn is left out: a large log
// has a hundred thousand runs.
constexpr int CROWDED = 60;

bool crowded(const ChartBars::Bar& bar)
{
    return bar.runHours.size() > CROWDED;
}

double dotRadius(const ChartBars::Bar& bar)
{
    return crowded(bar) ? 2.5 : 3.5;
}

} // namespace

void ChartPainter::paint(QPainter& painter, const ChartBars& bars, const ChartLayout& layout,
                         const QString& title, const QRectF& exposed)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(layout.area(), Qt::white);
    painter.setFont(layout.titleFont());
    painter.setPen(TEXT);
    painter.drawText(layout.title(), Qt::AlignCenter, title);
    if (bars.rows() > 0) {
        paintLegendAndAxis(painter, bars, layout);
        const QRectF plot = layout.plot();
        const double top = std::max(0.0, (exposed.top() - plot.top()) / ChartLayout::ROW_HEIGHT);
        const double bottom = (exposed.bottom() - plot.top()) / ChartLayout::ROW_HEIGHT;
        for (int row = int(top); row < bars.rows() && row <= bottom; ++row)
            paintRow(painter, bars, layout, row);
    }
    painter.restore();
}

void ChartPainter::paintLegendAndAxis(QPainter& painter, const ChartBars& bars,
                                      const ChartLayout& layout)
{
    for (int i = 0; i < bars.legend().size(); ++i) {
        const ChartLayout::LegendItem& item = layout.legend()[i];
        painter.fillRect(item.swatch, bars.legend()[i].colour);
        painter.drawText(item.text, Qt::AlignLeft | Qt::AlignVCenter, bars.legend()[i].type);
    }
    const QRectF plot = layout.plot();
    for (const ChartLayout::Tick& tick : layout.ticks()) {
        painter.setPen(QPen(GRID, 1));
        painter.drawLine(QPointF(tick.x, plot.top()), QPointF(tick.x, plot.bottom()));
        painter.setPen(TEXT);
        const QRectF label(tick.x - 50, layout.tickTop(), 100, plot.top() - layout.tickTop());
        painter.drawText(label, Qt::AlignHCenter | Qt::AlignTop, tick.text);
    }
    painter.setPen(QPen(AXIS, 1));
    painter.drawLine(plot.topLeft(), plot.topRight());
    painter.setPen(TEXT);
    painter.setFont(layout.axisTitleFont());
    painter.drawText(layout.axisTitle(), Qt::AlignCenter, QStringLiteral("Hours"));
    painter.setFont(layout.titleFont());
}

void ChartPainter::paintRow(QPainter& painter, const ChartBars& bars, const ChartLayout& layout,
                            int row)
{
    painter.setPen(TEXT);
    const QRectF labelRect = layout.rowLabel(row);
    if (row >= bars.bars().size()) {
        painter.drawText(
            labelRect, Qt::AlignRight | Qt::AlignVCenter,
            painter.fontMetrics().elidedText(bars.more(), Qt::ElideRight, int(labelRect.width())));
        return;
    }
    const ChartBars::Bar& bar = bars.bars()[row];
    painter.drawText(
        labelRect, Qt::AlignRight | Qt::AlignVCenter,
        painter.fontMetrics().elidedText(bar.label, Qt::ElideRight, int(labelRect.width())));
    const double thickness = layout.barThickness();
    const double left = layout.x(0);
    painter.fillRect(QRectF(left, layout.rowCentre(row) - thickness / 2,
                            layout.x(bar.meanHours) - left, thickness),
                     bar.colour);
    paintRuns(painter, bars, layout, row);
    const QRectF value(layout.x(bar.rightHours) + dotRadius(bar) + 6,
                       layout.rowCentre(row) - ChartLayout::ROW_HEIGHT / 2, 400,
                       ChartLayout::ROW_HEIGHT);
    painter.setPen(TEXT);
    painter.drawText(value, Qt::AlignLeft | Qt::AlignVCenter, bar.value);
}

void ChartPainter::paintRuns(QPainter& painter, const ChartBars& bars, const ChartLayout& layout,
                             int row)
{
    const ChartBars::Bar& bar = bars.bars()[row];
    const bool many = crowded(bar);
    const double radius = dotRadius(bar);
    painter.setPen(many ? QPen(Qt::NoPen) : QPen(Qt::white, 1.0));
    painter.setBrush(QColor(25, 25, 35, many ? 130 : 220));
    QSet<qint64> drawn;
    for (int run = 0; run < bar.runHours.size(); ++run) {
        const QPointF p = layout.runPosition(row, run);
        if (many) {
            const qint64 pixel = (qint64(std::lround(p.y())) << 32) + std::lround(p.x());
            if (drawn.contains(pixel))
                continue;
            drawn.insert(pixel);
        }
        painter.drawEllipse(p, radius, radius);
    }
    painter.setBrush(Qt::NoBrush);
}
