#include "parentconsole.h"

// Unix programs inherit the terminal's standard streams.

void attachParentConsole() {}
