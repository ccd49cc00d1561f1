#include "endurancechart.h"

#include "chartlayout.h"
#include "chartpainter.h"
#include "durationtext.h"

#include <cmath>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace {

constexpr int TOOLTIP_RUNS = 15;
// The window's colour around the chart's white, as around a picture.
constexpr int INSET = 8;

QString runCount(qsizetype runs)
{
    return runs == 1 ? QStringLiteral("1 run") : QStringLiteral("%1 runs").arg(runs);
}

} // namespace

EnduranceChart::EnduranceChart(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("enduranceChart"));
    setAccessibleName(QStringLiteral("Endurance chart"));
    setResults({}, {});
}

void EnduranceChart::setResults(const QVector<ResultRecord>& records,
                                const QVector<BatterySummary>& batteries)
{
    m_records = records;
    m_batteries = batteries;
    m_bars = ChartBars(records, batteries);
    // What it said may no longer be what is under the pointer.
    QToolTip::hideText();
    QStringList described;
    for (int i = 0; i < m_bars.bars().size() && i < 10; ++i)
        described << m_bars.bars()[i].label + QStringLiteral(" ") +
                         hoursText(batteries[i].meanSeconds);
    setAccessibleDescription(batteries.isEmpty()
                                 ? QStringLiteral("No runs to show.")
                                 : QStringLiteral("%1 batteries, longest mean first: %2.")
                                       .arg(batteries.size())
                                       .arg(described.join(QStringLiteral("; "))));
    fitHeight();
    update();
}

QString EnduranceChart::title() const
{
    return m_bars.rows() == 0
               ? QStringLiteral("No runs to show")
               : QStringLiteral("Mean endurance per battery, longest first; each dot is one run");
}

// As tall as its rows need at the width it has: the legend wraps.
void EnduranceChart::fitHeight()
{
    const ChartLayout layout(m_bars, font(), this, chartArea());
    setMinimumHeight(int(std::ceil(layout.neededHeight())) + 2 * INSET);
}

QRectF EnduranceChart::chartArea() const
{
    return QRectF(rect()).adjusted(INSET, INSET, -INSET, -INSET);
}

void EnduranceChart::render(QPainter& painter, const QRectF& area) const
{
    const ChartLayout layout(m_bars, font(), painter.device(), area);
    ChartPainter::paint(painter, m_bars, layout, title(), area);
}

void EnduranceChart::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const ChartLayout layout(m_bars, font(), this, chartArea());
    ChartPainter::paint(painter, m_bars, layout, title(), event->rect());
}

void EnduranceChart::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitHeight();
}

bool EnduranceChart::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QString text = toolTipAt(help->pos());
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text, this);
    }
    return true;
}

QString EnduranceChart::toolTipAt(const QPoint& position) const
{
    const ChartLayout layout(m_bars, font(), this, chartArea());
    const int bar = layout.barAt(position);
    return bar < 0 ? QString() : runToolTip(bar, layout.runAt(bar, position));
}

QString EnduranceChart::runLine(int record) const
{
    const ResultRecord& r = m_records[record];
    return QStringLiteral("Line %1, COM%2, started %3: %4")
        .arg(r.lineNumber)
        .arg(r.port)
        .arg(r.startText.trimmed(), r.enduranceText);
}

QString EnduranceChart::barToolTip(int bar) const
{
    const BatterySummary& b = m_batteries[bar];
    QStringList lines;
    lines << b.description();
    lines << QStringLiteral("%1: mean %2, shortest %3, longest %4")
                 .arg(runCount(b.runs.size()), durationText(b.meanSeconds),
                      durationText(double(b.shortestSeconds)),
                      durationText(double(b.longestSeconds)));
    for (int i = 0; i < b.runs.size() && i < TOOLTIP_RUNS; ++i)
        lines << runLine(b.runs[i]);
    if (b.runs.size() > TOOLTIP_RUNS)
        lines << QStringLiteral("\u2026 and %1 more").arg(b.runs.size() - TOOLTIP_RUNS);
    return lines.join(QLatin1Char('\n'));
}

QString EnduranceChart::runToolTip(int bar, int run) const
{
    if (run < 0)
        return barToolTip(bar);
    const ResultRecord& r = m_records[m_batteries[bar].runs[run]];
    QStringList lines;
    lines << m_batteries[bar].description() << runLine(m_batteries[bar].runs[run]) << r.receiver;
    if (!r.comments.isEmpty())
        lines << r.comments;
    return lines.join(QLatin1Char('\n'));
}
