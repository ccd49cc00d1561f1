#include "batterysummary.h"

#include <algorithm>
#include <QHash>

namespace {

QString keyOf(const ResultRecord& r)
{
    return r.batteryMaker.simplified().toCaseFolded() + QChar(0x1F) +
           r.batteryType.simplified().toCaseFolded() + QChar(0x1F) +
           r.capacity.simplified().toCaseFolded();
}

// The three texts by where they are stored. The records of one log share
// each battery's texts (TextPool), so the key, whose making copies the texts
// three times over, is made once per distinct battery rather than once a run.
struct StoredTexts {
    const QChar* maker;
    const QChar* type;
    const QChar* capacity;
    bool operator==(const StoredTexts& o) const
    {
        return maker == o.maker && type == o.type && capacity == o.capacity;
    }
};

size_t qHash(const StoredTexts& t, size_t seed = 0)
{
    return qHashMulti(seed, t.maker, t.type, t.capacity);
}

bool isNumber(const QString& text)
{
    bool ok = false;
    text.toLongLong(&ok);
    return ok;
}

} // namespace

QString BatterySummary::description() const
{
    QStringList parts;
    parts << (maker.trimmed().isEmpty() ? QStringLiteral("(no maker)") : maker.simplified());
    if (!type.trimmed().isEmpty())
        parts << type.simplified();
    if (!capacity.trimmed().isEmpty())
        parts << capacity.simplified() +
                     (isNumber(capacity.trimmed()) ? QStringLiteral(" mAh") : QString());
    return parts.join(QStringLiteral(" \u00B7 "));
}

QVector<BatterySummary> BatterySummary::summarize(const QVector<ResultRecord>& records)
{
    QVector<BatterySummary> batteries;
    QHash<QString, int> indexOf;
    QHash<StoredTexts, int> indexOfStored;
    for (int i = 0; i < records.size(); ++i) {
        const ResultRecord& r = records[i];
        if (!r.counts())
            continue;
        const StoredTexts stored{r.batteryMaker.constData(), r.batteryType.constData(),
                                 r.capacity.constData()};
        auto found = indexOfStored.constFind(stored);
        if (found == indexOfStored.constEnd()) {
            const QString key = keyOf(r);
            auto byKey = indexOf.constFind(key);
            if (byKey == indexOf.constEnd())
                byKey = indexOf.insert(key, int(batteries.size()));
            found = indexOfStored.insert(stored, *byKey);
        }
        if (*found == batteries.size()) {
            BatterySummary b;
            b.maker = r.batteryMaker;
            b.type = r.batteryType;
            b.capacity = r.capacity;
            b.shortestSeconds = r.enduranceSeconds;
            b.longestSeconds = r.enduranceSeconds;
            batteries.append(b);
        }
        BatterySummary& b = batteries[*found];
        b.runs.append(i);
        b.meanSeconds += double(r.enduranceSeconds);
        b.shortestSeconds = std::min(b.shortestSeconds, r.enduranceSeconds);
        b.longestSeconds = std::max(b.longestSeconds, r.enduranceSeconds);
    }
    for (BatterySummary& b : batteries)
        b.meanSeconds /= double(b.runs.size());
    // Equal means keep the order in which the batteries first appear.
    std::stable_sort(batteries.begin(), batteries.end(),
                     [](const BatterySummary& a, const BatterySummary& b) {
                         return a.meanSeconds > b.meanSeconds;
                     });
    return batteries;
}
