// Keeping the computer awake during a run, against a mock logind (from
// python3-dbusmock) on a private bus that stands in for the system bus: the
// inhibitor is taken when Start Test begins a run, held through it and let go
// once the run has ended, completed or cancelled, or the program killed
// mid-run. Without logind the run goes on, and standard error says so once.
#include "controlids.h"
#include "fakeport.h"
#include "testdialog.h"

#include <functional>
#include <QAbstractButton>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString LOGIND = QStringLiteral("org.freedesktop.login1");

// The real dialog with receivers that answer three polls and fall silent,
// and a clock that each event pump moves on by 100 ms.
struct QuickDialog : TestDialog {
    QuickDialog()
    {
        g_pTestDialog = this;
        for (FakePort& port : ports) {
            port.nAnswers = 3;
            port.SetReply("!", 1);
        }
    }
    ~QuickDialog() override { g_pTestDialog = nullptr; }
    void DispatchPendingMessages() override
    {
        TestDialogBase::DispatchPendingMessages();
        onPump(++nPumps);
    }
    std::time_t CurrentTime() override { return nPumps / 10; }
    void Sleep100ms() override
    {
        if (bRealTime)
            TestDialogBase::Sleep100ms();
    }
    SerialDevice& CommDevice(int k) override { return ports[k]; }

    FakePort ports[UNIT_COUNT];
    int nPumps = 0;
    bool bRealTime = false;
    std::function<void(int)> onPump = [](int) {};
};

// The inhibitors logind holds, as "what|who|why|mode".
QStringList Inhibitors()
{
    const QDBusMessage reply = QDBusConnection::systemBus().call(QDBusMessage::createMethodCall(
        LOGIND, "/org/freedesktop/login1", LOGIND + ".Manager", "ListInhibitors"));
    const QDBusArgument list = reply.arguments().value(0).value<QDBusArgument>();
    QStringList inhibitors;
    list.beginArray();
    while (!list.atEnd()) {
        QString what, who, why, mode;
        uint uid, pid;
        list.beginStructure();
        list >> what >> who >> why >> mode >> uid >> pid;
        list.endStructure();
        inhibitors << QStringList{what, who, why, mode}.join('|');
    }
    list.endArray();
    return inhibitors;
}

// Ticks Com1, starts a run and answers every box with Enter, as an operator
// would, after atBox; returns once the run has ended, with the last box's text.
QString RunTest(
    QuickDialog& dlg, const std::function<void()>& atBox = [] {})
{
    QString lastBox;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            answerer.stop(); // atBox may wait, and the box is not to be answered twice
            lastBox = box->text();
            atBox();
            QTest::keyClick(box, Qt::Key_Return);
            answerer.start();
        }
    });
    answerer.start(5);
    dlg.show();
    QTest::mouseClick(dlg.Control(IDC_PORT_CHECK_BASE), Qt::LeftButton);
    QTest::mouseClick(dlg.Control(IDC_START_TEST), Qt::LeftButton);
    return lastBox;
}

const QString RUN_UNTIL_KILLED = QStringLiteral("--run-until-killed");

// The child of releasedWhenKilled: a run whose receivers never fall silent.
int RunUntilKilled()
{
    QuickDialog dlg;
    dlg.bRealTime = true;
    for (FakePort& port : dlg.ports)
        port.nAnswers = -1;
    RunTest(dlg);
    return 1;
}

} // namespace

class TestSleepInhibitor : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir; // the bus's socket, and BATTERY.TXT
    QProcess m_bus;
    QProcess m_logind;

private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("dbus-daemon").isEmpty())
            QSKIP("dbus-daemon is not installed");
        if (QProcess::execute(DBUSMOCK_PYTHON, {"-c", "import dbusmock"}) != 0)
            QSKIP("python3-dbusmock is not installed");
        QVERIFY(QDir::setCurrent(m_dir.path()));
        QFile config("bus.conf");
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write("<busconfig><listen>unix:dir=" + m_dir.path().toUtf8() +
                     "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                     "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                     "<allow own=\"*\"/></policy></busconfig>");
        config.close();
        m_bus.start("dbus-daemon", {"--config-file=bus.conf", "--nofork", "--print-address"});
        QVERIFY(m_bus.waitForReadyRead(10000));
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", m_bus.readLine().trimmed());
        QVERIFY(QDBusConnection::systemBus().isConnected());
    }

    // No logind on the bus: one line on standard error for the first run,
    // none for the next, and both runs complete.
    void withoutLogind()
    {
        QuickDialog first;
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("^tst_sleepinhibitor: cannot keep the computer "
                                                "awake during the test \\(no answer from logind"));
        QCOMPARE(RunTest(first), "Test completed... all units did not reply");
        QTest::failOnWarning(QRegularExpression("awake"));
        QuickDialog second;
        QCOMPARE(RunTest(second), "Test completed... all units did not reply");
    }

    void heldThroughRun_data()
    {
        QTest::addColumn<int>("cancelAtPump"); // 0: never
        QTest::addColumn<QString>("lastBox");
        QTest::newRow("completed") << 0 << "Test completed... all units did not reply";
        QTest::newRow("cancelled") << 35 << "Test cancelled by user";
    }

    // Every tenth pump of the run finds our one inhibitor; none is left
    // by the time the box that reports the end of the run waits for the
    // operator, who may not come before morning.
    void heldThroughRun()
    {
        QFETCH(int, cancelAtPump);
        startLogind();
        QCOMPARE(Inhibitors(), QStringList());
        QuickDialog dlg;
        QString held;
        dlg.onPump = [&](int nPump) {
            if (nPump % 10 == 0)
                held += Inhibitors() == ours ? '+' : '-';
            if (nPump == cancelAtPump)
                QTest::mouseClick(dlg.Control(IDC_CANCEL), Qt::LeftButton);
        };
        bool releasedAtBox = false;
        QTEST(RunTest(dlg,
                      [&] {
                          releasedAtBox =
                              QTest::qWaitFor([] { return Inhibitors().isEmpty(); }, 2000);
                      }),
              "lastBox");
        QVERIFY2(held.size() >= 3 && !held.contains('-'), qPrintable(held));
        QVERIFY(releasedAtBox);
    }

    // SIGTERM in the middle of a run: nothing of ours outlives the program.
    void releasedWhenKilled()
    {
        startLogind();
        QCOMPARE(Inhibitors(), QStringList());
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {RUN_UNTIL_KILLED});
        QTRY_COMPARE_WITH_TIMEOUT(Inhibitors(), ours, 10000);
        QCOMPARE(child.state(), QProcess::Running);
        child.terminate();
        QVERIFY(child.waitForFinished(5000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        QTRY_COMPARE(Inhibitors(), QStringList());
    }

private:
    void startLogind()
    {
        if (m_logind.state() != QProcess::NotRunning)
            return;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DBUS_SYSTEM_BUS_ADDRESS",
                           qEnvironmentVariable("DBUS_SYSTEM_BUS_ADDRESS"));
        m_logind.setProcessEnvironment(environment);
        m_logind.start(DBUSMOCK_PYTHON, {"-m", "dbusmock", "--template", "logind"});
        QTRY_VERIFY_WITH_TIMEOUT(
            QDBusConnection::systemBus().interface()->isServiceRegistered(LOGIND), 20000);
    }

    const QStringList ours{
        "sleep:idle|tst_sleepinhibitor|Battery endurance test in progress|block"};
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (app.arguments().value(1) == RUN_UNTIL_KILLED)
        return RunUntilKilled();
    TestSleepInhibitor test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_sleepinhibitor.moc"
