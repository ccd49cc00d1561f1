#pragma once

#include "logformat.h"

#include <QDateTime>
#include <QStringView>

// Recognisers for the fields of a result line whose shape never varies, as
// logformat.h defines it. Each looks at text from position pos on and returns
// false when the shape is not there.

// "COMn, " at the start of the line: the port number and where the next
// field begins.
bool readPortPrefix(QStringView text, int* port, int* next);

// A time of LOG_TIME_WIDTH characters at pos. The day of the month may also
// be blank-padded (" 5"), as the C library's own ctime() writes it. Blanks
// alone are the writer's text for a time it could not convert: accepted,
// with an invalid time.
bool readTime(QStringView text, int pos, QDateTime* time);

// An endurance at pos, as formatEndurance writes it: hours, minutes and
// seconds, hours not wrapped at 24. After the computer's clock was set back the fields are
// negative, each on its own ("-1:-2:-5"). *end is the position after it.
bool readEndurance(QStringView text, int pos, int* end, qint64* seconds);
