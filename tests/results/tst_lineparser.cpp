#include "lineparser.h"

#include <QtTest>

namespace {

const QString TIMES = QStringLiteral("Sat Dec 05 14:03:22 2026, Sat Dec 05 20:15:40 2026, ");

// Receiver, maker, type, mAh and comments, then "guessed" or "sure"; empty
// when the line is unreadable.
QStringList fieldsOf(const QString& line)
{
    ResultRecord r;
    QString reason;
    if (!LineParser::parse(line, &r, &reason))
        return reason.isEmpty() ? QStringList{"unreadable without a reason"} : QStringList();
    return {r.receiver, r.batteryMaker, r.batteryType,
            r.capacity, r.comments,     r.guessed ? "guessed" : "sure"};
}

} // namespace

class TestLineParser : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Lines written by hand, by older programs or by a dialog short of a
    // control: read when they can be read one way, marked when the split is
    // a guess, reported when they do not fit.
    void handWrittenLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("fields");

        const QString garmin = "COM2, Garmin eTrex (Product ID=130), ";
        const QStringList sure = {
            "Garmin eTrex (Product ID=130)", "Acme, Inc.", "Ni-MH", "1800", "", "sure"};
        QTest::newRow("type from the list places the comma")
            << garmin + "Acme, Inc., Ni-MH, 1800, " + TIMES + "06:12:18, " << sure;
        QTest::newRow("trailing blank stripped")
            << garmin + "Acme, Inc., Ni-MH, 1800, " + TIMES + "06:12:18," << sure;
        QTest::newRow("blank-padded day, no-time blanks")
            << garmin + "Acme, Inc., Ni-MH, 1800, Sat Dec  5 14:03:22 2026, " + QString(24, ' ') +
                   ", 06:12:18, "
            << sure;
        QTest::newRow("times copied into the comments")
            << garmin + "A, Ni-MH, 1, " + TIMES + "06:12:18, was " + TIMES + "01:00:00, x"
            << QStringList{"Garmin eTrex (Product ID=130)", "A",   "Ni-MH", "1",
                           "was " + TIMES + "01:00:00, x",  "sure"};
        QTest::newRow("two texts with commas, type unknown")
            << "COM1, Garmin V, A, B, Li, Po, 1800, " + TIMES + "06:12:18, "
            << QStringList{"Garmin V", "A, B, Li", "Po", "1800", "", "guessed"};

        const QString t = TIMES + "06:12:18, ";
        const QStringList unreadable;
        QTest::newRow("a note") << "Tested four more on Oct 19, see notebook" << unreadable;
        QTest::newRow("no receiver") << "COM3, Acme, Ni-MH, 2000, " + t << unreadable;
        QTest::newRow("type control missing") << "COM2, Garmin V, Acme, 1800, " + t << unreadable;
        QTest::newRow("cut short") << garmin + "A, Ni-MH, 1, " + TIMES.left(40) << unreadable;
        QTest::newRow("port zero") << "COM0, Garmin V, A, Ni-MH, 1, " + t << unreadable;
        QTest::newRow("month") << garmin + "A, Ni-MH, 1, Sat Dez 05 14:03:22 2026, " +
                                      TIMES.mid(26) + "06:12:18, "
                               << unreadable;
        QTest::newRow("day 32") << garmin + "A, Ni-MH, 1, Sat Dec 32 14:03:22 2026, " +
                                       TIMES.mid(26) + "06:12:18, "
                                << unreadable;
        for (const char* endurance : {"6:12:18", "06:60:18", "-1:02:05", "06:12", "06:12:18 x"})
            QTest::addRow("endurance %s", endurance)
                << garmin + "A, Ni-MH, 1, " + TIMES + endurance + ", " << unreadable;
    }

    void handWrittenLines()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, fields);
        QCOMPARE(fieldsOf(line), fields);
    }
};

QTEST_GUILESS_MAIN(TestLineParser)
#include "tst_lineparser.moc"
