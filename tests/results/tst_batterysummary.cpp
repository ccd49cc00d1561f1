#include "batterysummary.h"

#include <QtTest>

namespace {

ResultRecord run(const char* maker, const char* type, const char* capacity, qint64 seconds)
{
    ResultRecord r;
    r.batteryMaker = QString::fromUtf8(maker);
    r.batteryType = QString::fromUtf8(type);
    r.capacity = QString::fromUtf8(capacity);
    r.enduranceSeconds = seconds;
    return r;
}

} // namespace

class TestBatterySummary : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Hand-typed descriptions that differ in case or blanks are one battery;
    // runs with a clock set back count nowhere; longest mean first.
    void summarize()
    {
        const QVector<ResultRecord> records = {
            run("Acme", "Ni-MH", "1800", 3600),   run("Volt", "Alkaline", "", 7200),
            run(" acme ", "ni-mh", "1800", 5400), run("Acme", "Ni-MH", "2000", 100),
            run("ACME", "Ni-MH", "1800", -50),    run("Acme", "Ni-MH", "1800", 6000),
        };
        const QVector<BatterySummary> batteries = BatterySummary::summarize(records);
        QCOMPARE(batteries.size(), 3);

        QCOMPARE(batteries[0].description(), QStringLiteral("Volt \u00B7 Alkaline"));
        const BatterySummary& acme = batteries[1];
        QCOMPARE(acme.description(), QStringLiteral("Acme \u00B7 Ni-MH \u00B7 1800 mAh"));
        QCOMPARE(acme.runs, (QVector<int>{0, 2, 5}));
        QCOMPARE(acme.meanSeconds, 5000.0);
        QCOMPARE(acme.shortestSeconds, qint64(3600));
        QCOMPARE(acme.longestSeconds, qint64(6000));
        QCOMPARE(batteries[2].capacity, QStringLiteral("2000"));
        QCOMPARE(BatterySummary::summarize({run("", "", "AA", 1)})[0].description(),
                 QStringLiteral("(no maker) \u00B7 AA"));
    }
};

QTEST_GUILESS_MAIN(TestBatterySummary)
#include "tst_batterysummary.moc"
