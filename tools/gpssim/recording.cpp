#include "recording.h"

#include <algorithm>
#include <QFile>
#include <QRegularExpression>

namespace {

// A query every two seconds for the 500 hours a simulated battery may last.
constexpr qint64 MAX_EXCHANGES = 500LL * 3600 / 2;

// "  2.107 COM1 < 22 bytes": seconds with milliseconds, the port, the event;
// a line about the computer, such as its sleep, names no port.
const QRegularExpression& eventLine()
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d+)\\.(\\d{3}) (?:COM([1-4]) )?(.*)$"));
    return pattern;
}

// "    10 FE 00 02 10 03   |......|": the bytes of the event above.
const QRegularExpression& dumpLine()
{
    static const QRegularExpression pattern(
        QStringLiteral("^    ((?:[0-9A-F]{2} ){1,16}) *\\|.*\\|$"));
    return pattern;
}

bool isComment(const QByteArray& line)
{
    return line.trimmed().isEmpty() || line.startsWith('#');
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

// The traffic of one port. Events of other ports, and the port's opening,
// settings and closing, only move the reading on; a line that is neither an
// event nor a dump means the file is no trace, or a damaged one.
bool readTrace(const QList<QByteArray>& lines, int port, Recording& recording, QString& error)
{
    QList<RecordedExchange>& exchanges = recording.exchanges;
    QByteArray* dumpTo = nullptr;
    qint64 queryMs = 0;
    int baudRate = 0;
    static const QRegularExpression repeats(QStringLiteral("^= (\\d+) more"));
    static const QRegularExpression settings(QStringLiteral("^line settings set (\\d+) "));
    for (int i = 0; i < lines.size(); ++i) {
        if (isComment(lines[i]))
            continue;
        const QString line = QString::fromUtf8(lines[i].chopped(lines[i].endsWith('\r')));
        if (const QRegularExpressionMatch dump = dumpLine().match(line); dump.hasMatch()) {
            if (dumpTo)
                *dumpTo += QByteArray::fromHex(dump.captured(1).toLatin1());
            continue;
        }
        const QRegularExpressionMatch event = eventLine().match(line);
        if (!event.hasMatch()) {
            error = QStringLiteral("line %1 is neither an event nor a dump of bytes").arg(i + 1);
            return false;
        }
        dumpTo = nullptr;
        if (event.captured(3).toInt() != port)
            continue;
        const qint64 ms = event.captured(1).toLongLong() * 1000 + event.captured(2).toLongLong();
        const QString what = event.captured(4);
        if (what.startsWith(QLatin1String("> "))) {
            exchanges.append({QByteArray(), QByteArray(), baudRate, 0});
            queryMs = ms;
            dumpTo = &exchanges.last().query;
        } else if (what.startsWith(QLatin1String("< ")) && !exchanges.isEmpty() &&
                   what != QLatin1String("< nothing waiting")) {
            RecordedExchange& exchange = exchanges.last();
            if (exchange.answer.isEmpty())
                exchange.readAfterMs = ms - queryMs;
            dumpTo = &exchange.answer;
        } else if (const auto match = repeats.match(what);
                   match.hasMatch() && !exchanges.isEmpty()) {
            const qint64 n = match.captured(1).toLongLong();
            if (n > MAX_EXCHANGES - exchanges.size()) {
                error = QStringLiteral("line %1: more queries than 500 hours hold").arg(i + 1);
                return false;
            }
            exchanges.insert(exchanges.size(), n, RecordedExchange(exchanges.last()));
        } else if (const auto match = settings.match(what); match.hasMatch()) {
            baudRate = match.captured(1).toInt();
        }
    }
    return isWhole(exchanges, port, error);
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
        if (eventLine().match(QString::fromUtf8(line).trimmed()).hasMatch()) {
            recording.kind = Kind::Trace;
            return readTrace(lines, port, recording, error);
        }
        break;
    }
    recording.kind = Kind::Capture;
    return readCapture(lines, recording, error);
}
