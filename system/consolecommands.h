#pragma once

class CommandLine;

// Everything the command line can ask for that needs no window of this
// program: a mistake (exit status 2), --help, --version, --list-ports,
// --save-ports and --results, whose window is another program's. Runs with a
// core application only, so it works without a display.
class ConsoleCommands {
public:
    // The program's exit status.
    static int run(const CommandLine& commandLine, int argc, char** argv);

private:
    static int savePorts(const CommandLine& commandLine);
};
