#include "commandline.h"
#include "consolecommands.h"
#include "portsetup.h"
#ifdef DUNMERROW_HAS_RESULTS
#include "runresultswindow.h"
#endif
#include "testapp.h"

int main(int argc, char** argv)
{
    // Read before any application object exists: a mistake or a command
    // that needs no window ends the program here, before a window could open.
    const CommandLine commandLine(CommandLine::argumentsOf(argc, argv));
    if (!commandLine.opensTestDialog() && !commandLine.opensResults())
        return ConsoleCommands::run(commandLine, argc, argv);
    // Qt's own options are not accepted (see CommandLine), so the
    // application is given the program's name alone.
    int applicationArgc = 1;
    TestApp app(applicationArgc, argv);
#ifdef DUNMERROW_HAS_RESULTS
    if (commandLine.opensResults())
        return runResultsWindow(commandLine.resultsFile());
#endif
    PortMap::setActive(PortSetup::forStartup(commandLine));
    return app.Run(commandLine.traceFile());
}
