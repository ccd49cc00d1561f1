#include "runstablemodel.h"

#include "capacitysortkey.h"

#include <QColor>
#include <QFont>

namespace {

const char* const HEADERS[] = {"Line", "Port",  "Receiver", "Battery maker", "Type",
                               "mAh",  "Start", "End",      "Endurance",     "Comments"};

} // namespace

RunsTableModel::RunsTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void RunsTableModel::setRecords(const QVector<ResultRecord>& records)
{
    beginResetModel();
    m_records = records;
    endResetModel();
}

void RunsTableModel::appendRecords(const QVector<ResultRecord>& records)
{
    if (records.size() <= m_records.size())
        return;
    beginInsertRows(QModelIndex(), int(m_records.size()), int(records.size()) - 1);
    m_records = records;
    endInsertRows();
}

int RunsTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_records.size());
}

int RunsTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RunsTableModel::text(const ResultRecord& r, int column) const
{
    switch (column) {
    case LineColumn:
        return QString::number(r.lineNumber);
    case PortColumn:
        return QStringLiteral("COM%1").arg(r.port);
    case ReceiverColumn:
        return r.receiver;
    case MakerColumn:
        return r.batteryMaker;
    case TypeColumn:
        return r.batteryType;
    case CapacityColumn:
        return r.capacity;
    case StartColumn:
        return r.startText;
    case EndColumn:
        return r.endText;
    case EnduranceColumn:
        return r.enduranceText;
    case CommentsColumn:
        return r.comments;
    }
    return QVariant();
}

QVariant RunsTableModel::sortKey(const ResultRecord& r, int column) const
{
    switch (column) {
    case LineColumn:
        return r.lineNumber;
    case PortColumn:
        return r.port;
    case CapacityColumn:
        return capacitySortKey(r.capacity);
    case StartColumn:
        return r.start;
    case EndColumn:
        return r.end;
    case EnduranceColumn:
        return r.enduranceSeconds;
    default:
        return text(r, column);
    }
}

QVariant RunsTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_records.size())
        return QVariant();
    const ResultRecord& r = m_records[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return text(r, index.column());
    case SortRole:
        return sortKey(r, index.column());
    case Qt::TextAlignmentRole:
        if (index.column() == LineColumn || index.column() == EnduranceColumn)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant();
    // A run that counts nowhere is greyed; a guessed split is in italics.
    case Qt::ForegroundRole:
        return r.counts() ? QVariant() : QVariant(QColor(Qt::darkGray));
    case Qt::FontRole:
        if (r.guessed && index.column() >= ReceiverColumn && index.column() <= CapacityColumn) {
            QFont italic;
            italic.setItalic(true);
            return italic;
        }
        return QVariant();
    case Qt::ToolTipRole:
        if (!r.counts())
            return QStringLiteral("The computer's clock was set back during this run, so its "
                                  "endurance means nothing; the chart and the summary leave it "
                                  "out.");
        if (r.guessed && (index.column() >= ReceiverColumn && index.column() <= CapacityColumn))
            return QStringLiteral("This line holds more \", \" than its fields need and can be "
                                  "read in more than one way; the commas were given to the "
                                  "battery maker.");
        return QVariant();
    }
    return QVariant();
}

QVariant RunsTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount)
        return QString::fromLatin1(HEADERS[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}
