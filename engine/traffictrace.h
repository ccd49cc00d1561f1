#pragma once

#include "traceformat.h"

#include <cstdint>
#include <QFile>
#include <QString>
#include <QtGlobal>

// The file of a traffic trace: what the program and the receivers said to
// each other, for an operator to send when a receiver misbehaves, in the
// syntax of traceformat.h. Every line is stamped with the time it is
// written, so that the file is in order of time. Nothing is allocated once
// the file is open: lines are put together in a fixed buffer that each event
// writes through. A file that can no longer be written ends the trace with a
// word on standard error; the test goes on.
class TrafficTrace {
public:
    TrafficTrace();
    ~TrafficTrace();
    TrafficTrace(const TrafficTrace&) = delete;
    TrafficTrace& operator=(const TrafficTrace&) = delete;

    // Opens the file for appending, after any earlier trace in it, and
    // writes a heading that names `program` and the date. False, with the
    // system's reason in `error`, when it cannot be written.
    bool open(const QString& path, const QString& program, QString& error);

    // Milliseconds since the trace began, on a clock that setting the wall
    // clock does not move and that counts the time the computer sleeps.
    std::int64_t elapsedMs() const;

    // The event, stamped now, and the dump of the count bytes at data.
    void write(TraceEvent event, const char* data = nullptr, int count = 0);
    // A step of unit k's port (or a line about the computer, with k
    // TRACE_NO_PORT), its text as printf formats it.
    void note(int k, const char* format, ...) Q_ATTRIBUTE_FORMAT_PRINTF(3, 4);

private:
    void append(const char* text, int count);
    void writeOut();

    static constexpr int BUFFER_SIZE = 8192;

    QFile m_file;
    std::int64_t m_beganMs = -1; // the steady clock's when it began
    char m_buffer[BUFFER_SIZE];
    int m_used = 0;
    bool m_failed = false;
};
