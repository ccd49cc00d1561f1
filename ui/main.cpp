#include "commandline.h"
#include "consolecommands.h"
#include "parentconsole.h"
#include "portsetup.h"
#include "testapp.h"

int main(int argc, char** argv)
{
    // Before anything can print: every message of the program, from the
    // command line's to Qt's warnings, reaches the terminal it was started
    // from.
    attachParentConsole();
    // Read before any application object exists: a mistake or a command
    // that needs no window ends the program here, before a window could open.
    const CommandLine commandLine(CommandLine::argumentsOf(argc, argv));
    if (!commandLine.opensTestDialog())
        return ConsoleCommands::run(commandLine, argc, argv);
    // Qt's own options are not accepted (see CommandLine), so the
    // application is given the program's name alone.
    int applicationArgc = 1;
    TestApp app(applicationArgc, argv);
    return app.run(PortSetup::forStartup(commandLine), commandLine.traceFile());
}
