#pragma once

#include "units.h"

#include <cstdint>

class TrafficTrace;

// The traffic of one port as the trace shows it, exchange by exchange: a
// query and everything the read after it took, written once that read has
// drained the port. A many-hour test asks the same question thousands of
// times and mostly gets the same answer: an exchange just like the last one
// written is counted instead, and the count goes into the trace as one line
// when something else happens, or after every REPEATS_PER_LINE of them, so
// that a trace of a program that dies mid-test still says how far it got.
class PortTrace {
public:
    static constexpr long REPEATS_PER_LINE = 100;
    // What an exchange holds of its read: a longer read (the run stood still
    // while a receiver streamed) is written in parts and never counted.
    static constexpr int ANSWER_SIZE = 2 * REPLY_SIZE;

    PortTrace(TrafficTrace& trace, int k);

    // A query written to the receiver: the exchange before it is over.
    void written(const char* data, int count);
    // A read that took count bytes; 0 when nothing was left, which ends the
    // exchange.
    void read(const char* data, int count);
    // Before any other line about the port: the exchange under way and the
    // repeats counted go out, and the next exchange is written in full.
    void interrupt();
    TrafficTrace& trace() { return m_trace; }
    int unit() const { return m_unit; }

private:
    struct Exchange {
        int queryLength = 0; // 0: a read with no query before it
        int answerLength = 0;
        char query[QUERY_SIZE];
        char answer[ANSWER_SIZE];
    };

    static bool same(const Exchange& a, const Exchange& b);
    void endExchange();
    void writeQuery();
    void writeAnswer();
    void writeRepeats();

    TrafficTrace& m_trace;
    const int m_unit;

    // The exchange under way and the last one written in full, which a
    // repeat must match; they swap places when one is written.
    Exchange m_exchanges[2];
    int m_current = 0;
    bool m_hasReference = false;

    bool m_open = false;    // an exchange is under way
    bool m_read = false;    // its read has begun
    bool m_spilled = false; // part of it is written already
    std::int64_t m_queryMs = 0;

    // Repeats counted and not yet written, and when the last one ended.
    long m_repeats = 0;
    std::int64_t m_lastRepeatMs = 0;
};
