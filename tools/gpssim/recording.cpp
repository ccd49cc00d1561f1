#include "recording.h"

#include "traceformat.h"

#include <algorithm>
#include <QFile>

namespace {

// A query every two seconds for the 500 hours a simulated battery may last.
constexpr qint64 MAX_EXCHANGES = 500LL * 3600 / 2;

bool isComment(const QByteArray& line)
{
    return line.trimmed().isEmpty() || line.startsWith(TRACE_COMMENT);
}

bool readEvent(const QByteArray& line, TraceEvent& event)
{
    return parseTraceEvent(line.constData(), static_cast<int>(line.size()), event);
}

// A port's exchanges read from a trace can be played: there is at least one,
// and every query kept its bytes.
bool isWhole(const QList<RecordedExchange>& exchanges, int port, QString& error)
{
    const bool cut = std::any_of(exchanges.cbegin(), exchanges.cend(),
                                 [](const RecordedExchange& e) { return e.query.isEmpty(); });
    if (exchanges.isEmpty() || cut) {
        error = cut ? QStringLiteral("a query to COM%1 has lost its bytes").arg(port)
                    : QStringLiteral("the trace has no query to COM%1").arg(port);
        return false;
    }
    return true;
}

// Reads one event of the port into the exchanges; the bytes that follow it
// go where `dumpTo` then points. False when it cannot be played.
class TraceReader {
public:
    explicit TraceReader(QList<RecordedExchange>& exchanges) : m_exchanges(exchanges) {}

    QByteArray* dumpTo = nullptr;

    bool take(const TraceEvent& event)
    {
        dumpTo = nullptr;
        if (event.kind == TraceEvent::Query) {
            m_exchanges.append({QByteArray(), QByteArray(), m_baudRate, 0});
            m_queryMs = event.atMs;
            dumpTo = &m_exchanges.last().query;
        } else if (m_exchanges.isEmpty()) {
            takeStep(event);
        } else if (event.kind == TraceEvent::Answer) {
            RecordedExchange& exchange = m_exchanges.last();
            if (exchange.answer.isEmpty())
                exchange.readAfterMs = event.ms - m_queryMs;
            dumpTo = &exchange.answer;
        } else if (event.kind == TraceEvent::Repeats) {
            if (event.count > MAX_EXCHANGES - m_exchanges.size())
                return false;
            m_exchanges.insert(m_exchanges.size(), event.count, m_exchanges.last());
        } else {
            takeStep(event);
        }
        return true;
    }

private:
    // The line's speed, from the step that set it.
    void takeStep(const TraceEvent& event)
    {
        const QByteArray step = QByteArray::fromRawData(event.text, event.textLength);
        const QByteArray prefix = QByteArray(TRACE_LINE_SETTINGS_SET) + ' ';
        if (event.kind == TraceEvent::Step && step.startsWith(prefix))
            m_baudRate = step.mid(prefix.size()).split(' ').value(0).toInt();
    }

    QList<RecordedExchange>& m_exchanges;
    qint64 m_queryMs = 0;
    int m_baudRate = 0;
};

// The traffic of one port. Events of other ports, and the port's opening,
// settings and closing, only move the reading on; a line that is neither an
// event nor a dump means the file is no trace, or a damaged one.
bool readTrace(const QList<QByteArray>& lines, int port, Recording& recording, QString& error)
{
    TraceReader reader(recording.exchanges);
    for (int i = 0; i < lines.size(); ++i) {
        if (isComment(lines[i]))
            continue;
        const QByteArray line = lines[i].chopped(lines[i].endsWith('\r'));
        char bytes[TRACE_DUMP_WIDTH];
        if (const int n = parseTraceDump(line.constData(), static_cast<int>(line.size()), bytes);
            n >= 0) {
            if (reader.dumpTo)
                reader.dumpTo->append(bytes, n);
            continue;
        }
        TraceEvent event;
        if (!readEvent(line, event)) {
            error = QStringLiteral("line %1 is neither an event nor a dump of bytes").arg(i + 1);
            return false;
        }
        if (event.k + 1 != port) {
            reader.dumpTo = nullptr;
        } else if (!reader.take(event)) {
            error = QStringLiteral("line %1: more queries than 500 hours hold").arg(i + 1);
            return false;
        }
    }
    return isWhole(recording.exchanges, port, error);
}

// Lines of NMEA text, each sent with CR LF as a receiver sends it.
bool readCapture(const QList<QByteArray>& lines, Recording& recording, QString& error)
{
    for (const QByteArray& line : lines) {
        if (!isComment(line))
            recording.lines.append(line.chopped(line.endsWith('\r')) + "\r\n");
    }
    if (recording.lines.isEmpty())
        error = QStringLiteral("nothing but comments in it");
    return !recording.lines.isEmpty();
}

} // namespace

bool Recording::load(const QString& path, int port, Recording& recording, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    return parse(file.readAll(), port, recording, error);
}

bool Recording::parse(const QByteArray& contents, int port, Recording& recording, QString& error)
{
    recording = Recording();
    const QList<QByteArray> lines = contents.split('\n');
    // A trace is known by its first line that is not a comment.
    for (const QByteArray& line : lines) {
        if (isComment(line))
            continue;
        TraceEvent event;
        if (readEvent(line.chopped(line.endsWith('\r')), event)) {
            recording.kind = Kind::Trace;
            return readTrace(lines, port, recording, error);
        }
        break;
    }
    recording.kind = Kind::Capture;
    return readCapture(lines, recording, error);
}
