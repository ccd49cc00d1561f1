#pragma once

#include "resultrecord.h"

#include <QString>
#include <QVector>

// The runs of one battery description (maker, type and mAh) and how long
// they lasted.
struct BatterySummary {
    // As first written: descriptions that differ only in the case of letters
    // or in blanks are one battery, since they were typed by hand.
    QString maker;
    QString type;
    QString capacity;
    // Indexes into the records, in file order.
    QVector<int> runs;
    double meanSeconds = 0;
    qint64 shortestSeconds = 0;
    qint64 longestSeconds = 0;

    // "Acme · Ni-MH · 1800 mAh", with "mAh" added to a bare number and
    // "(no maker)" for an empty maker.
    QString description() const;

    // One summary per battery over the runs that count (ResultRecord::counts),
    // longest mean first.
    static QVector<BatterySummary> summarize(const QVector<ResultRecord>& records);
};
