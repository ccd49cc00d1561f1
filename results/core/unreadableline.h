#pragma once

#include <QString>

// A line of a result log that is not a unit's line as Dunmerrow writes it.
struct UnreadableLine {
    int lineNumber = 0;
    QString text;
    // Why it could not be read, as a sentence for the reader of the list.
    QString reason;
};
