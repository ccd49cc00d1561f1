#include "fakedialog.h"
#include "fakeport.h"
#include "magellan.h"
#include "receiveronport.h"
#include "serial.h"

#include <cstring>
#include <memory>
#include <QElapsedTimer>
#include <QSerialPort>
#include <QtTest>

namespace {

// A read "at once": well below the port's read time-out of 1500 ms, which a
// read that waited would take, yet room for a loaded machine to hold this
// process up for part of a second.
constexpr qint64 AT_ONCE_MS = 500;

// Waits until the kernel has handed bytes sent by the receiver to the port.
bool WaitUntilWaiting(const PseudoTerminal& pty, int count)
{
    QElapsedTimer timer;
    timer.start();
    while (pty.waitingAtPort() < count) {
        if (timer.elapsed() > 2000)
            return false;
        QThread::msleep(1);
    }
    return true;
}

// Ticks unit k with the given maker and opens its port, as a run's set-up does.
void OpenPort(FakeDialog& dlg, int k, int maker)
{
    dlg.tick(k, true);
    dlg.units[k].eMfg = maker;
    InitializeCommPorts();
}

QByteArray ReadAll(PseudoTerminal& pty, int msQuiet)
{
    QByteArray all;
    char buf[512];
    int n;
    while ((n = pty.read(buf, sizeof buf, msQuiet)) > 0)
        all.append(buf, n);
    return all;
}

} // namespace

class TestSerial : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lineSettings_data()
    {
        QTest::addColumn<int>("maker");
        QTest::addColumn<int>("baud");
        QTest::newRow("Magellan") << int(GPS_MFG_MAGELLAN) << 4800;
        QTest::newRow("Garmin") << int(GPS_MFG_GARMIN) << 9600;
        QTest::newRow("unknown maker") << 7 << 4800;
    }

    void lineSettings()
    {
        QFETCH(int, maker);
        QFETCH(int, baud);
        FakeDialog dlg;
        ReceiverOnPort receiver(dlg.portSet, 1);
        OpenPort(dlg, 1, maker);

        PtyLineSettings settings;
        QVERIFY(receiver.pty.lineSettings(settings));
        // Baud, data bits, parity, stop bits, raw, XON/XOFF, hardware flow.
        QCOMPARE(
            (QList<int>{settings.baudRate, settings.dataBits, settings.parity, settings.stopBits,
                        settings.raw, settings.xonXoff, settings.hardwareFlow}),
            (QList<int>{baud, 8, 0, 1, 1, 0, 0}));
        QVERIFY(SetPortTimeouts(1));
        CloseCommPorts();
    }

    void readTakesAllThatIsWaiting()
    {
        FakeDialog dlg;
        ReceiverOnPort receiver(dlg.portSet, 0);
        OpenPort(dlg, 0, GPS_MFG_GARMIN);

        // More than the reply holds, the older part already in QSerialPort's
        // buffer (it reads ahead until the port is first used) and the newer
        // one still in the driver: one read takes it all and keeps the
        // newest bytes in order; nothing is left over.
        QByteArray many(REPLY_SIZE + 1904, 'm');
        for (int i = 0; i < many.size(); ++i)
            many[i] = char('A' + i % 26);
        const int older = 3000;
        receiver.pty.write(many.constData(), older);
        QVERIFY(WaitUntilWaiting(receiver.pty, older));
        QTRY_COMPARE(receiver.pty.waitingAtPort(), 0);
        receiver.pty.write(many.constData() + older, many.size() - older);
        QVERIFY(WaitUntilWaiting(receiver.pty, many.size() - older));
        QVERIFY(ReadReply(0));
        QCOMPARE(QByteArray(dlg.units[0].szReply, REPLY_SIZE), many.right(REPLY_SIZE));
        QVERIFY(!ReadReply(0));

        // Nothing waiting: false at once, even though bytes come right after.
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!ReadReply(0));
        QVERIFY2(timer.elapsed() < AT_ONCE_MS, qPrintable(QString::number(timer.elapsed())));
        receiver.pty.write("late", 4);

        // Bytes waiting: true, with the rest of the buffer zero.
        QVERIFY(WaitUntilWaiting(receiver.pty, 4));
        std::memset(dlg.units[0].szReply, 'z', REPLY_SIZE);
        QVERIFY(ReadReply(0));
        QCOMPARE(QByteArray(dlg.units[0].szReply, 4), QByteArray("late"));
        QCOMPARE(QByteArray(dlg.units[0].szReply + 4, REPLY_SIZE - 4),
                 QByteArray(REPLY_SIZE - 4, '\0'));

        // Unplugged: sending goes nowhere, and reading finds nothing, at once.
        receiver.pty.close();
        SendQuery(0, 6);
        timer.restart();
        QVERIFY(!ReadReply(0));
        QVERIFY(timer.elapsed() < AT_ONCE_MS);
        CloseCommPorts();
    }

    // A run closes the port it opened even when its box was unticked
    // meanwhile; a port held by another program cannot be opened.
    void portsOfARunAreClosedAndLocked()
    {
        FakeDialog dlg;
        ReceiverOnPort receiver(dlg.portSet, 3);
        OpenPort(dlg, 3, GPS_MFG_MAGELLAN);
        QVERIFY(dlg.messages.empty());
        buildMagellanQuery(dlg.units[3].szQuery);
        SendQuery(3, 21);
        QCOMPARE(ReadAll(receiver.pty, 200), QByteArray("$PMGNCMD,VERSION*28\r\n"));
        dlg.tick(3, false);
        CloseCommPorts();

        QSerialPort other;
        other.setPortName(QString::fromStdString(receiver.pty.deviceName()));
        QVERIFY2(other.open(QIODevice::ReadWrite), "the run left the port open");
        OpenPort(dlg, 3, GPS_MFG_MAGELLAN);
        QVERIFY(!dlg.messages.empty());
        QCOMPARE(dlg.messages.front(), "Could not open com port");
        CloseCommPorts();
    }

    // Every failure of the set-up, as the channel reports it.
    void failureMessages_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("events") << "events" << QStringList{"Problem creating event handle"};
        QTest::newRow("queues") << "queues"
                                << QStringList{
                                       "Problem setting com ports receive and transmit buffers",
                                       "Error: Input/output error"};
        QTest::newRow("get") << "get"
                             << QStringList{"Could not get comm state",
                                            "Error: Input/output error"};
        QTest::newRow("set") << "set"
                             << QStringList{"Could not set comm state",
                                            "Error: Input/output error"};
    }

    void failureMessages()
    {
        QFETCH(QString, step);
        QFETCH(QStringList, messages);
        FakePort port;
        const QByteArray name = step.toLatin1();
        port.failStep = name.constData();
        FakeDialog dlg;
        dlg.attach(0, port);
        OpenPort(dlg, 0, GPS_MFG_GARMIN);
        QCOMPARE(dlg.messages, messages);
        // Only a port whose line settings could not be read or set keeps its own.
        QCOMPARE(port.applied.nBaudRate, step == "get" || step == "set" ? 0 : 9600);
        CloseCommPorts();
        QCOMPARE(port.opened, false);
    }
};

QTEST_GUILESS_MAIN(TestSerial)
#include "tst_serial.moc"
