#pragma once

#include <QApplication>

class PortMap;

// The application: it shows the main dialog modally and ends when the
// dialog has closed. It takes no name of its own, so its name, the caption
// of every message box, is the executable's base name.
class TestApp : public QApplication {
    Q_OBJECT

public:
    TestApp(int& argc, char** argv);

    // Builds the dialog, shows it until the operator leaves, destroys it.
    // Its ports lead where `ports` says. With a trace file, every test's
    // serial traffic is appended to it. 0 however the dialog ended; 1,
    // before any window, when the trace file cannot be written.
    int run(const PortMap& ports, const QString& traceFile);
};
