#include "lineparser.h"

#include "fieldsplitter.h"
#include "fixedfields.h"
#include "textpool.h"

namespace {

const QLatin1String SEPARATOR(LOG_SEPARATOR);
const QLatin1String EMPTY_TEXT(LOG_EMPTY_TEXT);
constexpr int SEPARATOR_LENGTH = sizeof LOG_SEPARATOR - 1;
// Where the last-response time begins after the start time, and where the
// endurance begins.
constexpr int END_TIME_OFFSET = LOG_TIME_WIDTH + SEPARATOR_LENGTH;
constexpr int ENDURANCE_OFFSET = 2 * END_TIME_OFFSET;
// The blanks after the day's and the month's names in a time, for a cheap
// look before the full check.
constexpr int DAY_GAP = logTimePart('M') - 1;
constexpr int MONTH_GAP = logTimePart('d') - 1;

struct Anchor {
    int start = -1; // where the start time begins
    QDateTime startTime;
    QDateTime endTime;
    qint64 seconds = 0;
    int enduranceEnd = 0;
    int commentsStart = 0; // the line's length when there are none
};

// After a field: its separator, or the comma that the text of an empty
// battery field ends with.
bool followsSeparator(QStringView line, int pos)
{
    const QStringView before = line.left(pos);
    return before.endsWith(SEPARATOR) || before.endsWith(EMPTY_TEXT.back());
}

bool isSeparatorAt(QStringView line, int pos)
{
    return line.mid(pos, SEPARATOR_LENGTH) == SEPARATOR;
}

// The separator after the endurance, without the blank that an editor
// stripping trailing blanks takes from a line without comments.
bool isStrippedSeparatorAt(QStringView line, int pos)
{
    return pos + 1 == line.size() && line[pos] == QLatin1Char(LOG_SEPARATOR[0]);
}

// The times and the endurance, if they begin at pos.
bool readAnchorAt(QStringView line, int pos, Anchor* anchor)
{
    if (!followsSeparator(line, pos) || !readTime(line, pos, &anchor->startTime) ||
        !isSeparatorAt(line, pos + LOG_TIME_WIDTH) ||
        !readTime(line, pos + END_TIME_OFFSET, &anchor->endTime) ||
        !isSeparatorAt(line, pos + END_TIME_OFFSET + LOG_TIME_WIDTH) ||
        !readEndurance(line, pos + ENDURANCE_OFFSET, &anchor->enduranceEnd, &anchor->seconds))
        return false;
    const int e = anchor->enduranceEnd;
    if (isSeparatorAt(line, e))
        anchor->commentsStart = e + SEPARATOR_LENGTH;
    else if (isStrippedSeparatorAt(line, e))
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
        if (line[pos + DAY_GAP] == QLatin1Char(LOG_TIME_LAYOUT[DAY_GAP]) &&
            line[pos + MONTH_GAP] == QLatin1Char(LOG_TIME_LAYOUT[MONTH_GAP]) &&
            readAnchorAt(line, pos, &anchor))
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
    record->startText = line.mid(anchor.start, LOG_TIME_WIDTH).toString();
    record->endText = line.mid(anchor.start + END_TIME_OFFSET, LOG_TIME_WIDTH).toString();
    record->start = anchor.startTime;
    record->end = anchor.endTime;
    const int enduranceStart = anchor.start + ENDURANCE_OFFSET;
    record->enduranceText =
        line.mid(enduranceStart, anchor.enduranceEnd - enduranceStart).toString();
    record->enduranceSeconds = anchor.seconds;
    record->comments = text(line.mid(anchor.commentsStart));
    return true;
}
