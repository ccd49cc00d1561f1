#include "fieldsplitter.h"

#include "logformat.h"

#include <algorithm>
#include <iterator>
#include <QStringList>

namespace {

// The splitter looks at the two characters of a separator, or of the text of
// an empty field, at once.
static_assert(sizeof LOG_SEPARATOR == 3 && sizeof LOG_EMPTY_TEXT == 3);
constexpr int MARK_LENGTH = 2;

bool isSeparator(QChar a, QChar b)
{
    return a == QLatin1Char(LOG_SEPARATOR[0]) && b == QLatin1Char(LOG_SEPARATOR[1]);
}

bool isEmptyText(QChar a, QChar b)
{
    return a == QLatin1Char(LOG_EMPTY_TEXT[0]) && b == QLatin1Char(LOG_EMPTY_TEXT[1]);
}

// The receiver of a unit of no known maker, with its separator.
const QString UNKNOWN = QLatin1String(LOG_UNKNOWN_MAKER) + QLatin1String(LOG_SEPARATOR);

// The length of the maker's name and the blank before the version text, or
// 0 when the part does not begin with a maker's name.
int makerPrefixLength(QStringView part)
{
    for (const char* name : GPS_MAKER_NAMES) {
        const QLatin1String maker(name);
        if (part.startsWith(maker) && part.mid(maker.size()).startsWith(u' '))
            return int(maker.size()) + 1;
    }
    return 0;
}

// Where the receiver's field ends at the earliest, its separator included:
// after the whole of UNKNOWN, or after a maker's name and an empty version;
// 0 when the part begins with neither.
int receiverEndMinimum(QStringView part)
{
    if (part.startsWith(UNKNOWN))
        return int(UNKNOWN.size());
    const int prefix = makerPrefixLength(part);
    return prefix == 0 ? 0 : prefix + MARK_LENGTH;
}

QString notAReceiver()
{
    QStringList makers;
    for (const char* name : GPS_MAKER_NAMES)
        makers << QLatin1String(name);
    return QStringLiteral("The receiver is not %1 or %2.")
        .arg(makers.join(QLatin1String(", ")), QLatin1String(LOG_UNKNOWN_MAKER));
}

// Beyond this many places where a field could end, trying every split would
// take noticeable time; no line Dunmerrow writes from ordinary texts comes
// near it.
constexpr int MAX_CUTS = 256;

} // namespace

FieldSplitter::FieldSplitter(QStringView part) : m_part(part)
{
    m_commas.resize(part.size() + 1);
    std::fill(m_commas.begin(), m_commas.end(), 0);
    for (int i = MARK_LENGTH; i <= part.size(); ++i) {
        m_commas[i] = m_commas[i - 1] + (isSeparator(part[i - 2], part[i - 1]) ? 1 : 0);
        if (isCut(i))
            m_cuts.append(i);
    }
}

// A field can end here: after the separator of a text, or after the text
// of an empty field.
bool FieldSplitter::isCut(int pos) const
{
    if (pos < MARK_LENGTH)
        return false;
    const QChar a = m_part[pos - 2];
    const QChar b = m_part[pos - 1];
    return isSeparator(a, b) || isEmptyText(a, b);
}

// [from, to) is one battery field as written: the text of an empty field,
// or a text and its separator.
bool FieldSplitter::isPiece(int from, int to) const
{
    if (to - from == MARK_LENGTH)
        return isEmptyText(m_part[from], m_part[from + 1]);
    return to - from > MARK_LENGTH && isSeparator(m_part[to - 2], m_part[to - 1]);
}

// The separators inside the text of the field [from, to), its own left out.
int FieldSplitter::commasIn(int from, int to) const
{
    return to - from <= MARK_LENGTH ? 0 : m_commas[to - MARK_LENGTH] - m_commas[from + 1];
}

QStringView FieldSplitter::text(int from, int to) const
{
    return to - from == MARK_LENGTH ? QStringView() : m_part.mid(from, to - from - MARK_LENGTH);
}

// 2 for a receiver text of the shape the program writes, 1 for a type from
// the dialog's list.
int FieldSplitter::knowledge(const Split& s) const
{
    int score = 0;
    if (m_part.startsWith(UNKNOWN)) {
        score += 2;
    } else {
        const int start = makerPrefixLength(m_part);
        const QStringView version = m_part.mid(start, s.receiverEnd - MARK_LENGTH - start);
        if (version.isEmpty() ||
            (version.endsWith(u')') && version.contains(QLatin1String(VERSION_PRODUCT_ID))))
            score += 2;
    }
    const QStringView type = m_part.mid(s.makerEnd, s.typeEnd - s.makerEnd - MARK_LENGTH);
    for (const char* known : BATTERY_TYPES) {
        if (s.typeEnd - s.makerEnd > MARK_LENGTH && type == QLatin1String(known)) {
            score += 1;
            break;
        }
    }
    return score;
}

// Of two splits that fit equally well, the one that gives the battery maker
// the commas.
bool FieldSplitter::better(const Split& a, const Split& b) const
{
    const int end = int(m_part.size());
    // Then, only so that the choice never depends on the order of the
    // search, the shorter receiver and the longer maker.
    const int keyA[] = {commasIn(a.typeEnd, end), commasIn(a.makerEnd, a.typeEnd),
                        commasIn(0, a.receiverEnd), a.receiverEnd, -a.makerEnd};
    const int keyB[] = {commasIn(b.typeEnd, end), commasIn(b.makerEnd, b.typeEnd),
                        commasIn(0, b.receiverEnd), b.receiverEnd, -b.makerEnd};
    return std::lexicographical_compare(std::begin(keyA), std::end(keyA), std::begin(keyB),
                                        std::end(keyB));
}

bool FieldSplitter::split(QStringView part, Fields* fields, QString* reason)
{
    const int receiverMin = receiverEndMinimum(part);
    if (receiverMin == 0) {
        *reason = notAReceiver();
        return false;
    }
    const FieldSplitter s(part);
    if (s.m_cuts.size() > MAX_CUTS) {
        *reason = QStringLiteral("The line holds too many commas to tell its fields apart.");
        return false;
    }
    const int end = int(part.size());
    Split best{};
    int bestKnowledge = -1;
    int fitting = 0;
    for (int r : s.m_cuts) {
        const bool unknown = receiverMin == UNKNOWN.size();
        if (r < receiverMin || (unknown && r != receiverMin) ||
            !isSeparator(part[r - 2], part[r - 1]))
            continue;
        for (int a : s.m_cuts) {
            if (a <= r || !s.isPiece(r, a))
                continue;
            for (int b : s.m_cuts) {
                if (b <= a || b >= end || !s.isPiece(a, b) || !s.isPiece(b, end))
                    continue;
                const Split candidate{r, a, b};
                const int k = s.knowledge(candidate);
                if (k > bestKnowledge) {
                    bestKnowledge = k;
                    best = candidate;
                    fitting = 1;
                } else if (k == bestKnowledge) {
                    ++fitting;
                    if (s.better(candidate, best))
                        best = candidate;
                }
            }
        }
    }
    if (fitting == 0) {
        *reason = QStringLiteral("The texts before the start time are not a receiver and three "
                                 "battery fields (maker, type, mAh).");
        return false;
    }
    fields->receiver = part.left(best.receiverEnd - MARK_LENGTH);
    fields->batteryMaker = s.text(best.receiverEnd, best.makerEnd);
    fields->batteryType = s.text(best.makerEnd, best.typeEnd);
    fields->capacity = s.text(best.typeEnd, end);
    fields->guessed = fitting > 1;
    return true;
}
