#include "traffictrace.h"

#include "systemclocks.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <QDateTime>
#include <QLocale>

namespace {

constexpr int DUMP_WIDTH = 16;
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
        QStringLiteral("# %1 traffic trace, begun %2 (local time)\n"
                       "# seconds since then, the port, and what happened: > written to the "
                       "receiver, < read from it, = the same query and answer again\n")
            .arg(program, begun)
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

void TrafficTrace::formatTime(std::int64_t ms, char* buf, int size)
{
    std::snprintf(buf, static_cast<std::size_t>(size), "%lld.%03lld",
                  static_cast<long long>(ms / 1000), static_cast<long long>(ms % 1000));
}

void TrafficTrace::note(int k, std::int64_t ms, const char* format, ...)
{
    beginLine(k, ms);
    char line[LINE_SIZE];
    std::va_list arguments;
    va_start(arguments, format);
    const int n = std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    append(line, n < 0 ? 0 : (n < LINE_SIZE ? n : LINE_SIZE - 1));
    append("\n", 1);
    writeOut();
}

void TrafficTrace::bytes(int k, std::int64_t ms, char direction, const char* data, int count)
{
    beginLine(k, ms);
    char line[64];
    const int n = std::snprintf(line, sizeof line, "%c %d bytes\n", direction, count);
    append(line, n);
    for (int at = 0; at < count; at += DUMP_WIDTH)
        appendDump(data + at, count - at < DUMP_WIDTH ? count - at : DUMP_WIDTH);
    writeOut();
}

void TrafficTrace::beginLine(int k, std::int64_t ms)
{
    char time[24];
    formatTime(ms, time, sizeof time);
    char start[48];
    const int n = k == NO_PORT ? std::snprintf(start, sizeof start, "%10s ", time)
                               : std::snprintf(start, sizeof start, "%10s COM%d ", time, k + 1);
    append(start, n);
}

// "    10 FE 00 02 10 03  ...  |......|": the text column shows printable
// ASCII as it is and every other byte as a dot.
void TrafficTrace::appendDump(const char* data, int count)
{
    static const char HEX[] = "0123456789ABCDEF";
    char line[4 + 3 * DUMP_WIDTH + 2 + DUMP_WIDTH + 3];
    int n = 0;
    for (int i = 0; i < 4; ++i)
        line[n++] = ' ';
    for (int i = 0; i < DUMP_WIDTH; ++i) {
        const auto byte = i < count ? static_cast<unsigned char>(data[i]) : 0;
        line[n++] = i < count ? HEX[byte >> 4] : ' ';
        line[n++] = i < count ? HEX[byte & 0xF] : ' ';
        line[n++] = ' ';
    }
    line[n++] = ' ';
    line[n++] = '|';
    for (int i = 0; i < count; ++i) {
        const auto byte = static_cast<unsigned char>(data[i]);
        line[n++] = byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '.';
    }
    line[n++] = '|';
    line[n++] = '\n';
    append(line, n);
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
