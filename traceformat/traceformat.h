#pragma once

#include <cstdint>

// The traffic trace (Dunmerrow --trace): what the program and the receivers
// said to each other. The engine writes it, gpssim plays it back; what the
// two must agree on is defined here and nowhere else. A line is a comment,
// an event, or a dump of the bytes of the event above it:
//
//   # a comment
//        2.105 COM1 > 6 bytes at 0.003
//       10 FE 00 02 10 03                                |......|
//
// An event starts with the seconds since the trace began at which it was
// written, so that the lines are in order of time, and the port; then one of
// the kinds of TraceEvent. A line about the computer rather than a port
// names no port.

constexpr char TRACE_COMMENT = '#';
// The unit of a line that names no port.
constexpr int TRACE_NO_PORT = -1;
// Bytes a dump line shows, and the room one takes with its line break.
constexpr int TRACE_DUMP_WIDTH = 16;
constexpr int TRACE_DUMP_LINE_SIZE = 4 + 3 * TRACE_DUMP_WIDTH + 2 + TRACE_DUMP_WIDTH + 2;
// The step that sets the port's line: a blank and the speed follow it.
constexpr char TRACE_LINE_SETTINGS_SET[] = "line settings set";
// The steps that open the port at the start of a run, and again mid-run
// after it failed (its adapter went away); a blank and the device follow.
constexpr char TRACE_OPEN[] = "open";
constexpr char TRACE_REOPEN[] = "reopen";

struct TraceEvent {
    enum Kind {
        // The port's set-up and end, as a free text: "open /dev/ttyS0",
        // "close", a step and "failed:" with the system's text; "read
        // failed:" when the port broke mid-run, and "reopen /dev/ttyS0" each
        // time it is opened again.
        Step,
        // "> <count> bytes at <atMs>": a query, written to the receiver at
        // atMs; its bytes follow. Written with what was read after it.
        Query,
        // "< <count> bytes": everything a read took after the query, its
        // bytes following; a read too long for one line takes several.
        Answer,
        // "< nothing waiting": the read after the query took nothing.
        Silence,
        // "= <count> more of the same, until <atMs>": the last query and
        // answer again, count more times, the last of them ending at atMs.
        Repeats,
    };

    std::int64_t ms = 0; // when the line was written, since the trace began
    int k = 0;           // the unit: the port is COM<k+1>; TRACE_NO_PORT for a Step
                         // about the computer, such as its sleep
    Kind kind = Step;
    long count = 0;
    std::int64_t atMs = 0;
    // A step's text, not terminated; reading, it points into the line read.
    const char* text = "";
    int textLength = 0;
};

// "123.456": milliseconds as the trace shows them, in buf; the text's length.
int formatTraceTime(std::int64_t ms, char* buf, int size);
// The event's line with its line break, in buf, cut to fit; its length.
int formatTraceEvent(const TraceEvent& event, char* buf, int size);
// "    10 FE 00 02 10 03   ...  |......|" and a line break: up to
// TRACE_DUMP_WIDTH bytes in hex and as text, printable ASCII as it is and
// every other byte as a dot. buf holds TRACE_DUMP_LINE_SIZE; the length.
int formatTraceDump(const char* data, int count, char* buf);

// An event read from a line without its line break. False when the line is
// not one (a comment, a dump, or no line of a trace).
bool parseTraceEvent(const char* line, int length, TraceEvent& event);
// The bytes of a dump line, at most TRACE_DUMP_WIDTH, into bytes; how many,
// or -1 when the line is no dump.
int parseTraceDump(const char* line, int length, char* bytes);
