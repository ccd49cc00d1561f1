// A whole run through the dialog in real time, against a receiver on a
// pseudo-terminal: the operator's texts go from the dialog's boxes to the
// result log, and the run's times come back to its displays.
#include "dialoghelpers.h"
#include "messageboxanswerer.h"
#include "receiveronport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class TestWholeRun : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void receiverAnswersTwiceThenFallsSilent()
    {
        QTemporaryDir dir;
        QVERIFY(QDir::setCurrent(dir.path()));
        ReceiverOnPort receiver(0);

        TestDialog dlg;
        g_pTestDialog = &dlg;
        QTest::mouseClick(Get<QCheckBox>(dlg, IDC_PORT_CHECK_BASE), Qt::LeftButton);
        Get<QComboBox>(dlg, IDC_GPS_MFG_BASE)->setCurrentText("Magellan");
        QTest::keyClicks(Get<QLineEdit>(dlg, IDC_BATTERY_MAKER_BASE), "Acme");
        Get<QComboBox>(dlg, IDC_BATTERY_TYPE_BASE)->setCurrentText("Alkaline");
        QTest::keyClicks(Get<QLineEdit>(dlg, IDC_CAPACITY_BASE), "2000");
        QTest::keyClicks(Get<QLineEdit>(dlg, IDC_COMMENTS_BASE), "spare set");

        // The receiver answers the first two queries it sees.
        const QByteArray query = "$PMGNCMD,VERSION*28\r\n";
        const QByteArray reply = "$PMGNVER,7,1.00,SIM*06\r\n";
        QByteArray received;
        int answers = 0;
        QTimer receiverSide;
        connect(&receiverSide, &QTimer::timeout, [&] {
            char buf[256];
            received.append(buf, receiver.pty.Read(buf, sizeof buf));
            while (received.startsWith(query)) {
                received.remove(0, query.size());
                if (answers < 2) {
                    receiver.pty.Write(reply.constData(), int(reply.size()));
                    ++answers;
                }
            }
        });
        receiverSide.start(20);
        MessageBoxAnswerer answerer;
        QTest::mouseClick(Get<QPushButton>(dlg, IDC_START_TEST), Qt::LeftButton);
        g_pTestDialog = nullptr;

        QCOMPARE(answers, 2);
        QCOMPARE(answerer.Texts().last(),
                 QStringLiteral("Test completed... all units did not reply"));
        const QString start = Get<QLabel>(dlg, IDC_START_TIME_BASE)->text();
        const QString last = Get<QLabel>(dlg, IDC_LAST_RESPONSE_BASE)->text();
        const QString endurance = Get<QLabel>(dlg, IDC_ENDURANCE_BASE)->text();
        const QRegularExpression time(
            QStringLiteral("^[A-Z][a-z]{2} [A-Z][a-z]{2} \\d\\d \\d\\d:\\d\\d:\\d\\d \\d{4}\\n$"));
        QVERIFY2(time.match(start).hasMatch(), qPrintable(start));
        QVERIFY2(time.match(last).hasMatch(), qPrintable(last));
        QVERIFY2(QRegularExpression("^00:00:0[4-9]$").match(endurance).hasMatch(),
                 qPrintable(endurance));

        QFile log("BATTERY.TXT");
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString expected =
            QStringLiteral("COM1, Magellan SIM Software Version 1.00 (Product ID=7), Acme, "
                           "Alkaline, 2000, %1, %2, %3, spare set\n")
                .arg(start.chopped(1), last.chopped(1), endurance);
        QCOMPARE(QString::fromUtf8(log.readAll()), expected);
        QDir::setCurrent(QDir::tempPath());
    }
};

QTEST_MAIN(TestWholeRun)
#include "tst_wholerun.moc"
