#pragma once

#include "unitconfig.h"

#include <QDateTime>
#include <QString>

// What one simulated receiver went through, for the summary at exit.
struct UnitStats {
    int nGood = 0;       // queries that matched the expected bytes
    int nBad = 0;        // everything else heard while alive
    int nWrongSpeed = 0; // of the bad: sent at a line speed it does not talk
    int nReplies = 0;    // version replies written to the line
    int nUnprompted = 0; // bursts of NMEA sent without being asked
    int nAfterDeath = 0; // queries that reached it when it was dead
    int nDropped = 0;    // replies not sent because nobody read the port
    QDateTime firstQuery;
    QDateTime diedAt;
};

// One line, key=value, that a script can take apart and a person can read:
// "# COM1 protocol=garmin fault=none life=60s queries_good=30 ...".
QString SummaryLine(int port, const UnitConfig& config, const UnitStats& stats);
