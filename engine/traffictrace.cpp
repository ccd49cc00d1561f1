#include "traffictrace.h"

#include "systemclocks.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <QDateTime>
#include <QLocale>

namespace {

// The longest line but a dump: port, words and a system's error text.
constexpr int LINE_SIZE = 640;

} // namespace

TrafficTrace::TrafficTrace() = default;

TrafficTrace::~TrafficTrace() = default;

bool TrafficTrace::open(const QString& path, const QString& program, QString& error)
{
    m_file.setFileName(path);
    // Unbuffered: each event goes straight from the fixed buffer to the file,
    // so that a crash or a power cut loses nothing already traced.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        error = m_file.errorString();
        return false;
    }
    m_beganMs = readSteadyClocks().withSleepMs;
    const QString begun = QLocale::c().toString(QDateTime::currentDateTime(),
                                                QStringLiteral("ddd MMM dd HH:mm:ss yyyy"));
    const QByteArray heading =
        QStringLiteral("%1 %2 traffic trace, begun %3 (local time)\n"
                       "%1 seconds since then, the port, and what happened: > written to the "
                       "receiver, < read from it, = the same query and answer again\n")
            .arg(QString(QLatin1Char(TRACE_COMMENT)), program, begun)
            .toUtf8();
    if (m_file.write(heading) != heading.size()) {
        error = m_file.errorString();
        m_file.close();
        return false;
    }
    return true;
}

std::int64_t TrafficTrace::elapsedMs() const
{
    return m_beganMs < 0 ? 0 : readSteadyClocks().withSleepMs - m_beganMs;
}

void TrafficTrace::write(TraceEvent event, const char* data, int count)
{
    event.ms = elapsedMs();
    char line[LINE_SIZE];
    append(line, formatTraceEvent(event, line, sizeof line));
    for (int at = 0; at < count; at += TRACE_DUMP_WIDTH) {
        char dump[TRACE_DUMP_LINE_SIZE];
        append(dump, formatTraceDump(data + at, std::min(count - at, TRACE_DUMP_WIDTH), dump));
    }
    writeOut();
}

void TrafficTrace::note(int k, const char* format, ...)
{
    char text[LINE_SIZE];
    std::va_list arguments;
    va_start(arguments, format);
    const int n = std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    TraceEvent event;
    event.k = k;
    event.text = text;
    event.textLength = std::clamp(n, 0, LINE_SIZE - 1);
    write(event);
}

void TrafficTrace::append(const char* text, int count)
{
    if (m_used + count > BUFFER_SIZE)
        writeOut();
    const int n = count < BUFFER_SIZE ? count : BUFFER_SIZE;
    std::memcpy(m_buffer + m_used, text, static_cast<std::size_t>(n));
    m_used += n;
}

void TrafficTrace::writeOut()
{
    const int n = m_used;
    m_used = 0;
    if (n == 0 || m_failed || !m_file.isOpen())
        return;
    if (m_file.write(m_buffer, n) == n)
        return;
    m_failed = true;
    std::fprintf(stderr, "The traffic trace %s stops here: %s\n", qPrintable(m_file.fileName()),
                 qPrintable(m_file.errorString()));
}
