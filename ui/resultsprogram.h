#pragma once

#include <QString>

// Dunmerrow Results is a program of its own, so that the test program, which
// runs for hours, loads nothing that only the results window needs (charts,
// SVG, OpenGL). --results starts it and waits for it, as if it were a window
// of this program. Needs a core application, for the program's directory.
class ResultsProgram {
public:
    // Dunmerrow Results beside this program, else where it was installed,
    // else on PATH; empty when it is nowhere.
    static QString find();

    // Runs it on file (none when empty) with this program's standard
    // channels, and returns its exit status once it has ended; 1, with a
    // message on standard error, when it cannot be found or started.
    static int run(const QString& file);
};
