#include "traceformat.h"

#include <cstdio>
#include <cstring>

namespace {

// The words of an event line, for writing and reading alike.
constexpr char PORT[] = "COM";
constexpr char QUERY[] = "> ";
constexpr char ANSWER[] = "< ";
constexpr char BYTES[] = " bytes";
constexpr char AT[] = " at ";
constexpr char SILENCE[] = "< nothing waiting";
constexpr char REPEATS[] = "= ";
constexpr char MORE[] = " more of the same";
constexpr char UNTIL[] = ", until ";
constexpr int TIME_WIDTH = 10;
constexpr int TIME_SIZE = 24;
constexpr char HEX[] = "0123456789ABCDEF";

// The value of an upper-case hex digit, -1 for any other character.
int hexDigit(char c)
{
    const void* found = std::memchr(HEX, c, 16);
    return found ? static_cast<int>(static_cast<const char*>(found) - HEX) : -1;
}

// snprintf's count made the length of what is in buf, whose last character
// stays a line break however much was cut.
int endLine(char* buf, int size, int n)
{
    if (n < 0 || size < 2)
        return 0;
    if (n < size)
        return n;
    buf[size - 2] = '\n';
    buf[size - 1] = '\0';
    return size - 1;
}

// Reads a line from left to right; every step is false, and takes nothing,
// when the text there is not what it looks for.
class Cursor {
public:
    Cursor(const char* text, int length) : m_at(text), m_end(text + length) {}

    bool literal(const char* word)
    {
        const auto n = static_cast<std::ptrdiff_t>(std::strlen(word));
        if (m_end - m_at < n || std::memcmp(m_at, word, static_cast<std::size_t>(n)) != 0)
            return false;
        m_at += n;
        return true;
    }
    bool number(long& value, int maxDigits = 9)
    {
        const char* at = m_at;
        value = 0;
        while (at < m_end && at - m_at < maxDigits && *at >= '0' && *at <= '9')
            value = value * 10 + (*at++ - '0');
        const bool found = at > m_at && (at == m_end || *at < '0' || *at > '9');
        m_at = found ? at : m_at;
        return found;
    }
    // Seconds, a point and exactly three digits of thousandths.
    bool time(std::int64_t& ms)
    {
        const char* start = m_at;
        long seconds = 0, thousandths = 0;
        if (number(seconds) && literal(".")) {
            const char* digits = m_at;
            if (number(thousandths, 3) && m_at - digits == 3) {
                ms = seconds * 1000LL + thousandths;
                return true;
            }
        }
        m_at = start;
        return false;
    }
    void advance(int n) { m_at += n; }
    void skip(char c)
    {
        while (m_at < m_end && *m_at == c)
            ++m_at;
    }
    bool atEnd() const { return m_at == m_end; }
    const char* at() const { return m_at; }
    int left() const { return static_cast<int>(m_end - m_at); }

private:
    const char* m_at;
    const char* m_end;
};

void readKind(Cursor& rest, TraceEvent& event)
{
    Cursor word = rest;
    if (word.literal(QUERY) && word.number(event.count) && word.literal(BYTES)) {
        // A trace of an earlier version wrote each query at its own time.
        event.atMs = event.ms;
        if (word.atEnd() || (word.literal(AT) && word.time(event.atMs) && word.atEnd())) {
            event.kind = TraceEvent::Query;
            return;
        }
    }
    word = rest;
    if (word.literal(SILENCE) && word.atEnd()) {
        event.kind = TraceEvent::Silence;
        return;
    }
    word = rest;
    if (word.literal(ANSWER) && word.number(event.count) && word.literal(BYTES) && word.atEnd()) {
        event.kind = TraceEvent::Answer;
        return;
    }
    word = rest;
    if (word.literal(REPEATS) && word.number(event.count) && word.literal(MORE) &&
        word.literal(UNTIL) && word.time(event.atMs) && word.atEnd()) {
        event.kind = TraceEvent::Repeats;
        return;
    }
    event.kind = TraceEvent::Step;
    event.count = 0;
    event.text = rest.at();
    event.textLength = rest.left();
}

} // namespace

int formatTraceTime(std::int64_t ms, char* buf, int size)
{
    const int n =
        std::snprintf(buf, static_cast<std::size_t>(size), "%lld.%03lld",
                      static_cast<long long>(ms / 1000), static_cast<long long>(ms % 1000));
    return n < size ? n : size - 1;
}

int formatTraceEvent(const TraceEvent& event, char* buf, int size)
{
    char time[TIME_SIZE];
    char at[TIME_SIZE];
    formatTraceTime(event.ms, time, sizeof time);
    formatTraceTime(event.atMs, at, sizeof at);
    const auto room = static_cast<std::size_t>(size);
    const int n = event.k == TRACE_NO_PORT
                      ? std::snprintf(buf, room, "%*s ", TIME_WIDTH, time)
                      : std::snprintf(buf, room, "%*s %s%d ", TIME_WIDTH, time, PORT, event.k + 1);
    if (n < 0 || n >= size)
        return endLine(buf, size, n);
    char* what = buf + n;
    const std::size_t left = room - static_cast<std::size_t>(n);
    int m = 0;
    switch (event.kind) {
    case TraceEvent::Query:
        m = std::snprintf(what, left, "%s%ld%s%s%s\n", QUERY, event.count, BYTES, AT, at);
        break;
    case TraceEvent::Answer:
        m = std::snprintf(what, left, "%s%ld%s\n", ANSWER, event.count, BYTES);
        break;
    case TraceEvent::Silence:
        m = std::snprintf(what, left, "%s\n", SILENCE);
        break;
    case TraceEvent::Repeats:
        m = std::snprintf(what, left, "%s%ld%s%s%s\n", REPEATS, event.count, MORE, UNTIL, at);
        break;
    case TraceEvent::Step:
        m = std::snprintf(what, left, "%.*s\n", event.textLength, event.text);
        break;
    }
    return endLine(buf, size, m < 0 ? m : n + m);
}

int formatTraceDump(const char* data, int count, char* buf)
{
    int n = 0;
    for (int i = 0; i < 4; ++i)
        buf[n++] = ' ';
    for (int i = 0; i < TRACE_DUMP_WIDTH; ++i) {
        const auto byte = i < count ? static_cast<unsigned char>(data[i]) : 0;
        buf[n++] = i < count ? HEX[byte >> 4] : ' ';
        buf[n++] = i < count ? HEX[byte & 0xF] : ' ';
        buf[n++] = ' ';
    }
    buf[n++] = ' ';
    buf[n++] = '|';
    for (int i = 0; i < count && i < TRACE_DUMP_WIDTH; ++i) {
        const auto byte = static_cast<unsigned char>(data[i]);
        buf[n++] = byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '.';
    }
    buf[n++] = '|';
    buf[n++] = '\n';
    return n;
}

bool parseTraceEvent(const char* line, int length, TraceEvent& event)
{
    Cursor cursor(line, length);
    cursor.skip(' ');
    long port = 0;
    if (!cursor.time(event.ms) || !cursor.literal(" "))
        return false;
    event.atMs = 0;
    event.count = 0;
    if (!cursor.literal(PORT)) {
        event.k = TRACE_NO_PORT;
        event.kind = TraceEvent::Step;
        event.text = cursor.at();
        event.textLength = cursor.left();
        return true;
    }
    if (!cursor.number(port) || port < 1 || !cursor.literal(" "))
        return false;
    event.k = static_cast<int>(port - 1);
    readKind(cursor, event);
    return true;
}

int parseTraceDump(const char* line, int length, char* bytes)
{
    Cursor cursor(line, length);
    if (!cursor.literal("    "))
        return -1;
    int count = 0;
    for (; count < TRACE_DUMP_WIDTH && cursor.left() >= 3 && cursor.at()[2] == ' '; ++count) {
        const int high = hexDigit(cursor.at()[0]);
        const int low = hexDigit(cursor.at()[1]);
        if (high < 0 || low < 0)
            break;
        bytes[count] = static_cast<char>(high << 4 | low);
        cursor.advance(3);
    }
    cursor.skip(' ');
    // The text column: between two bars, which it may hold itself.
    const bool text = cursor.left() >= 2 && cursor.at()[0] == '|' && line[length - 1] == '|';
    return count > 0 && text ? count : -1;
}
