#pragma once

#include <QString>

// Dunmerrow Results is a program of its own, so that the test program, which
// runs for hours, loads nothing that only the results window needs (Qt
// SVG, the chart's drawing). --results hands over to it: this program
// becomes Dunmerrow Results on file (none when empty), with the same
// standard channels and its exit status, in the same process where the
// system can do that. Returns only when it cannot, with the reason. Needs a
// core application. The platform's part is in resultsprogram_<system>.cpp.
QString becomeResultsProgram(const QString& file);
