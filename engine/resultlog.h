#pragma once

#include <QByteArray>

// The result log, LOG_FILE_NAME in the current directory: one line per unit
// that finished in the run just ended, in port order, in the format that
// logformat.h defines.

// Appends the lines of the finished units to the log. 1 when the log has
// them all (or there were none), 0 when it could not take them; the operator
// has then been told why and shown the lines that are missing.
int WriteResults();

// The lines WriteResults would append now, each ending in "\n".
QByteArray finishedUnitLines();

// Appends whole lines to the log, starting on a new line when its last line
// has no line end. The open, every write, the flush and the close are
// checked: on a failure the operator is told the system's reason and shown
// the lines that did not get written, as text that can be copied. With no
// lines to append a failure loses nothing and is not reported. Returns how
// many bytes of `lines` the log has: all, or the whole lines before the one
// that failed (none when the close failed: the system does not say which).
qsizetype appendToResultLog(const QByteArray& lines);
