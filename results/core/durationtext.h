#pragma once

#include <QString>

// Seconds as the log writes an endurance, "hh:mm:ss" with hours not wrapped
// at 24, rounded to the nearest second.
QString durationText(double seconds);

// Seconds as hours with one decimal, "14.2 h".
QString hoursText(double seconds);
