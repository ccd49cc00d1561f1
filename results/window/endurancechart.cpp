#include "endurancechart.h"

#include "durationtext.h"
#include "logformat.h"
#include "runpointsitem.h"

#include <algorithm>
#include <iterator>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QHorizontalStackedBarSeries>
#include <QLegend>
#include <QValueAxis>

namespace {

constexpr int ROW_HEIGHT = 28;    // pixels per battery
constexpr int BAR_PIXELS = 19;    // thickness of a bar, however tall the chart
constexpr int FRAME_HEIGHT = 125; // title, legend and axis
constexpr int LABEL_CHARS = 44;
constexpr int TOOLTIP_RUNS = 15;

// Okabe and Ito's colours, told apart also by people who see red and green
// alike: one for each of the BATTERY_TYPES the dialog offers, in their
// order, then for any other.
const QRgb TYPE_COLOURS[] = {0xE69F00, 0x56B4E9, 0x009E73, 0xCC79A7, 0x0072B2, 0xD55E00};
static_assert(std::size(TYPE_COLOURS) == std::size(BATTERY_TYPES));
const QRgb OTHER_COLOURS[] = {0x999999, 0xF0E442, 0x8C564B, 0x17BECF, 0x5D5D5D, 0xBCBD22};

QString typeName(const BatterySummary& b)
{
    const QString type = b.type.simplified();
    return type.isEmpty() ? QStringLiteral("(no type)") : type;
}

// The types of the batteries shown, those of the dialog's list first and in
// its order, then the others as they come.
QStringList typeOrder(const QVector<BatterySummary>& batteries, int shown)
{
    QStringList present;
    for (int i = 0; i < shown; ++i) {
        if (!present.contains(typeName(batteries[i]), Qt::CaseInsensitive))
            present << typeName(batteries[i]);
    }
    QStringList order;
    for (const char* known : BATTERY_TYPES) {
        for (const QString& type : present) {
            if (type.compare(QLatin1String(known), Qt::CaseInsensitive) == 0)
                order << type;
        }
    }
    for (const QString& type : present) {
        if (!order.contains(type))
            order << type;
    }
    return order;
}

// The colour of a type from the dialog's list; invalid for any other.
QColor knownColour(const QString& type)
{
    for (std::size_t i = 0; i < std::size(BATTERY_TYPES); ++i) {
        if (type.compare(QLatin1String(BATTERY_TYPES[i]), Qt::CaseInsensitive) == 0)
            return QColor(TYPE_COLOURS[i]);
    }
    return QColor();
}

QString runCount(int runs)
{
    return runs == 1 ? QStringLiteral("1 run") : QStringLiteral("%1 runs").arg(runs);
}

} // namespace

EnduranceChart::EnduranceChart(QWidget* parent) : QChartView(parent)
{
    setObjectName(QStringLiteral("enduranceChart"));
    setAccessibleName(QStringLiteral("Endurance chart"));
    setRenderHint(QPainter::Antialiasing);
    chart()->setAnimationOptions(QChart::NoAnimation);
    chart()->setBackgroundRoundness(0);
    chart()->setMargins(QMargins(8, 4, 16, 4));
    chart()->legend()->setAlignment(Qt::AlignTop);
    m_points = new RunPointsItem(chart(), nullptr);
    connect(chart(), &QChart::plotAreaChanged, this, &EnduranceChart::fitBarWidth);
    setResults({}, {});
}

int EnduranceChart::neededHeight() const
{
    return FRAME_HEIGHT + m_rows * ROW_HEIGHT;
}

void EnduranceChart::clearChart()
{
    m_points->setSeries(nullptr);
    m_points->setBars({}, 0, nullptr);
    chart()->removeAllSeries();
    m_series = nullptr;
    const auto axes = chart()->axes();
    for (QAbstractAxis* axis : axes) {
        chart()->removeAxis(axis);
        delete axis;
    }
}

void EnduranceChart::setResults(const QVector<ResultRecord>& records,
                                const QVector<BatterySummary>& batteries)
{
    m_records = records;
    m_batteries = batteries;
    clearChart();
    const int shown = int(std::min<qsizetype>(batteries.size(), MAX_BARS));
    const bool more = batteries.size() > shown;
    m_rows = shown + (more ? 1 : 0);
    setMinimumHeight(neededHeight());
    if (shown == 0) {
        chart()->setTitle(QStringLiteral("No runs to show"));
        chart()->legend()->hide();
        setAccessibleDescription(QStringLiteral("No runs to show."));
        return;
    }
    chart()->setTitle(QStringLiteral("Mean endurance per battery, longest first; each dot is one "
                                     "run"));
    chart()->legend()->show();

    double maxHours = 0;
    QVector<RunPointsItem::Bar> bars;
    QStringList described;
    for (int i = 0; i < shown; ++i) {
        const BatterySummary& b = batteries[i];
        RunPointsItem::Bar bar;
        bar.meanHours = b.meanSeconds / 3600.0;
        for (int record : b.runs)
            bar.runHours.append(double(records[record].enduranceSeconds) / 3600.0);
        bar.label = hoursText(b.meanSeconds) + QStringLiteral(", ") + runCount(int(b.runs.size()));
        maxHours = std::max(maxHours, double(b.longestSeconds) / 3600.0);
        bars.append(bar);
        if (i < 10)
            described << b.description() + QStringLiteral(" ") + hoursText(b.meanSeconds);
    }
    addBars(shown);
    addAxes(shown, more, maxHours);
    m_points->setSeries(m_series);
    m_points->setBars(bars, m_rows, [this](int bar, int run) { return runToolTip(bar, run); });
    setAccessibleDescription(QStringLiteral("%1 batteries, longest mean first: %2.")
                                 .arg(batteries.size())
                                 .arg(described.join(QStringLiteral("; "))));
    fitBarWidth();
}

void EnduranceChart::addBars(int shown)
{
    const QStringList types = typeOrder(m_batteries, shown);
    m_series = new QHorizontalStackedBarSeries;
    int others = 0;
    for (const QString& type : types) {
        auto* set = new QBarSet(type);
        QColor colour = knownColour(type);
        if (!colour.isValid())
            colour = QColor(OTHER_COLOURS[others++ % std::size(OTHER_COLOURS)]);
        set->setColor(colour);
        set->setPen(Qt::NoPen);
        QList<qreal> values(m_rows, 0.0);
        for (int i = 0; i < shown; ++i) {
            if (typeName(m_batteries[i]).compare(type, Qt::CaseInsensitive) == 0)
                values[m_rows - 1 - i] = m_batteries[i].meanSeconds / 3600.0;
        }
        set->append(values);
        m_series->append(set);
    }
    chart()->addSeries(m_series);
}

void EnduranceChart::addAxes(int shown, bool more, double maxHours)
{
    auto* rows = new QBarCategoryAxis;
    QStringList labels;
    for (int i = 0; i < shown; ++i) {
        QString label = m_batteries[i].description();
        if (label.size() > LABEL_CHARS)
            label = label.left(LABEL_CHARS - 1) + QChar(0x2026);
        // The axis takes each label once; two batteries cut to the same
        // text are numbered.
        const QString plain = label;
        for (int n = 2; labels.contains(label); ++n)
            label = plain + QStringLiteral(" (%1)").arg(n);
        labels << label;
    }
    if (more)
        labels << QStringLiteral("\u2026 and %1 more, listed under Batteries")
                      .arg(m_batteries.size() - shown);
    // A horizontal bar chart has its first row at the bottom; the longest
    // lasting battery goes at the top.
    std::reverse(labels.begin(), labels.end());
    rows->append(labels);
    rows->setGridLineVisible(false);
    chart()->addAxis(rows, Qt::AlignLeft);
    m_series->attachAxis(rows);

    auto* hours = new QValueAxis;
    // Room after the longest run for the label of its bar.
    hours->setRange(0, std::max(maxHours, 0.1) * 1.22);
    hours->applyNiceNumbers();
    hours->setLabelFormat(QStringLiteral("%g"));
    hours->setTitleText(QStringLiteral("Hours"));
    chart()->addAxis(hours, Qt::AlignTop);
    m_series->attachAxis(hours);
}

// However tall the chart is, a bar stays BAR_PIXELS thick: with one battery
// in a tall window it would otherwise fill the plot.
void EnduranceChart::fitBarWidth()
{
    if (m_series == nullptr || m_rows == 0)
        return;
    const double rowPixels = chart()->plotArea().height() / m_rows;
    const double width = rowPixels > 0 ? std::min(0.7, BAR_PIXELS / rowPixels) : 0.7;
    m_series->setBarWidth(width);
    m_points->setBarWidth(width);
    m_points->plotAreaChanged();
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
                 .arg(runCount(int(b.runs.size())), durationText(b.meanSeconds),
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
