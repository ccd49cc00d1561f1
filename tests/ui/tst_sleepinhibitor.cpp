// Keeping the computer awake, and shutdown and logout blocked, during a run,
// against a mock logind and a mock desktop portal (python3-dbusmock) on a
// private bus that stands in for both the system and the session bus: the
// inhibitors are taken when Start Test begins a run, held through it and
// let go once the run has ended, completed or cancelled. (A program killed
// mid-run takes its inhibitor along: logind lets go of it with the last
// copy of its file descriptor, which the kernel closes.) (Every other dialog test runs without
// either, and its runs go on.)
#include "controlids.h"
#include "messageboxanswerer.h"
#include "scratchdirectory.h"
#include "scripteddialog.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QMessageBox>
#include <QRegularExpression>
#include <QtTest>

namespace {

const QString LOGIND = QStringLiteral("org.freedesktop.login1");
const QString OURS =
    R"("sleep:idle:shutdown", "tst_sleepinhibitor", "Battery endurance test in progress", "block")";

// The inhibitors logind holds, as QDebug shows its answer: "Argument: (ssssuu)"
// and the strings, for each.
QString inhibitors()
{
    const QDBusMessage call = QDBusMessage::createMethodCall(LOGIND, "/org/freedesktop/login1",
                                                             LOGIND + ".Manager", "ListInhibitors");
    QString listing;
    QDebug(&listing) << QDBusConnection::systemBus().call(call);
    return listing;
}

int inhibitorCount()
{
    return inhibitors().count("Argument: (ssssuu)");
}

// Just ours, as asked for.
bool onlyOurs()
{
    return inhibitorCount() == 1 && inhibitors().contains(OURS);
}

// What the portal was asked, one call a line, as its mock logs them.
const QString PORTAL = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PORTAL_LOG = QStringLiteral("portal.log");
const QString INHIBITED =
    QStringLiteral(R"(Inhibit "" 13 {"reason": "Battery endurance test in progress"})"
                   "\n");
const QString CLOSED = QStringLiteral("Close\n");

QString portalCalls()
{
    QFile log(PORTAL_LOG);
    return log.open(QIODevice::ReadOnly)
               ? QString::fromUtf8(log.readAll())
                     .remove(QRegularExpression("^\\S+ ", QRegularExpression::MultilineOption))
               : QString();
}

// True once the portal has handed out its request, and so answered.
bool portalGranted()
{
    const QDBusMessage call =
        QDBusMessage::createMethodCall(PORTAL, "/org/freedesktop/portal/desktop/request/1",
                                       "org.freedesktop.DBus.Mock", "GetCalls");
    return QDBusConnection::sessionBus().call(call).type() == QDBusMessage::ReplyMessage;
}

// Ticks Com1, starts a run and answers every box, as an operator would,
// after atBox; returns once the run has ended, with the last box's text.
// Receivers answer three polls and fall silent.
QString runTest(ScriptedDialog& dlg, const std::function<void()>& atBox)
{
    for (FakePort& port : dlg.ports) {
        port.answers = 3;
        port.setReply("!", 1);
    }
    MessageBoxAnswerer answerer;
    answerer.onBox = [&](QMessageBox*) { atBox(); };
    clickWidget(dlg.controls().byId(IDC_PORT_CHECK_BASE));
    clickWidget(dlg.controls().byId(IDC_START_TEST));
    return answerer.texts().value(answerer.texts().size() - 1);
}

} // namespace

class TestSleepInhibitor : public QObject {
    Q_OBJECT

    ScratchDirectory m_scratch; // for BATTERY.TXT
    QProcess m_bus;
    QProcess m_logind;
    QProcess m_portal;

private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("dbus-daemon").isEmpty() ||
            QProcess::execute(DBUSMOCK_PYTHON, {"-c", "import dbusmock"}) != 0)
            return QTest::qSkip("needs dbus-daemon and python3-dbusmock", __FILE__, __LINE__);
        // A bus of our own, with the session bus's open rules, stands in
        // for the system bus and the session bus.
        m_bus.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        QVERIFY(m_bus.waitForReadyRead(10000));
        const QByteArray address = m_bus.readLine().trimmed();
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", address);
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        QVERIFY(QDBusConnection::systemBus().isConnected());
        QVERIFY(QDBusConnection::sessionBus().isConnected());
    }

    void heldThroughRun_data()
    {
        QTest::addColumn<int>("cancelAtPump"); // 0: never
        QTest::addColumn<int>("portalDelay");  // seconds before the portal answers
        QTest::addColumn<QString>("lastBox");
        QTest::newRow("completed") << 0 << 0 << "Test completed... all units did not reply";
        QTest::newRow("cancelled") << 35 << 0 << "Test cancelled by user";
        QTest::newRow("portal answers after the run") << 25 << 4 << "Test cancelled by user";
    }

    // Every tenth pump of the run finds our one logind inhibitor and the
    // portal's request not closed; both are let go by the time the box that
    // reports the end of the run waits for the operator, who may not come
    // before morning. A portal that answers only then has its request
    // closed as soon as it has answered.
    void heldThroughRun()
    {
        QFETCH(int, cancelAtPump);
        QFETCH(int, portalDelay);
        startLogind();
        startPortal(portalDelay);
        QCOMPARE(inhibitorCount(), 0);
        ScriptedDialog dlg;
        QString held;
        dlg.onPump = [&](int nPump) {
            // The run's clock is the pumps': it ends long before a portal
            // could answer, unless it waits for the answer here.
            if (nPump == 10 && portalDelay == 0)
                QVERIFY(QTest::qWaitFor(portalGranted, 5000));
            if (nPump % 10 == 0)
                held += onlyOurs() && !portalCalls().contains(CLOSED) ? '+' : '-';
            if (nPump == cancelAtPump)
                clickWidget(dlg.controls().byId(IDC_CANCEL));
        };
        bool releasedAtBox = false;
        const auto noneLeft = [&] {
            return inhibitorCount() == 0 &&
                   (portalDelay > 0 || portalCalls() == INHIBITED + CLOSED);
        };
        QTEST(runTest(dlg, [&] { releasedAtBox = QTest::qWaitFor(noneLeft, 2000); }), "lastBox");
        QVERIFY2(held.size() >= 3 && !held.contains('-'), qPrintable(held));
        QVERIFY(releasedAtBox);
        // A late answer comes after the run, and its request is closed then.
        QCOMPARE(portalCalls().contains(CLOSED), portalDelay == 0);
        QTRY_COMPARE_WITH_TIMEOUT(portalCalls(), INHIBITED + CLOSED, 10000);
    }

private:
    void startLogind()
    {
        m_logind.start(DBUSMOCK_PYTHON, {"-m", "dbusmock", "--template", "logind"});
        QTRY_VERIFY_WITH_TIMEOUT(
            QDBusConnection::systemBus().interface()->isServiceRegistered(LOGIND), 20000);
    }

    // A portal of its own for each case, with an empty log.
    void startPortal(int delay)
    {
        const auto registered = [] {
            return QDBusConnection::sessionBus().interface()->isServiceRegistered(PORTAL).value();
        };
        m_portal.kill();
        m_portal.waitForFinished();
        QTRY_VERIFY(!registered());
        QFile::remove(PORTAL_LOG);
        m_portal.start(DBUSMOCK_PYTHON, {"-m", "dbusmock", "--template", PORTAL_MOCK, "--logfile",
                                         PORTAL_LOG, "-p", QString(R"({"delay": %1})").arg(delay)});
        QTRY_VERIFY_WITH_TIMEOUT(registered(), 20000);
    }
};

QTEST_MAIN(TestSleepInhibitor)
#include "tst_sleepinhibitor.moc"
