#include "chartlayout.h"

#include <algorithm>
#include <cmath>
#include <QFontMetricsF>

namespace {

constexpr double GAP = 6;
constexpr double SWATCH = 10;
constexpr double BAR_PIXELS = 19;
constexpr double HIT_RADIUS = 6;
// Room after the longest run for the text that follows its bar.
constexpr double VALUE_ROOM = 1.22;

// Where run j sits across its bar, from -0.5 to 0.5 of its thickness: the
// golden-ratio sequence, so that each new run falls between earlier ones
// and the first one is on the middle line. Many runs of about the same
// length then show as a cloud rather than one dot.
double spread(int run)
{
    const double x = 0.5 + run * 0.6180339887;
    return x - std::floor(x) - 0.5;
}

// A step of 1, 2 or 5 times a power of ten that cuts range into about four.
double niceStep(double range)
{
    const double raw = range / 4;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double normal = raw / magnitude;
    return magnitude * (normal <= 1 ? 1 : normal <= 2 ? 2 : normal <= 5 ? 5 : 10);
}

} // namespace

ChartLayout::ChartLayout(const ChartBars& bars, const QFont& font, const QPaintDevice* device,
                         const QRectF& area)
    : m_bars(bars), m_font(font), m_area(area)
{
    const QFontMetricsF metrics(m_font, device);
    const double line = metrics.lineSpacing();
    double top = area.top() + MARGIN;
    m_title = QRectF(area.left(), top, area.width(), line);
    top += line + 2 * GAP;
    if (bars.rows() == 0) {
        m_plot = QRectF(area.left(), top, area.width(), 0);
        return;
    }
    top = layOutLegend(top, device) + 2 * GAP;
    m_axisTitle = QRectF(area.left(), top, area.width(), line);
    m_tickTop = m_axisTitle.bottom();
    top = m_tickTop + line + GAP / 2;

    for (const ChartBars::Bar& bar : bars.bars())
        m_labelWidth = std::max(m_labelWidth, metrics.horizontalAdvance(bar.label));
    m_labelWidth = std::max(m_labelWidth, metrics.horizontalAdvance(bars.more()));
    // Whole pixels: a label is cut to fit in them.
    m_labelWidth = std::ceil(std::min(m_labelWidth, area.width() * 0.4));
    const double left = area.left() + MARGIN + m_labelWidth + GAP;
    m_plot = QRectF(left, top, std::max(1.0, area.right() - 2 * MARGIN - left),
                    bars.rows() * ROW_HEIGHT);
    layOutAxis(bars.maxHours());
}

QFont ChartLayout::axisTitleFont() const
{
    QFont bold = m_font;
    bold.setBold(true);
    return bold;
}

// Entries side by side, a new line where the next one would not fit, each
// line centred; returns the bottom of the last line.
double ChartLayout::layOutLegend(double top, const QPaintDevice* device)
{
    const QFontMetricsF metrics(m_font, device);
    const double line = metrics.lineSpacing();
    const double width = m_area.width() - 2 * MARGIN;
    int lineStart = 0;
    double x = 0;
    // x runs on past each entry by the gap before the next.
    const auto centreLine = [&](int end) {
        const double shift = m_area.left() + MARGIN + (width - (x - 2 * GAP)) / 2;
        for (int i = lineStart; i < end; ++i) {
            m_legend[i].swatch.translate(shift, 0);
            m_legend[i].text.translate(shift, 0);
        }
    };
    for (const ChartBars::LegendEntry& entry : m_bars.legend()) {
        const double textWidth = metrics.horizontalAdvance(entry.type);
        const double itemWidth = SWATCH + GAP / 2 + textWidth;
        if (x > 0 && x + itemWidth > width) {
            centreLine(int(m_legend.size()));
            lineStart = int(m_legend.size());
            x = 0;
            top += line;
        }
        const QRectF swatch(x, top + (line - SWATCH) / 2, SWATCH, SWATCH);
        m_legend.append({swatch, QRectF(x + SWATCH + GAP / 2, top, textWidth, line)});
        x += itemWidth + 2 * GAP;
    }
    centreLine(int(m_legend.size()));
    return top + line;
}

void ChartLayout::layOutAxis(double maxHours)
{
    const double range = std::max(maxHours, 0.1) * VALUE_ROOM;
    const double step = niceStep(range);
    m_axisMax = std::ceil(range / step - 1e-9) * step;
    m_axisTitle.setLeft(m_plot.left());
    m_axisTitle.setWidth(m_plot.width());
    for (int i = 0; i * step <= m_axisMax + step / 1000; ++i)
        m_ticks.append({x(i * step), QString::number(i * step, 'g', 6)});
}

double ChartLayout::barThickness() const
{
    return std::min(BAR_PIXELS, ROW_HEIGHT * 0.7);
}

double ChartLayout::x(double hours) const
{
    return m_plot.left() + hours / m_axisMax * m_plot.width();
}

double ChartLayout::rowCentre(int row) const
{
    return m_plot.top() + (row + 0.5) * ROW_HEIGHT;
}

QPointF ChartLayout::runPosition(int bar, int run) const
{
    return {x(m_bars.bars()[bar].runHours[run]),
            rowCentre(bar) + spread(run) * barThickness() * 0.7};
}

QRectF ChartLayout::rowLabel(int row) const
{
    return QRectF(m_area.left() + MARGIN, rowCentre(row) - ROW_HEIGHT / 2, m_labelWidth,
                  ROW_HEIGHT);
}

int ChartLayout::barAt(const QPointF& point) const
{
    if (point.x() < m_area.left() || point.x() > m_plot.right() + HIT_RADIUS)
        return -1;
    const int row = int(std::floor((point.y() - m_plot.top()) / ROW_HEIGHT));
    return row >= 0 && row < m_bars.bars().size() ? row : -1;
}

int ChartLayout::runAt(int bar, const QPointF& point) const
{
    int nearest = -1;
    double best = HIT_RADIUS * HIT_RADIUS;
    for (int run = 0; run < m_bars.bars()[bar].runHours.size(); ++run) {
        const QPointF d = runPosition(bar, run) - point;
        const double distance = d.x() * d.x() + d.y() * d.y();
        if (distance <= best) {
            best = distance;
            nearest = run;
        }
    }
    return nearest;
}
