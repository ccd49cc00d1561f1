#include "summarytablemodel.h"

#include "capacitysortkey.h"
#include "durationtext.h"

namespace {

const char* const HEADERS[] = {"Battery maker", "Type",     "mAh",    "Runs",
                               "Mean",          "Shortest", "Longest"};

} // namespace

SummaryTableModel::SummaryTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void SummaryTableModel::setBatteries(const QVector<BatterySummary>& batteries)
{
    beginResetModel();
    m_batteries = batteries;
    endResetModel();
}

int SummaryTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_batteries.size());
}

int SummaryTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SummaryTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_batteries.size())
        return QVariant();
    const BatterySummary& b = m_batteries[index.row()];
    const double seconds[] = {b.meanSeconds, double(b.shortestSeconds), double(b.longestSeconds)};
    const int column = index.column();
    if (role == Qt::TextAlignmentRole && column >= RunsColumn)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != SortRole)
        return QVariant();
    switch (column) {
    case MakerColumn:
        return b.maker;
    case TypeColumn:
        return b.type;
    case CapacityColumn:
        return role == SortRole ? QVariant(capacitySortKey(b.capacity)) : QVariant(b.capacity);
    case RunsColumn:
        return role == SortRole ? QVariant(b.runs.size())
                                : QVariant(QString::number(b.runs.size()));
    case MeanColumn:
    case ShortestColumn:
    case LongestColumn:
        return role == SortRole ? QVariant(seconds[column - MeanColumn])
                                : QVariant(durationText(seconds[column - MeanColumn]));
    }
    return QVariant();
}

QVariant SummaryTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount)
        return QString::fromLatin1(HEADERS[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}
