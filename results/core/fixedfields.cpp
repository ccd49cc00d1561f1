#include "fixedfields.h"

#include <cstddef>

namespace {

// Index of the name at pos in names, or -1.
template <std::size_t N>
int nameIndex(QStringView text, int pos, const char* const (&names)[N])
{
    for (std::size_t i = 0; i < N; ++i) {
        const QLatin1String name(names[i]);
        if (text.mid(pos, name.size()) == name)
            return static_cast<int>(i);
    }
    return -1;
}

// True when every character of the time that the layout gives as itself
// (the blanks and colons) is there.
bool hasLayoutSeparators(QStringView field)
{
    for (int i = 0; i < LOG_TIME_WIDTH; ++i) {
        const char c = LOG_TIME_LAYOUT[i];
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!letter && field[i] != QLatin1Char(c))
            return false;
    }
    return true;
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
    const QLatin1String prefix(LOG_PORT_PREFIX);
    const QLatin1String separator(LOG_SEPARATOR);
    if (!text.startsWith(prefix))
        return false;
    // At most three digits.
    const int first = int(prefix.size());
    int i = first;
    int value = 0;
    while (isDigit(text, i) && i < first + 3)
        value = value * 10 + (text[i++].unicode() - u'0');
    if (i == first || value == 0 || !text.mid(i).startsWith(separator))
        return false;
    *port = value;
    *next = i + int(separator.size());
    return true;
}

bool readTime(QStringView text, int pos, QDateTime* time)
{
    const QStringView field = text.mid(pos, LOG_TIME_WIDTH);
    if (field.size() != LOG_TIME_WIDTH)
        return false;
    if (field.trimmed().isEmpty()) {
        *time = QDateTime();
        return true;
    }
    if (nameIndex(field, logTimePart('w'), DAY_NAMES) < 0 || !hasLayoutSeparators(field))
        return false;
    const int month = nameIndex(field, logTimePart('M'), MONTH_NAMES) + 1;
    const int d = logTimePart('d');
    const int day = field[d] == u' ' ? number(field, d + 1, 1) : number(field, d, 2);
    const QDate date(number(field, logTimePart('y'), 4), month, day);
    const QTime clock(number(field, logTimePart('h'), 2), number(field, logTimePart('m'), 2),
                      number(field, logTimePart('s'), 2));
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
        if (f > 0 && (i >= text.size() || text[i++] != QLatin1Char(ENDURANCE_SEPARATOR)))
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
