#pragma once

#include "batterysummary.h"

#include <QAbstractTableModel>
#include <QVector>

// One row per battery: its description, how many runs it had and their
// mean, shortest and longest endurance; longest mean first.
class SummaryTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        MakerColumn,
        TypeColumn,
        CapacityColumn,
        RunsColumn,
        MeanColumn,
        ShortestColumn,
        LongestColumn,
        ColumnCount
    };
    static constexpr int SortRole = Qt::UserRole;

    explicit SummaryTableModel(QObject* parent = nullptr);

    void setBatteries(const QVector<BatterySummary>& batteries);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVector<BatterySummary> m_batteries;
};
