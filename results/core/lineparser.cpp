#include "lineparser.h"

#include "fieldsplitter.h"
#include "fixedfields.h"
#include "textpool.h"

namespace {

// "<start>, <end>, " before the endurance.
constexpr int ENDURANCE_OFFSET = 2 * (TIME_TEXT_WIDTH + 2);

struct Anchor {
    int start = -1; // where the start time begins
    QDateTime startTime;
    QDateTime endTime;
    qint64 seconds = 0;
    int enduranceEnd = 0;
    int commentsStart = 0; // the line's length when there are none
};

bool followsSeparator(QStringView line, int pos)
{
    return line[pos - 1] == u',' || (pos >= 2 && line[pos - 1] == u' ' && line[pos - 2] == u',');
}

bool isSeparatorAt(QStringView line, int pos)
{
    return line.mid(pos, 2) == QLatin1String(", ");
}

// The times and the endurance, if they begin at pos.
bool readAnchorAt(QStringView line, int pos, Anchor* anchor)
{
    if (!followsSeparator(line, pos) || !readTime(line, pos, &anchor->startTime) ||
        !isSeparatorAt(line, pos + TIME_TEXT_WIDTH) ||
        !readTime(line, pos + TIME_TEXT_WIDTH + 2, &anchor->endTime) ||
        !isSeparatorAt(line, pos + 2 * TIME_TEXT_WIDTH + 2) ||
        !readEndurance(line, pos + ENDURANCE_OFFSET, &anchor->enduranceEnd, &anchor->seconds))
        return false;
    const int e = anchor->enduranceEnd;
    if (isSeparatorAt(line, e))
        anchor->commentsStart = e + 2;
    else if (e + 1 == line.size() && line[e] == u',')
        anchor->commentsStart = e + 1;
    else
        return false;
    anchor->start = pos;
    return true;
}

} // namespace

bool LineParser::parse(QStringView line, ResultRecord* record, QString* reason, TextPool* pool)
{
    int port = 0;
    int next = 0;
    if (!readPortPrefix(line, &port, &next)) {
        *reason = QStringLiteral("The line does not begin with a port such as \"COM1, \".");
        return false;
    }
    Anchor anchor;
    for (int pos = next + 1; pos + ENDURANCE_OFFSET < line.size(); ++pos) {
        // Cheap look at the blanks of a time before the full check.
        if (line[pos + 3] == u' ' && line[pos + 7] == u' ' && readAnchorAt(line, pos, &anchor))
            break;
    }
    if (anchor.start < 0) {
        *reason = QStringLiteral("There is no start time, last response time and endurance "
                                 "(hh:mm:ss) in the form Dunmerrow writes them.");
        return false;
    }
    FieldSplitter::Fields fields;
    if (!FieldSplitter::split(line.mid(next, anchor.start - next), &fields, reason))
        return false;

    const auto text = [pool](QStringView view) {
        return pool ? pool->text(view) : view.toString();
    };
    record->port = port;
    record->receiver = text(fields.receiver);
    record->batteryMaker = text(fields.batteryMaker);
    record->batteryType = text(fields.batteryType);
    record->capacity = text(fields.capacity);
    record->guessed = fields.guessed;
    record->startText = line.mid(anchor.start, TIME_TEXT_WIDTH).toString();
    record->endText = line.mid(anchor.start + TIME_TEXT_WIDTH + 2, TIME_TEXT_WIDTH).toString();
    record->start = anchor.startTime;
    record->end = anchor.endTime;
    const int enduranceStart = anchor.start + ENDURANCE_OFFSET;
    record->enduranceText =
        line.mid(enduranceStart, anchor.enduranceEnd - enduranceStart).toString();
    record->enduranceSeconds = anchor.seconds;
    record->comments = text(line.mid(anchor.commentsStart));
    return true;
}
