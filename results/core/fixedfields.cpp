#include "fixedfields.h"

namespace {

const char* const DAY_NAMES[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const MONTH_NAMES[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Index of the three letters at pos in names, or -1.
int nameIndex(QStringView text, int pos, const char* const* names, int count)
{
    const QStringView word = text.mid(pos, 3);
    for (int i = 0; i < count; ++i) {
        if (word == QLatin1String(names[i], 3))
            return i;
    }
    return -1;
}

bool isDigit(QStringView text, int pos)
{
    return pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9';
}

// The number in the count digits at pos, or -1 when one of them is not a digit.
int number(QStringView text, int pos, int count)
{
    int value = 0;
    for (int i = pos; i < pos + count; ++i) {
        if (!isDigit(text, i))
            return -1;
        value = value * 10 + (text[i].unicode() - u'0');
    }
    return value;
}

// One field of an endurance at *pos: "%02d" of an int, so at least two digits
// when not negative, a minus and one or more digits when negative. maxDigits
// bounds the digits; *negative is set when it has a minus.
bool readSignedField(QStringView text, int* pos, int maxDigits, qint64* value, bool* negative)
{
    int i = *pos;
    *negative = i < text.size() && text[i] == u'-';
    if (*negative)
        ++i;
    const int first = i;
    qint64 v = 0;
    while (isDigit(text, i) && i - first < maxDigits) {
        v = v * 10 + (text[i].unicode() - u'0');
        ++i;
    }
    const int digits = i - first;
    if (isDigit(text, i) || digits < (*negative ? 1 : 2) || (*negative && v == 0))
        return false;
    *value = *negative ? -v : v;
    *pos = i;
    return true;
}

} // namespace

bool readPortPrefix(QStringView text, int* port, int* next)
{
    if (!text.startsWith(QLatin1String("COM")))
        return false;
    int i = 3;
    int value = 0;
    while (isDigit(text, i) && i < 6)
        value = value * 10 + (text[i++].unicode() - u'0');
    if (i == 3 || value == 0 || !text.mid(i).startsWith(QLatin1String(", ")))
        return false;
    *port = value;
    *next = i + 2;
    return true;
}

bool readTime(QStringView text, int pos, QDateTime* time)
{
    const QStringView field = text.mid(pos, TIME_TEXT_WIDTH);
    if (field.size() != TIME_TEXT_WIDTH)
        return false;
    if (field.trimmed().isEmpty()) {
        *time = QDateTime();
        return true;
    }
    // "Www Mmm DD hh:mm:ss YYYY"
    if (nameIndex(field, 0, DAY_NAMES, 7) < 0 || field[3] != u' ' || field[7] != u' ' ||
        field[10] != u' ' || field[13] != u':' || field[16] != u':' || field[19] != u' ')
        return false;
    const int month = nameIndex(field, 4, MONTH_NAMES, 12) + 1;
    const int day = field[8] == u' ' ? number(field, 9, 1) : number(field, 8, 2);
    const QDate date(number(field, 20, 4), month, day);
    const QTime clock(number(field, 11, 2), number(field, 14, 2), number(field, 17, 2));
    if (!date.isValid() || !clock.isValid())
        return false;
    // The writer's wall clock, whatever its zone was: UTC here only so that
    // no time falls into a daylight-saving gap of the reader's zone.
    *time = QDateTime(date, clock, Qt::UTC);
    return true;
}

bool readEndurance(QStringView text, int pos, int* end, qint64* seconds)
{
    qint64 fields[3] = {};
    bool negative[3] = {};
    // Hours are an int of seconds / 3600, never more than seven digits.
    const int maxDigits[3] = {7, 2, 2};
    int i = pos;
    for (int f = 0; f < 3; ++f) {
        if (f > 0 && (i >= text.size() || text[i++] != u':'))
            return false;
        if (!readSignedField(text, &i, maxDigits[f], &fields[f], &negative[f]))
            return false;
    }
    if (fields[1] <= -60 || fields[1] >= 60 || fields[2] <= -60 || fields[2] >= 60)
        return false;
    // Hours, minutes and seconds come from one count by truncating division:
    // every field that is not zero has the count's sign.
    const bool anyNegative = negative[0] || negative[1] || negative[2];
    for (qint64 field : fields) {
        if (anyNegative && field > 0)
            return false;
    }
    *seconds = fields[0] * 3600 + fields[1] * 60 + fields[2];
    *end = i;
    return true;
}
