#include "porttrace.h"

#include "traffictrace.h"

#include <algorithm>
#include <cstring>

PortTrace::PortTrace(TrafficTrace& trace, int k) : m_trace(trace), m_unit(k) {}

void PortTrace::written(const char* data, int count)
{
    // A query left without a read (the run was cancelled, the unit's box
    // unticked) goes out as it was.
    endExchange();
    Exchange& exchange = m_exchanges[m_current];
    m_open = true;
    m_read = false;
    m_spilled = false;
    m_queryMs = m_trace.elapsedMs();
    exchange.answerLength = 0;
    exchange.queryLength = std::min(count, QUERY_SIZE);
    std::memcpy(exchange.query, data, static_cast<std::size_t>(exchange.queryLength));
    // Longer than any query of the run: written at once, and never a repeat.
    if (count > QUERY_SIZE) {
        writeRepeats();
        TraceEvent event{0, m_unit, TraceEvent::Query, count, m_queryMs};
        m_trace.write(event, data, count);
        m_spilled = true;
    }
}

void PortTrace::read(const char* data, int count)
{
    Exchange& exchange = m_exchanges[m_current];
    // A read with no query since the last one.
    if (!m_open) {
        m_open = true;
        m_spilled = false;
        exchange.queryLength = 0;
        exchange.answerLength = 0;
    }
    m_read = true;
    if (count <= 0) {
        endExchange();
        return;
    }
    while (count > 0) {
        if (exchange.answerLength == ANSWER_SIZE) {
            writeRepeats();
            if (!m_spilled)
                writeQuery();
            writeAnswer();
            exchange.answerLength = 0;
            m_spilled = true;
        }
        const int n = std::min(count, ANSWER_SIZE - exchange.answerLength);
        std::memcpy(exchange.answer + exchange.answerLength, data, static_cast<std::size_t>(n));
        exchange.answerLength += n;
        data += n;
        count -= n;
    }
}

void PortTrace::interrupt()
{
    endExchange();
    writeRepeats();
    m_hasReference = false;
}

bool PortTrace::same(const Exchange& a, const Exchange& b)
{
    return a.queryLength == b.queryLength && a.answerLength == b.answerLength &&
           std::memcmp(a.query, b.query, static_cast<std::size_t>(a.queryLength)) == 0 &&
           std::memcmp(a.answer, b.answer, static_cast<std::size_t>(a.answerLength)) == 0;
}

// A whole exchange just like the last one written is a repeat; any other
// goes out, and the whole ones become the reference.
void PortTrace::endExchange()
{
    if (!m_open)
        return;
    m_open = false;
    const Exchange& exchange = m_exchanges[m_current];
    const bool whole = m_read && !m_spilled && exchange.queryLength > 0;
    if (whole && m_hasReference && same(exchange, m_exchanges[1 - m_current])) {
        m_lastRepeatMs = m_trace.elapsedMs();
        if (++m_repeats >= REPEATS_PER_LINE)
            writeRepeats();
        return;
    }
    writeRepeats();
    if (!m_spilled)
        writeQuery();
    if (m_read && (exchange.answerLength > 0 || !m_spilled))
        writeAnswer();
    m_hasReference = whole;
    if (whole)
        m_current = 1 - m_current;
}

void PortTrace::writeQuery()
{
    const Exchange& exchange = m_exchanges[m_current];
    if (exchange.queryLength == 0)
        return;
    const TraceEvent event{0, m_unit, TraceEvent::Query, exchange.queryLength, m_queryMs};
    m_trace.write(event, exchange.query, exchange.queryLength);
}

void PortTrace::writeAnswer()
{
    const Exchange& exchange = m_exchanges[m_current];
    const TraceEvent::Kind kind =
        exchange.answerLength > 0 ? TraceEvent::Answer : TraceEvent::Silence;
    const TraceEvent event{0, m_unit, kind, exchange.answerLength};
    m_trace.write(event, exchange.answer, exchange.answerLength);
}

void PortTrace::writeRepeats()
{
    if (m_repeats == 0)
        return;
    const TraceEvent event{0, m_unit, TraceEvent::Repeats, m_repeats, m_lastRepeatMs};
    m_trace.write(event);
    m_repeats = 0;
}
