#pragma once

// One endurance test, from "Start Test" until every ticked unit has gone
// silent or the operator cancels. Polls each live unit about every two
// seconds, keeping the window alive in between, and returns only when the
// run has ended: completed (results appended to the log) or cancelled
// (nothing written). When the system asks the program to end, the run stops
// polling at once and appends the lines of the units that have finished,
// without a word. Always 1.
int RunEnduranceTest();

// Handles every pending window event, then returns. Dialog handlers (Cancel,
// the port check boxes, About) run inside it while a run is under way.
int PumpMessages();

// Stamps the unit's last response with the current time and shows it.
void StampLastResponse(int unit);
