#pragma once

// The serial ports of a run. Unit k always uses the port "COM<k+1>", whose
// device the dialog's PortSet knows. Every operation reports its own
// failures in a message box and carries on; only SetPortTimeouts and
// ReadReply tell the caller, by returning false.

// Opens and configures the port of every ticked unit, in port order, and
// takes those units into the run. Always 1.
int InitializeCommPorts();
// Applies the read and write time-outs to the unit's port.
bool SetPortTimeouts(int unit);
// Opens the unit's port again by the same name, after it failed mid-run,
// with the unit's line settings and time-outs, and without a box: nobody may
// be there to close one. False while it cannot be opened or set up.
bool reopenPort(int unit);
// Starts sending the first nCount bytes of the unit's query; never waits.
void SendQuery(int unit, int nCount);
// Zero-fills the unit's reply buffer and takes every byte that has arrived
// from the unit, keeping the newest REPLY_SIZE of them in the order they came.
// True when at least one byte had arrived.
bool ReadReply(int unit);
// Closes the port of every unit this run took in, whatever its check box
// says now, and nothing else. Always 1.
int CloseCommPorts();
// Shows the system's text for the last failed port operation, captioned
// "Error".
void ShowLastError();
