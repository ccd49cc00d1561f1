// A whole run in real time against a receiver on a pseudo-terminal: the
// clock, the sleeps and the serial port are all the real ones.
#include "controlids.h"
#include "fakedialog.h"
#include "receiveronport.h"
#include "run.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class TestRunPty : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void receiverAnswersThreeTimesThenFallsSilent()
    {
        QTemporaryDir dir;
        QVERIFY(QDir::setCurrent(dir.path()));
        ReceiverOnPort receiver(0);

        FakeDialog dlg;
        dlg.bRealClock = true;
        dlg.Tick(0, true);
        dlg.SetText(IDC_GPS_MFG_BASE, "Magellan");
        dlg.SetText(IDC_BATTERY_MAKER_BASE, "Acme");
        dlg.SetText(IDC_BATTERY_TYPE_BASE, "Ni-MH");
        dlg.SetText(IDC_CAPACITY_BASE, "2000");

        // The receiver answers each query it sees while the run waits.
        const QByteArray query = "$PMGNCMD,VERSION*28\r\n";
        const QByteArray reply = "$PMGNVER,7,1.00,SIM*06\r\n";
        QByteArray received;
        int answers = 0;
        dlg.onPump = [&](FakeDialog&) {
            char buf[256];
            const int n = receiver.pty.Read(buf, sizeof buf);
            received.append(buf, n);
            while (received.startsWith(query)) {
                received.remove(0, query.size());
                if (answers < 3) {
                    receiver.pty.Write(reply.constData(), reply.size());
                    ++answers;
                }
            }
        };
        RunEnduranceTest();

        QCOMPARE(answers, 3);
        QCOMPARE(received, QByteArray());
        const int endurance = int(dlg.units[0].tLastResponse - dlg.units[0].tStart);
        QVERIFY2(endurance >= 6 && endurance <= 9, qPrintable(QString::number(endurance)));

        QFile log("BATTERY.TXT");
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString line = QString::fromUtf8(log.readAll());
        const QString time =
            QStringLiteral("[A-Z][a-z]{2} [A-Z][a-z]{2} \\d\\d \\d\\d:\\d\\d:\\d\\d \\d{4}");
        const QRegularExpression format(
            QStringLiteral("^COM1, Magellan SIM Software Version 1\\.00 \\(Product ID=7\\), Acme, "
                           "Ni-MH, 2000, %1, %1, 00:00:0[6-9], \\n$")
                .arg(time));
        QVERIFY2(format.match(line).hasMatch(), qPrintable(line));
        QDir::setCurrent(QDir::tempPath());
    }
};

QTEST_GUILESS_MAIN(TestRunPty)
#include "tst_run_pty.moc"
