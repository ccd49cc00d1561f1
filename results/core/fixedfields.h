#pragma once

#include <QDateTime>
#include <QStringView>

// Recognisers for the fields of a result line whose shape never varies. Each
// looks at text from position pos on and returns false when the shape is not
// there.

// Width of a time as the log writes it: "Www Mmm DD hh:mm:ss YYYY".
constexpr int TIME_TEXT_WIDTH = 24;

// "COMn, " at the start of the line: the port number and where the next
// field begins.
bool readPortPrefix(QStringView text, int* port, int* next);

// A time of TIME_TEXT_WIDTH characters at pos. The day of the month may also
// be blank-padded (" 5"), as the C library's own ctime() writes it. Twenty-four
// blanks are the writer's text for a time it could not convert: accepted,
// with an invalid time.
bool readTime(QStringView text, int pos, QDateTime* time);

// An endurance at pos: "%02d:%02d:%02d" of hours, minutes and seconds, hours
// not wrapped at 24. After the computer's clock was set back the fields are
// negative, each on its own ("-1:-2:-5"). *end is the position after it.
bool readEndurance(QStringView text, int pos, int* end, qint64* seconds);
