#include "fieldsplitter.h"

#include <algorithm>
#include <iterator>

namespace {

// The battery types the dialog's drop-down list offers; it takes no other.
const char* const DIALOG_TYPES[] = {"Alkaline", "Heavy duty", "Li-ion",
                                    "Ni-Cd",    "Ni-MH",      "Regular"};

const QLatin1String GARMIN("Garmin ");
const QLatin1String MAGELLAN("Magellan ");
const QLatin1String UNKNOWN("UNKNOWN GPS MFG, ");

// Beyond this many places where a field could end, trying every split would
// take noticeable time; no line Dunmerrow writes from ordinary texts comes
// near it.
constexpr int MAX_CUTS = 256;

} // namespace

FieldSplitter::FieldSplitter(QStringView part) : m_part(part)
{
    m_commas.resize(part.size() + 1);
    std::fill(m_commas.begin(), m_commas.end(), 0);
    for (int i = 2; i <= part.size(); ++i) {
        const bool commaBlank = part[i - 2] == u',' && part[i - 1] == u' ';
        m_commas[i] = m_commas[i - 1] + (commaBlank ? 1 : 0);
        if (isCut(i))
            m_cuts.append(i);
    }
}

// A field can end here: after the ", " of a text, or after the " ," of an
// empty field.
bool FieldSplitter::isCut(int pos) const
{
    if (pos < 2)
        return false;
    const QChar a = m_part[pos - 2];
    const QChar b = m_part[pos - 1];
    return (a == u',' && b == u' ') || (a == u' ' && b == u',');
}

// [from, to) is one battery field as written: " ," or "text, ".
bool FieldSplitter::isPiece(int from, int to) const
{
    if (to - from == 2)
        return m_part[from] == u' ' && m_part[from + 1] == u',';
    return to - from >= 3 && m_part[to - 2] == u',' && m_part[to - 1] == u' ';
}

// The ", " inside the text of the field [from, to), its separator left out.
int FieldSplitter::commasIn(int from, int to) const
{
    return to - from < 3 ? 0 : m_commas[to - 2] - m_commas[from + 1];
}

QStringView FieldSplitter::text(int from, int to) const
{
    return to - from == 2 ? QStringView() : m_part.mid(from, to - from - 2);
}

int FieldSplitter::receiverTextStart() const
{
    return m_part.startsWith(GARMIN) ? GARMIN.size() : MAGELLAN.size();
}

// 2 for a receiver text of the shape the program writes, 1 for a type from
// the dialog's list.
int FieldSplitter::knowledge(const Split& s) const
{
    int score = 0;
    if (m_part.startsWith(UNKNOWN)) {
        score += 2;
    } else {
        const QStringView version =
            m_part.mid(receiverTextStart(), s.receiverEnd - 2 - receiverTextStart());
        if (version.isEmpty() ||
            (version.endsWith(u')') && version.contains(QLatin1String("(Product ID="))))
            score += 2;
    }
    const QStringView type = m_part.mid(s.makerEnd, s.typeEnd - s.makerEnd - 2);
    for (const char* known : DIALOG_TYPES) {
        if (s.typeEnd - s.makerEnd > 2 && type == QLatin1String(known)) {
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
    int receiverMin = 0;
    if (part.startsWith(UNKNOWN))
        receiverMin = UNKNOWN.size();
    else if (part.startsWith(GARMIN) || part.startsWith(MAGELLAN))
        receiverMin = (part.startsWith(GARMIN) ? GARMIN.size() : MAGELLAN.size()) + 2;
    if (receiverMin == 0) {
        *reason = QStringLiteral("The receiver is not Garmin, Magellan or UNKNOWN GPS MFG.");
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
        if (r < receiverMin || (unknown && r != receiverMin) || part[r - 1] != u' ')
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
    fields->receiver = part.left(best.receiverEnd - 2);
    fields->batteryMaker = s.text(best.receiverEnd, best.makerEnd);
    fields->batteryType = s.text(best.makerEnd, best.typeEnd);
    fields->capacity = s.text(best.typeEnd, end);
    fields->guessed = fitting > 1;
    return true;
}
