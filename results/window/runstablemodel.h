#pragma once

#include "resultrecord.h"

#include <QAbstractTableModel>
#include <QVector>

// The runs of a result log, one row per line read, in file order.
// SortRole gives each column's value for sorting: numbers, times and
// durations as such, texts as texts.
class RunsTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        LineColumn,
        PortColumn,
        ReceiverColumn,
        MakerColumn,
        TypeColumn,
        CapacityColumn,
        StartColumn,
        EndColumn,
        EnduranceColumn,
        CommentsColumn,
        ColumnCount
    };
    static constexpr int SortRole = Qt::UserRole;

    explicit RunsTableModel(QObject* parent = nullptr);

    // Every row anew.
    void setRecords(const QVector<ResultRecord>& records);
    // records holds the rows shown so far, unchanged, and more after them.
    void appendRecords(const QVector<ResultRecord>& records);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVariant text(const ResultRecord& r, int column) const;
    QVariant sortKey(const ResultRecord& r, int column) const;

    QVector<ResultRecord> m_records;
};
