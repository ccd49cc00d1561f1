#include "fakedialog.h"
#include "lineparser.h"
#include "resultlog.h"
#include "scratchdirectory.h"

#include <cstring>
#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

// Sat Dec 05 14:03:22 2026 and Sat Dec 05 20:15:40 2026, UTC.
constexpr std::time_t START = 1796479402;
constexpr std::time_t LAST = 1796501740;
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

    ScratchDirectory m_scratch;

private Q_SLOTS:

    // Lines from the program's own writer read back field for field.
    void writtenLines_data()
    {
        QTest::addColumn<int>("maker");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QStringList>("battery"); // maker, type, mAh, comments
        QTest::addColumn<QByteArray>("endurance");
        QTest::addColumn<qint64>("seconds");

        const QString etrex = "eTrex Legend (Product ID=411)";
        QTest::newRow("example") << 2 << "V" << QStringList{"Acme", "Ni-MH", "1800", "spare set"}
                                 << QByteArray("06:12:18") << qint64(22338);
        QTest::newRow("commas in every free text")
            << 2 << "eTrex, Legend (Product ID=411)"
            << QStringList{"Harbor Cells, Inc.", "Ni-MH", "2,500", "a, b,c"}
            << QByteArray("17:03:49") << qint64(61429);
        QTest::newRow("UTF-8") << 1 << "SporTrak Software Version 1.12 (Product ID=39)"
                               << QStringList{"Müller Åkerby", "Li-ion", "3400", "kalt, 12 °C"}
                               << QByteArray("27:06:47") << qint64(97607);
        QTest::newRow("empty texts")
            << 2 << "" << QStringList{"", "Ni-MH", "", ""} << QByteArray("00:00:02") << qint64(2);
        QTest::newRow("unknown receiver, nothing typed")
            << 0 << "" << QStringList{"", "", "", ""} << QByteArray("01:00:00") << qint64(3600);
        QTest::newRow("100 hours") << 2 << etrex << QStringList{"Acme", "Li-ion", "9000", ""}
                                   << QByteArray("100:00:00") << qint64(360000);
        QTest::newRow("1234 hours") << 2 << etrex << QStringList{"Acme", "Li-ion", "9000", ""}
                                    << QByteArray("1234:05:06") << qint64(4442706);
        QTest::newRow("clock set back an hour")
            << 2 << etrex << QStringList{"Acme", "Ni-MH", "1800", ""} << QByteArray("-1:-2:-5")
            << qint64(-3725);
        QTest::newRow("clock set back seconds")
            << 2 << etrex << QStringList{"Acme", "Ni-MH", "1800", ""} << QByteArray("00:00:-5")
            << qint64(-5);
    }

    void writtenLines()
    {
        QFETCH(int, maker);
        QFETCH(QString, version);
        QFETCH(QStringList, battery);
        QFETCH(QByteArray, endurance);
        QFETCH(qint64, seconds);

        QFile::remove("BATTERY.TXT");
        {
            FakeDialog dlg;
            UnitInfo& u = dlg.units[1];
            u.eMfg = maker;
            std::strcpy(u.szVersion, version.toUtf8().constData());
            u.tStart = START;
            u.tLastResponse = LAST;
            std::strcpy(u.szEndurance, endurance.constData());
            const int controls[] = {u.nBatteryMakerCtrl, u.nBatteryTypeCtrl, u.nCapacityCtrl,
                                    u.nCommentsCtrl};
            for (int i = 0; i < 4; ++i)
                dlg.SetText(controls[i], battery[i].toUtf8().constData());
            WriteResults();
        }
        QFile file("BATTERY.TXT");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString line = QString::fromUtf8(file.readAll()).chopped(1);

        ResultRecord r;
        QString reason;
        QVERIFY2(LineParser::parse(line, &r, &reason), qPrintable(reason + ": " + line));
        const QString receivers[] = {"UNKNOWN GPS MFG", "Magellan " + version, "Garmin " + version};
        QCOMPARE(r.port, 2);
        QCOMPARE(r.receiver, receivers[maker]);
        QCOMPARE((QStringList{r.batteryMaker, r.batteryType, r.capacity, r.comments}), battery);
        QCOMPARE(r.startText, QStringLiteral("Sat Dec 05 14:03:22 2026"));
        QCOMPARE(r.start, QDateTime(QDate(2026, 12, 5), QTime(14, 3, 22), Qt::UTC));
        QCOMPARE(r.end, QDateTime(QDate(2026, 12, 5), QTime(20, 15, 40), Qt::UTC));
        QCOMPARE(r.enduranceText, QString::fromLatin1(endurance));
        QCOMPARE(r.enduranceSeconds, seconds);
        QVERIFY(!r.guessed);
    }

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
