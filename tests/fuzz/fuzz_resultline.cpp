// Feeds arbitrary bytes to the result log reader as a whole file. Every line
// must come out once, as a record or as an unreadable line with a reason, in
// file order; and a record, written back the way the program writes lines,
// must read back the same.
#include "lineparser.h"
#include "logformat.h"
#include "resultfile.h"

#include <cstdint>

namespace {

QString field(const QString& text)
{
    return text + QLatin1String(LOG_SEPARATOR);
}

QString battery(const QString& text)
{
    return text.isEmpty() ? QString(LOG_EMPTY_TEXT) : field(text);
}

QString written(const ResultRecord& r)
{
    return field(QLatin1String(LOG_PORT_PREFIX) + QString::number(r.port)) + field(r.receiver) +
           battery(r.batteryMaker) + battery(r.batteryType) + battery(r.capacity) +
           field(r.startText) + field(r.endText) + field(r.enduranceText) + r.comments;
}

bool same(const ResultRecord& a, const ResultRecord& b)
{
    return a.port == b.port && a.receiver == b.receiver && a.batteryMaker == b.batteryMaker &&
           a.batteryType == b.batteryType && a.capacity == b.capacity && a.start == b.start &&
           a.end == b.end && a.enduranceSeconds == b.enduranceSeconds && a.comments == b.comments &&
           a.guessed == b.guessed;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QVector<ResultRecord> records;
    QVector<UnreadableLine> unreadable;
    ResultFile::parse(bytes, 1, &records, &unreadable);

    const qsizetype lines = bytes.count('\n') + 1;
    if (records.size() + unreadable.size() > lines)
        __builtin_trap();
    int previous = 0;
    for (const ResultRecord& r : records) {
        if (r.lineNumber <= previous || r.lineNumber > lines)
            __builtin_trap();
        previous = r.lineNumber;
        ResultRecord again;
        QString reason;
        if (!LineParser::parse(written(r), &again, &reason) || !same(r, again))
            __builtin_trap();
    }
    for (const UnreadableLine& u : unreadable) {
        if (u.reason.isEmpty() || u.lineNumber < 1 || u.lineNumber > lines)
            __builtin_trap();
    }
    return 0;
}
