// A whole run seen through the traffic trace: each port's set-up, a link and
// the device it leads to, failures with the system's text, the bytes both
// ways as hex and text, repeated exchanges folded into counts, a port that
// fails and is opened again, the silence that ends a unit, and a sleep.
#include "controlids.h"
#include "fakedialog.h"
#include "fakeport.h"
#include "hexbytes.h"
#include "porttrace.h"
#include "run.h"
#include "scratchdirectory.h"
#include "timetext.h"
#include "traffictrace.h"

#include <QRegularExpression>
#include <QtTest>

class TestTrafficTrace : public QObject {
    Q_OBJECT

    ScratchDirectory m_scratch;

private Q_SLOTS:
    void tracedRun()
    {
        FakeDialog dlg;
        FakePort ports[3];
        const QByteArray reply = hex("10 06 02 FE 00 FA 10 03 10 FF 08 23 01 90 01 41 42 43 00 7E "
                                     "10 03 24 0D 0A");
        for (int k = 0; k < 3; ++k) {
            dlg.attach(k, ports[k]);
            dlg.tick(k, true);
            dlg.setText(IDC_GPS_MFG_BASE + k, "Garmin");
            ports[k].setReply(reply.constData(), reply.size());
        }
        ports[0].readScript = "++x+"; // its adapter gone at the third read, back at once
        ports[1].failStep = "open";
        ports[2].answers = 2 * PortTrace::REPEATS_PER_LINE + 7;
        // A link is opened as the device it names, so that the port is
        // locked under that device's name.
        QVERIFY(QFile::link("/dev/null", "link"));
        PortMap map;
        map.map(2, QDir::current().filePath("link"), PortMap::Origin::CommandLine);
        dlg.portSet.setMap(map);
        TrafficTrace trace;
        QString error;
        QVERIFY(trace.open("trace.txt", "Dunmerrow Version test", error));
        dlg.portSet.traceTraffic(&trace);
        dlg.onPump = [](FakeDialog& d) { d.slept(d.pumps == 30 ? 3600000 : 0); };
        RunEnduranceTest();

        QFile file("trace.txt");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(file.readAll());
        QVERIFY(text.startsWith("# Dunmerrow Version test traffic trace, begun "));
        // The times depend on the machine's pace.
        text.replace(QRegularExpression("^ *\\d+\\.\\d{3} ", QRegularExpression::MultilineOption),
                     "T ");
        text.replace(
            QRegularExpression("(at|until) \\d+\\.\\d{3}$", QRegularExpression::MultilineOption),
            "\\1 T");
        const QString query =
            "> 6 bytes at T\n    10 FE 00 02 10 03" + QString(32, ' ') + "|......|\n";
        const QString answer = "< 25 bytes\n"
                               "    10 06 02 FE 00 FA 10 03 10 FF 08 23 01 90 01 41  "
                               "|...........#...A|\n"
                               "    42 43 00 7E 10 03 24 0D 0A" +
                               QString(23, ' ') + "|BC.~..$..|\n";
        const QString com1 = text.split('\n').filter(QRegularExpression("^T COM1 ")).join('\n');
        const QString setUp = "T COM1 queues 4096 bytes in, 4096 out\n"
                              "T COM1 line settings read 0 0N0, DTR off, RTS off, no flow control\n"
                              "T COM1 line settings set 9600 8N1, DTR off, RTS off, no flow "
                              "control\n"
                              "T COM1 time-outs read interval 4294967295 ms, read 4294967295 ms "
                              "a byte + 1500 ms, write 0 ms a byte + 0 ms\n";
        QCOMPARE(com1, "T COM1 open /dev/ttyS0\n" + setUp +
                           "T COM1 > 6 bytes at T\n"
                           "T COM1 < 25 bytes\n"
                           "T COM1 = 1 more of the same, until T\n"
                           "T COM1 > 6 bytes at T\n"
                           "T COM1 < nothing waiting\n"
                           "T COM1 read failed: Input/output error\n"
                           "T COM1 reopen /dev/ttyS0\n" +
                           setUp +
                           "T COM1 > 6 bytes at T\n"
                           "T COM1 < 25 bytes\n"
                           "T COM1 > 6 bytes at T\n"
                           "T COM1 < nothing waiting\n"
                           "T COM1 = 4 more of the same, until T\n"
                           "T COM1 close");
        // A query and its answer go out together, once the read is over.
        QVERIFY(text.contains("T COM1 " + query + "T COM1 " + answer));
        QVERIFY(text.contains("T COM2 open /dev/ttyS1 failed: No such file or directory\n"
                              "T COM2 queues 4096 bytes in, 4096 out failed: Bad file "
                              "descriptor\nT COM2 line settings read failed: Bad file "
                              "descriptor\n"));
        // Asleep in the second cycle's wait, after a look at the clock two
        // seconds in.
        char from[CTIME_SIZE], to[CTIME_SIZE];
        formatCtime(dlg.units[0].tStart + 2, from);
        formatCtime(dlg.units[0].tStart + 3602, to);
        QVERIFY(text.contains(QString("\nT the computer slept from %1 to %2")
                                  .arg(QByteArray(from, 24), QByteArray(to, 24))));
        QVERIFY(
            text.contains("T COM3 open " + QDir::current().filePath("link") + " -> /dev/null\n"));
        // A count goes out every so often, so that a trace of a program
        // that dies says how far it got.
        const QStringList counts = text.split('\n').filter(QRegularExpression("^T COM3 ="));
        QCOMPARE(counts, QStringList({"T COM3 = 100 more of the same, until T",
                                      "T COM3 = 100 more of the same, until T",
                                      "T COM3 = 6 more of the same, until T",
                                      "T COM3 = 4 more of the same, until T"}));
    }
};

QTEST_GUILESS_MAIN(TestTrafficTrace)
#include "tst_traffictrace.moc"
