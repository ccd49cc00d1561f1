#pragma once

#include <cstdint>
#include <QFile>
#include <QString>
#include <QtGlobal>

// The file of a traffic trace: what the program and the receivers said to
// each other, for an operator to send when a receiver misbehaves. Each line
// starts with the seconds since the trace began and the port; the bytes of
// a write or read follow their line as a dump, 16 bytes a line in hex and
// as text. Nothing is allocated once the file is open: lines are put
// together in a fixed buffer that each event writes through. A file that
// can no longer be written ends the trace with a word on standard error;
// the test goes on.
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

    // For a line about no port in particular.
    static constexpr int NO_PORT = -1;
    // One line about unit k's port (or NO_PORT) at `ms`: what follows the
    // port, as printf formats it.
    void note(int k, std::int64_t ms, const char* format, ...) Q_ATTRIBUTE_FORMAT_PRINTF(4, 5);
    // A line for bytes written ('>') or read ('<'), then their dump.
    void bytes(int k, std::int64_t ms, char direction, const char* data, int count);
    // "123.456": a time as the lines show it, in buf of at least 24 bytes.
    static void formatTime(std::int64_t ms, char* buf, int size);

private:
    void beginLine(int k, std::int64_t ms);
    void append(const char* text, int count);
    void appendDump(const char* data, int count);
    void writeOut();

    static constexpr int BUFFER_SIZE = 8192;

    QFile m_file;
    std::int64_t m_beganMs = -1; // the steady clock's when it began
    char m_buffer[BUFFER_SIZE];
    int m_used = 0;
    bool m_failed = false;
};
