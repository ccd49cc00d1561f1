#include "fakedialog.h"
#include "gpsmaker.h"
#include "lineparser.h"
#include "logformat.h"
#include "resultlog.h"
#include "scratchdirectory.h"
#include "timetext.h"

#include <cstring>
#include <limits>
#include <QFile>
#include <QtTest>

namespace {

// Sat Dec 05 14:03:22 2026, UTC; the epoch; a time no calendar can show; a
// leap day; a time past 2038.
const qint64 STARTS[] = {1796479402, 0, std::numeric_limits<std::time_t>::max(), 1709210096,
                         2240611200};
const int SECONDS[] = {22338, 2, 360000, 4442706, -3725, -5};
const char* const VERSIONS[] = {"eTrex, Legend (Product ID=411)", "",
                                "SporTrak Software Version 1.12 (Product ID=39)"};
// Battery maker, mAh and comments, as the operator may type them.
const QStringList TEXTS[] = {{"Acme", "1800", "spare set"},
                             {"Harbor Cells, Inc.", "2,500", "a, b,c"},
                             {"Müller Åkerby", "3400", "kalt, 12 °C"},
                             {"", "", ""}};

// The time as the log shows it, the writer's wall clock read as UTC as the
// reader does; invalid when the writer had none.
QDateTime wallClock(std::time_t t)
{
    char text[CTIME_SIZE];
    formatCtime(t, text);
    if (QByteArray(text).trimmed().isEmpty())
        return {};
    const QDateTime local = QDateTime::fromSecsSinceEpoch(t, Qt::LocalTime);
    return QDateTime(local.date(), local.time(), Qt::UTC);
}

} // namespace

class TestLogFormat : public QObject {
    Q_OBJECT

    ScratchDirectory m_scratch;

private Q_SLOTS:
    // The extremes a clock set far off can give; the everyday durations
    // are roundTrip's.
    void endurance_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("largest") << 2147483647 << QByteArray("596523:14:07");
        QTest::newRow("smallest") << (-2147483647 - 1) << QByteArray("-596523:-14:-8");
    }

    void endurance()
    {
        QFETCH(int, seconds);
        QFETCH(QByteArray, text);
        char buf[ENDURANCE_SIZE];
        formatEndurance(seconds, buf, sizeof buf);
        QCOMPARE(QByteArray(buf), text);
    }

    // Every maker the dialog offers, and none, with every battery type it
    // offers: the line the engine writes reads back field for field.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("maker"); // empty: no known maker
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<qint64>("start");
        QTest::addColumn<int>("seconds");

        QStringList makers{QString()};
        for (const char* name : GPS_MAKER_NAMES)
            makers << QLatin1String(name);
        int row = 0;
        for (const QString& maker : makers) {
            for (const char* type : BATTERY_TYPES) {
                QTest::addRow("%s %s", qPrintable(maker.isEmpty() ? "unknown" : maker), type)
                    << maker << QString::fromUtf8(VERSIONS[row % std::size(VERSIONS)]) << type
                    << TEXTS[row % std::size(TEXTS)] << STARTS[row % std::size(STARTS)]
                    << SECONDS[row % std::size(SECONDS)];
                ++row;
            }
        }
    }

    void roundTrip()
    {
        QFETCH(QString, maker);
        QFETCH(QString, version);
        QFETCH(QString, type);
        QFETCH(QStringList, texts);
        QFETCH(qint64, start);
        QFETCH(int, seconds);

        const std::time_t tStart = static_cast<std::time_t>(start);
        // A clock that cannot show the start cannot show the end either.
        const std::time_t tLast = wallClock(tStart).isValid() ? tStart + seconds : tStart;
        QFile::remove(LOG_FILE_NAME);
        {
            FakeDialog dlg;
            UnitInfo& u = dlg.units[2];
            const GpsMakerTraits* traits = makerForSelection(maker.toLatin1().constData());
            QCOMPARE(traits != nullptr, !maker.isEmpty());
            u.eMfg = traits ? traits->eMfg : GPS_MFG_NONE;
            std::strcpy(u.szVersion, version.toUtf8().constData());
            u.tStart = tStart;
            u.tLastResponse = tLast;
            formatEndurance(seconds, u.szEndurance, ENDURANCE_SIZE);
            dlg.setText(u.nBatteryMakerCtrl, texts[0].toUtf8().constData());
            dlg.setText(u.nBatteryTypeCtrl, type.toUtf8().constData());
            dlg.setText(u.nCapacityCtrl, texts[1].toUtf8().constData());
            dlg.setText(u.nCommentsCtrl, texts[2].toUtf8().constData());
            QCOMPARE(WriteResults(), 1);
        }
        QFile file(LOG_FILE_NAME);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString line = QString::fromUtf8(file.readAll()).chopped(1);

        ResultRecord r;
        QString reason;
        QVERIFY2(LineParser::parse(line, &r, &reason), qPrintable(reason + ": " + line));
        QCOMPARE(r.port, 3);
        QCOMPARE(r.receiver, maker.isEmpty() ? QString(LOG_UNKNOWN_MAKER) : maker + " " + version);
        QCOMPARE((QStringList{r.batteryMaker, r.batteryType, r.capacity, r.comments}),
                 (QStringList{texts[0], type, texts[1], texts[2]}));
        QCOMPARE(r.start, wallClock(tStart));
        QCOMPARE(r.end, wallClock(tLast));
        QCOMPARE(r.enduranceSeconds, qint64(seconds));
        QVERIFY(!r.guessed);
    }
};

QTEST_GUILESS_MAIN(TestLogFormat)
#include "tst_logformat.moc"
