// Whole tests as the operator runs them: the real dialog, offscreen, filled
// in and started through its widgets, against receivers that gpssim plays in
// a process of its own. Each row is listed as a CTest test of its own.
#include "dialoghelpers.h"
#include "messageboxanswerer.h"
#include "portmap.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPort>
#include <QtTest>

namespace {

// What the operator enters for each unit, and the line the log should get:
// %1 the receiver, %2 to %4 the times the displays showed.
struct Battery {
    const char *maker, *type, *capacity, *comments, *line;
};
const Battery BATTERIES[UNIT_COUNT] = {
    {"Acme", "Alkaline", "2500", "spare set",
     "COM1, %1, Acme, Alkaline, 2500, %2, %3, %4, spare set\n"},
    {"Voltix", "Li-ion", "3000", "new, from the shop",
     "COM2, %1, Voltix, Li-ion, 3000, %2, %3, %4, new, from the shop\n"},
    {"Brightcell", "Ni-MH", "1800", "second charge",
     "COM3, %1, Brightcell, Ni-MH, 1800, %2, %3, %4, second charge\n"},
    {"Duracore", "Ni-Cd", "", "", "COM4, %1, Duracore, Ni-Cd,  ,%2, %3, %4, \n"},
};
const QByteArray EARLIER_LINE = "COM1, Garmin eTrex (Product ID=130), from an earlier test\n";

int Field(const QString& text, const QString& name)
{
    return QRegularExpression("\\b" + name + "=(\\d+)").match(text).captured(1).toInt();
}

// gpssim, its receivers made known to the engine's port map.
class Simulator {
public:
    bool Start(const QString& dir, const QStringList& receivers)
    {
        QStringList args{"--dir", dir, "--linger", "60"};
        int expected = 0;
        for (int k = 0; k < UNIT_COUNT; ++k) {
            if (receivers[k].isEmpty())
                continue;
            args << QString("--com%1").arg(k + 1) << receivers[k];
            ++expected;
        }
        m_process.start(GPSSIM_PATH, args);
        for (; expected > 0; --expected) {
            if (!m_process.canReadLine() && !m_process.waitForReadyRead(10000))
                return false;
            const QString line = QString::fromUtf8(m_process.readLine().trimmed());
            const int k = line.mid(13, 1).toInt() - 1;
            const QByteArray variable = "DUNMERROW_COM" + QByteArray::number(k + 1);
            if (k < 0 || !line.startsWith(variable + '='))
                return false;
            links[k] = line.mid(15);
            // The pseudo-terminal rather than the link: a serial port's lock
            // file is named after the last part of its path, and every
            // simulator running beside this one names its links COM1..COM4.
            devices[k] = QFileInfo(links[k]).canonicalFilePath();
            m_ports.map(k, devices[k], PortMap::Origin::Environment);
        }
        PortMap::setActive(m_ports);
        return true;
    }

    // Stops it as Ctrl-C would; its summary line for each port.
    QStringList Stop()
    {
        m_process.terminate();
        m_process.waitForFinished();
        QStringList summaries(UNIT_COUNT);
        for (const QByteArray& line : m_process.readAllStandardOutput().split('\n')) {
            if (line.startsWith("# COM"))
                summaries[line.mid(5, 1).toInt() - 1] = QString::fromUtf8(line);
        }
        return summaries;
    }

    QString links[UNIT_COUNT];
    QString devices[UNIT_COUNT];

private:
    QProcess m_process;
    PortMap m_ports;
};

QString DisplayText(const TestDialog& dlg, int nId)
{
    return Get<QLabel>(dlg, nId)->text();
}

QByteArray ReadLog()
{
    QFile log("BATTERY.TXT");
    return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
}

} // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void run_data()
    {
        QTest::addColumn<QStringList>("receivers"); // gpssim's, by port; empty: unticked
        QTest::addColumn<QStringList>("versions");  // what the log should name
        // Cancel once this unit has finished, so that there are results not to
        // write; -1: never. A second run follows a cancelled one.
        QTest::addColumn<int>("cancelWhenDone");
        const QString eTrex = "Garmin eTrex (Product ID=130)";
        const QString meridian = "Magellan Meridian Color Software Version 1.50 (Product ID=31)";
        QTest::newRow("fourReceivers")
            << QStringList{"garmin,life=2,id=130,desc=eTrex",
                           "magellan,life=3,id=7,version=3.05,desc=SporTrak",
                           "garmin,life=4,id=0x10F0,version=3.10,desc=GPS 12", "magellan,life=5"}
            << QStringList{eTrex, "Magellan SporTrak Software Version 3.05 (Product ID=7)",
                           "Garmin GPS 12 (Product ID=4336)", meridian}
            << -1;
        QTest::newRow("unplugged")
            << QStringList{"garmin,life=5", "magellan,life=2,fault=unplug", "", "magellan,life=4"}
            << QStringList{eTrex, meridian, "", meridian} << -1;
        // COM3 is found silent 4 to 6 s in, COM1 no sooner than 7 s: the cancel
        // is seen by then.
        QTest::newRow("cancelThenAgain") << QStringList{"magellan,life=5", "", "garmin,life=2", ""}
                                         << QStringList{meridian, "", eTrex, ""} << 2;
        // A reply that fails its check is still an answer: the unit lives on,
        // with no version text.
        QTest::newRow("badChecksum")
            << QStringList{"garmin,life=4,fault=bad-checksum", "", "", "garmin,life=2"}
            << QStringList{"Garmin ", "", "", eTrex} << -1;
    }

    void run()
    {
        QFETCH(QStringList, receivers);
        QFETCH(QStringList, versions);
        QFETCH(int, cancelWhenDone);
        QTemporaryDir dir;
        QVERIFY(QDir::setCurrent(dir.path()));
        QFile seed("BATTERY.TXT");
        QVERIFY(seed.open(QIODevice::WriteOnly) && seed.write(EARLIER_LINE) > 0);
        seed.close();

        TestDialog dlg;
        g_pTestDialog = &dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        for (int k = 0; k < UNIT_COUNT; ++k) {
            if (receivers[k].isEmpty())
                continue;
            QTest::mouseClick(Get<QCheckBox>(dlg, IDC_PORT_CHECK_BASE + k), Qt::LeftButton);
            const QString maker = versions[k].section(' ', 0, 0);
            QTest::keyClicks(Get<QComboBox>(dlg, IDC_GPS_MFG_BASE + k), maker);
            QTest::keyClicks(Get<QComboBox>(dlg, IDC_BATTERY_TYPE_BASE + k), BATTERIES[k].type);
            QTest::keyClicks(Get<QLineEdit>(dlg, IDC_BATTERY_MAKER_BASE + k), BATTERIES[k].maker);
            QTest::keyClicks(Get<QLineEdit>(dlg, IDC_CAPACITY_BASE + k), BATTERIES[k].capacity);
            QTest::keyClicks(Get<QLineEdit>(dlg, IDC_COMMENTS_BASE + k), BATTERIES[k].comments);
        }

        for (int round = 0; round < (cancelWhenDone < 0 ? 1 : 2); ++round) {
            const bool cancel = round == 0 && cancelWhenDone >= 0;
            Simulator sim;
            QVERIFY(sim.Start(dir.path() + "/ports", receivers));
            MessageBoxAnswerer answerer;
            QTimer canceller;
            connect(&canceller, &QTimer::timeout, &dlg, [&] {
                if (!DisplayText(dlg, IDC_ENDURANCE_BASE + cancelWhenDone).isEmpty()) {
                    canceller.stop();
                    QTest::mouseClick(Get<QPushButton>(dlg, IDC_CANCEL), Qt::LeftButton);
                }
            });
            if (cancel)
                canceller.start(50);
            const QDateTime pressed = QDateTime::currentDateTime();
            QTest::mouseClick(Get<QPushButton>(dlg, IDC_START_TEST), Qt::LeftButton);

            // A port still held keeps its lock file, and with it any other
            // opener out; one pulled out has lost its link.
            for (int k = 0; k < UNIT_COUNT; ++k) {
                if (receivers[k].isEmpty() || !QFileInfo::exists(sim.links[k]))
                    continue;
                QSerialPort again(sim.devices[k]);
                QVERIFY2(again.open(QIODevice::ReadWrite), qPrintable(again.errorString()));
            }
            const QStringList summaries = sim.Stop();
            QStringList boxes{"If you are testing a Magellan, please set the baud rate to 4800 "
                              "and message type to NEMA V2.x",
                              "If you are testing a Garmin, please set the Interface I/O type "
                              "to Garmin"};
            for (int k = 0; k < UNIT_COUNT; ++k) {
                QCOMPARE(summaries[k].isEmpty(), receivers[k].isEmpty());
                QCOMPARE(Field(summaries[k], "queries_bad"), 0); // wrong speeds included
                // Every reply fails its check, and every reply is read.
                if (receivers[k].contains("bad-checksum"))
                    boxes += QStringList(Field(summaries[k], "replies"),
                                         "Bad Checksum in Garmin Version Message");
            }
            boxes << (cancel ? "Test cancelled by user"
                             : "Test completed... all units did not reply");
            QCOMPARE(answerer.Texts(), boxes);
            if (cancel) {
                QCOMPARE(ReadLog(), EARLIER_LINE);
                continue;
            }

            QString expected = QString::fromUtf8(EARLIER_LINE);
            for (int k = 0; k < UNIT_COUNT; ++k) {
                if (receivers[k].isEmpty())
                    continue;
                const QString start = DisplayText(dlg, IDC_START_TIME_BASE + k).chopped(1);
                const QString last = DisplayText(dlg, IDC_LAST_RESPONSE_BASE + k).chopped(1);
                const QString endurance = DisplayText(dlg, IDC_ENDURANCE_BASE + k);
                expected += QString(BATTERIES[k].line).arg(versions[k], start, last, endurance);
                const QDateTime started = QDateTime::fromString(start, "ddd MMM dd HH:mm:ss yyyy");
                const QDateTime ended = QDateTime::fromString(last, "ddd MMM dd HH:mm:ss yyyy");
                const int seconds = QTime(0, 0).secsTo(QTime::fromString(endurance, "HH:mm:ss"));
                QVERIFY2(started.isValid() && ended.isValid() && seconds > 0,
                         qPrintable(start + " / " + last + " / " + endurance));
                QVERIFY(qAbs(pressed.secsTo(started)) <= 2);
                QCOMPARE(started.secsTo(ended), seconds);
                // Each answer is read two seconds after its query, so the read
                // that first finds nothing comes two to four seconds after the
                // battery died: never within [life, life + 1], so the looser
                // [life, life + 3] would let an early finish through.
                const int life = Field(receivers[k], "life");
                QVERIFY2(seconds >= life + 2 && seconds <= life + 4,
                         qPrintable(QString("COM%1 ran %2 s").arg(k + 1).arg(seconds)));
            }
            QCOMPARE(QString::fromUtf8(ReadLog()), expected);
        }
        g_pTestDialog = nullptr;
        QDir::setCurrent(QDir::tempPath());
    }
};

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
