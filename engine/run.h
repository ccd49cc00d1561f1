#pragma once

#include <ctime>

// One endurance test, from "Start Test" until every ticked unit has gone
// silent or the operator cancels. Polls each live unit about every two
// seconds, keeping the window alive in between, and returns only when the
// run has ended: completed (results appended to the log) or cancelled
// (nothing written). Ended by the system (endRunNow), it stops polling at
// once and returns without a word. Always 1.
int RunEnduranceTest();

// The system ends the program: a signal, the end of the desktop session,
// the quit command, the display gone. Callable from anywhere, from inside
// the run's message pumping or a box of its own too. The lines of the units
// the run under way has finished are in the log when this returns, for a
// system that ends the process as soon as it has said so; lines the log
// cannot take stay in the recovery file. A cancelled run writes nothing.
// The run stops polling and logs nothing more; so does a second call.
void endRunNow();

// Handles every pending window event, then returns. Dialog handlers (Cancel,
// the port check boxes, About) run inside it while a run is under way.
int PumpMessages();

// Stamps the unit's last response with the time t of the run's clock, the
// time of a read, and shows it.
void StampLastResponse(int unit, std::time_t t);
