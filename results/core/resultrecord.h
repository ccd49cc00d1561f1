#pragma once

#include <QDateTime>
#include <QString>

// One unit's line of a result log, field by field, with the texts exactly as
// they were written.
struct ResultRecord {
    int lineNumber = 0; // 1 for the file's first line
    int port = 0;       // n of "COMn"
    // "Garmin <version>", "Magellan <version>" or "UNKNOWN GPS MFG".
    QString receiver;
    QString batteryMaker;
    QString batteryType;
    QString capacity;
    QString startText;
    QString endText;
    // The two times as the writer's clock showed them, in no particular time
    // zone: kept for sorting. Invalid when the writer had no time to give.
    QDateTime start;
    QDateTime end;
    QString enduranceText;
    // Negative when the computer's clock was set back during the run.
    qint64 enduranceSeconds = 0;
    QString comments;
    // The texts before the times held more ", " than the fields need and
    // could be split in more than one way; this split is the likeliest one.
    bool guessed = false;

    // A run whose endurance means something: the chart and the summaries
    // leave the others out.
    bool counts() const { return enduranceSeconds >= 0; }
};
