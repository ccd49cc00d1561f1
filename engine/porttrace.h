#pragma once

#include "units.h"

#include <cstdint>

class TrafficTrace;

// The traffic of one port as the trace shows it, query by query. A many-hour
// test asks the same question thousands of times and mostly gets the same
// answer: a query and answer just like the last ones written are held back
// and counted, and the count goes into the trace as one line when something
// else happens, or after every REPEATS_PER_LINE of them, so that a trace of
// a program that dies mid-test still says how far it got.
class PortTrace {
public:
    static constexpr long REPEATS_PER_LINE = 100;

    PortTrace(TrafficTrace& trace, int k);

    void written(const char* data, int count);
    // A read that took count bytes; 0 when nothing was waiting.
    void read(const char* data, int count);
    // Before any other line about the port: what is held back goes out, and
    // the next query is written in full.
    void interrupt();
    TrafficTrace& trace() { return m_trace; }
    int unit() const { return m_unit; }

private:
    void settle();
    void release();
    void writeRepeats();
    void noteSilence(std::int64_t ms);

    TrafficTrace& m_trace;
    const int m_unit;

    // The query and answer written last, in full; a repeat must match them.
    bool m_reference = false;
    char m_query[QUERY_SIZE + 1] = {};
    int m_queryLength = 0;
    char m_answer[REPLY_SIZE] = {};
    int m_answerLength = 0;
    bool m_silent = false;
    // Something was read, or found silent, since the last query.
    bool m_readSinceQuery = false;

    // A query like the reference, held back with the part of its answer
    // that has matched so far.
    bool m_holding = false;
    std::int64_t m_heldQueryMs = 0;
    std::int64_t m_heldReadMs = 0;
    int m_matched = 0;
    bool m_heldSilent = false;

    // Repeats counted and not yet written.
    long m_repeats = 0;
    std::int64_t m_firstRepeatMs = 0;
    std::int64_t m_lastRepeatMs = 0;
};
