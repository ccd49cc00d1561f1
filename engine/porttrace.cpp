#include "porttrace.h"

#include "traffictrace.h"

#include <cstring>

PortTrace::PortTrace(TrafficTrace& trace, int k) : m_trace(trace), m_unit(k) {}

void PortTrace::written(const char* data, int count)
{
    const std::int64_t now = m_trace.elapsedMs();
    settle();
    if (m_reference && count == m_queryLength &&
        std::memcmp(data, m_query, static_cast<std::size_t>(count)) == 0) {
        m_holding = true;
        m_heldQueryMs = now;
        m_matched = 0;
        m_heldSilent = false;
        return;
    }
    writeRepeats();
    m_trace.bytes(m_unit, now, '>', data, count);
    m_reference = count <= QUERY_SIZE;
    if (m_reference)
        std::memcpy(m_query, data, static_cast<std::size_t>(count));
    m_queryLength = count;
    m_answerLength = 0;
    m_silent = false;
    m_readSinceQuery = false;
}

void PortTrace::read(const char* data, int count)
{
    const std::int64_t now = m_trace.elapsedMs();
    if (m_holding) {
        if (count == 0) {
            // The end of what was waiting, or the silence the reference had.
            if (m_matched > 0 || m_heldSilent || m_silent) {
                m_heldReadMs = m_matched == 0 && !m_heldSilent ? now : m_heldReadMs;
                m_heldSilent = m_heldSilent || m_matched == 0;
                return;
            }
        } else if (!m_heldSilent && m_matched + count <= m_answerLength &&
                   std::memcmp(data, m_answer + m_matched, static_cast<std::size_t>(count)) == 0) {
            m_heldReadMs = m_matched == 0 ? now : m_heldReadMs;
            m_matched += count;
            return;
        }
        release();
    }
    if (count == 0) {
        noteSilence(now);
        return;
    }
    m_trace.bytes(m_unit, now, '<', data, count);
    m_readSinceQuery = true;
    // Bytes after a silence are no answer a repeat could match.
    m_reference = m_reference && !m_silent && m_answerLength + count <= REPLY_SIZE;
    if (m_reference) {
        std::memcpy(m_answer + m_answerLength, data, static_cast<std::size_t>(count));
        m_answerLength += count;
    }
}

void PortTrace::interrupt()
{
    settle();
    writeRepeats();
    m_reference = false;
}

// A query held back is over once the next one is written: a repeat when its
// answer was the whole reference answer, else it goes out as it was.
void PortTrace::settle()
{
    if (!m_holding)
        return;
    if (m_matched != m_answerLength || m_heldSilent != m_silent) {
        release();
        return;
    }
    m_holding = false;
    if (m_repeats++ == 0)
        m_firstRepeatMs = m_heldQueryMs;
    m_lastRepeatMs = m_heldQueryMs;
    if (m_repeats >= REPEATS_PER_LINE)
        writeRepeats();
}

// The query held back, and what of its answer matched, go out as they came;
// they are the new reference.
void PortTrace::release()
{
    m_holding = false;
    writeRepeats();
    m_trace.bytes(m_unit, m_heldQueryMs, '>', m_query, m_queryLength);
    m_answerLength = m_matched;
    m_silent = false;
    m_readSinceQuery = false;
    if (m_matched > 0) {
        m_trace.bytes(m_unit, m_heldReadMs, '<', m_answer, m_matched);
        m_readSinceQuery = true;
    }
    if (m_heldSilent)
        noteSilence(m_heldReadMs);
}

void PortTrace::writeRepeats()
{
    if (m_repeats == 0)
        return;
    char last[24];
    TrafficTrace::formatTime(m_lastRepeatMs, last, sizeof last);
    m_trace.note(m_unit, m_firstRepeatMs, "= %ld more of the same, until %s", m_repeats, last);
    m_repeats = 0;
}

// Only the first empty read after a query is news: the rest end a read that
// took bytes, or follow a silence already noted.
void PortTrace::noteSilence(std::int64_t ms)
{
    if (m_readSinceQuery)
        return;
    m_readSinceQuery = true;
    m_silent = true;
    m_trace.note(m_unit, ms, "< nothing waiting");
}
