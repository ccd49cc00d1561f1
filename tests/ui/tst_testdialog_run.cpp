// The main dialog around a run: starting, the button states, cancelling,
// the keys that must not end a test, the About box mid-run and leaving
// while a cancelled run is still ending. The receivers are scripted and the
// clock is fast; the widgets, boxes and event handling are the real ones.
#include "dialoghelpers.h"
#include "hexbytes.h"
#include "messageboxanswerer.h"
#include "scripteddialog.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString NO_PORT = QStringLiteral("Please select a com port before testing.");
const QString MAGELLAN_ADVISORY = QStringLiteral(
    "If you are testing a Magellan, please set the baud rate to 4800 and message type to NEMA "
    "V2.x");
const QString GARMIN_ADVISORY =
    QStringLiteral("If you are testing a Garmin, please set the Interface I/O type to Garmin");
const QString COMPLETED = QStringLiteral("Test completed... all units did not reply");
const QString CANCELLED = QStringLiteral("Test cancelled by user");

// A receiver that answers every read, or the first `answers` of them.
void Answering(FakePort& port, int answers)
{
    const QByteArray ack = Hex("10 06 02 FE 00 FA 10 03");
    port.SetReply(ack.constData(), int(ack.size()));
    port.nAnswers = answers;
}

} // namespace

class TestTestDialogRun : public QObject {
    Q_OBJECT

private:
    // A completed run appends to BATTERY.TXT in the current directory.
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase() { QVERIFY(QDir::setCurrent(m_dir.path())); }
    void cleanupTestCase() { QDir::setCurrent(QDir::tempPath()); }

    void startWithoutPortOnlySaysSo()
    {
        ScriptedDialog dlg;
        dlg.bCancel = 1;
        MessageBoxAnswerer answerer;
        Click(dlg, IDC_START_TEST);
        QCOMPARE(answerer.Texts(), QStringList{NO_PORT});
        const MessageBoxAnswerer::Seen& box = answerer.seen.first();
        QCOMPARE(box.caption, QCoreApplication::applicationName());
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.buttons, QMessageBox::Ok);
        QCOMPARE(box.owner, &dlg);
        QCOMPARE(box.modality, Qt::WindowModal);
        QCOMPARE(ButtonStates(dlg), QStringLiteral("SS-"));
        QCOMPARE(dlg.bCancel, 1);
        QCOMPARE(LampStates(dlg), QStringLiteral("    "));
        for (const FakePort& port : dlg.ports)
            QCOMPARE(port.nOpens, 0);
    }

    // Both advisories on every start, whatever the makers, before any query.
    void advisoriesThenPolling()
    {
        ScriptedDialog dlg;
        Click(dlg, IDC_PORT_CHECK_BASE + 0);
        Click(dlg, IDC_PORT_CHECK_BASE + 2);
        Answering(dlg.ports[0], 2);
        Answering(dlg.ports[2], 3);
        MessageBoxAnswerer answerer;
        QStringList statesAtBoxes;
        QList<int> writesAtBoxes;
        answerer.onBox = [&](const MessageBoxAnswerer::Seen&) {
            statesAtBoxes << ButtonStates(dlg);
            writesAtBoxes << dlg.ports[0].nWrites + dlg.ports[2].nWrites;
        };
        Click(dlg, IDC_START_TEST);

        QCOMPARE(answerer.Texts(), QStringList({MAGELLAN_ADVISORY, GARMIN_ADVISORY, COMPLETED}));
        QCOMPARE(statesAtBoxes, QStringList({"--S", "--S", "--S"}));
        QCOMPARE(writesAtBoxes.mid(0, 2), QList<int>({0, 0}));
        // Both set to Garmin: the six-byte product request, once per cycle.
        const QByteArray request = Hex("10 FE 00 02 10 03");
        QCOMPARE(QByteArray(dlg.ports[0].lastWrite, dlg.ports[0].nLastWriteLength), request);
        QCOMPARE(dlg.ports[0].nWrites, 3);
        QCOMPARE(dlg.ports[2].nWrites, 4);
        QCOMPARE(dlg.ports[1].nOpens, 0);
        QCOMPARE(ButtonStates(dlg), QStringLiteral("SS-"));
        QCOMPARE(LampStates(dlg).count(QLatin1Char('G')), 1);
        QVERIFY(Get<QLabel>(dlg, IDC_START_TIME_BASE + 2)->text().endsWith(QLatin1Char('\n')));
        QVERIFY(Get<QLabel>(dlg, IDC_ENDURANCE_BASE + 2)->text().startsWith("00:00:"));
        QCOMPARE(Get<QLabel>(dlg, IDC_START_TIME_BASE + 1)->text(), QString());
    }

    // Running, then Cancel requested, then Idle once the run has returned.
    void buttonStatesThroughCancel()
    {
        ScriptedDialog dlg;
        Click(dlg, IDC_PORT_CHECK_BASE + 1);
        Answering(dlg.ports[1], -1);
        QFile::remove("BATTERY.TXT");
        MessageBoxAnswerer answerer;
        QStringList states;
        dlg.onPump = [&] {
            if (dlg.nPumps == 3) {
                states << ButtonStates(dlg);
                QTest::mouseClick(Get<QPushButton>(dlg, IDC_CANCEL), Qt::LeftButton);
                states << ButtonStates(dlg);
            }
        };
        Click(dlg, IDC_START_TEST);
        QCOMPARE(states, QStringList({"--S", "-SS"}));
        QCOMPARE(answerer.Texts().last(), CANCELLED);
        QCOMPARE(ButtonStates(dlg), QStringLiteral("SS-"));
        QCOMPARE(dlg.bCancel, 1);
        QCOMPARE(LampStates(dlg), QStringLiteral("...."));
        QVERIFY(!QFile::exists("BATTERY.TXT"));
    }

    // No key ends or cancels a run: not Esc, not Enter on the focused Cancel
    // button, not Enter in an edit box; Tab does not move the focus. The
    // run's own message box still answers Enter, and the close box ends the
    // run without closing the dialog.
    void keysDuringRunDoNothing()
    {
        ScriptedDialog dlg;
        Click(dlg, IDC_PORT_CHECK_BASE + 0);
        Answering(dlg.ports[0], -1);
        dlg.show();
        QApplication::setActiveWindow(&dlg);
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        MessageBoxAnswerer answerer;
        answerer.answerByKey = true;
        QWidget* cancel = dlg.Control(IDC_CANCEL);
        QWidget* edit = dlg.Control(IDC_COMMENTS_BASE);
        QList<int> cancelFlags;
        QWidget* focusAfterTab = nullptr;
        int cancelledAt = 0;
        bool closed = true;
        dlg.onPump = [&] {
            switch (dlg.nPumps) {
            case 2:
                QTest::keyClick(dlg.focusWidget(), Qt::Key_Escape);
                QTest::keyClick(&dlg, Qt::Key_Escape);
                cancelFlags << dlg.bCancel;
                break;
            case 3:
                cancel->setFocus();
                QTest::keyClick(cancel, Qt::Key_Return);
                QTest::keyClick(cancel, Qt::Key_Enter, Qt::KeypadModifier);
                cancelFlags << dlg.bCancel;
                break;
            case 4:
                edit->setFocus();
                QTest::keyClick(edit, Qt::Key_Return);
                QTest::keyClick(edit, Qt::Key_Tab);
                focusAfterTab = dlg.focusWidget();
                cancelFlags << dlg.bCancel;
                break;
            case 5:
                closed = dlg.close(); // the close box cancels, as the button does
                cancelledAt = dlg.nPumps;
                break;
            default:
                break;
            }
        };
        QTest::keyClick(edit, Qt::Key_A); // typing works as ever
        Click(dlg, IDC_START_TEST);

        QCOMPARE(cancelFlags, QList<int>({0, 0, 0}));
        QCOMPARE(focusAfterTab, edit);
        QCOMPARE(cancelledAt, 5);
        QVERIFY(!closed);
        QCOMPARE(answerer.Texts(), QStringList({MAGELLAN_ADVISORY, GARMIN_ADVISORY, CANCELLED}));
        QVERIFY(answerer.seen.last().bKeyWorked);
        QVERIFY(dlg.isVisible());
        // Back in Idle the keys are the dialog's again.
        QTest::keyClick(edit, Qt::Key_Tab);
        QVERIFY(dlg.focusWidget() != edit);
    }

    // Yes to the exit question while a cancelled run is ending hides the
    // window at once; the dialog ends only after the run has returned.
    void exitWhileCancelledRunEnds()
    {
        ScriptedDialog dlg;
        Click(dlg, IDC_PORT_CHECK_BASE + 0);
        Answering(dlg.ports[0], -1);
        MessageBoxAnswerer answerer;
        answerer.Queue(QMessageBox::Ok); // advisories
        answerer.Queue(QMessageBox::Ok);
        answerer.Queue(QMessageBox::Yes);
        bool hiddenAtOnce = false;
        bool visibleAtCancelledBox = true;
        answerer.onBox = [&](const MessageBoxAnswerer::Seen& box) {
            if (box.text == CANCELLED)
                visibleAtCancelledBox = dlg.isVisible();
        };
        dlg.onPump = [&] {
            if (dlg.nPumps == 3) {
                Click(dlg, IDC_CANCEL);
                Click(dlg, IDC_OK);
                hiddenAtOnce = !dlg.isVisible();
            }
        };
        // The dialog ends (finished) only once the run is over.
        QStringList textsWhenFinished;
        connect(&dlg, &QDialog::finished, [&] { textsWhenFinished = answerer.Texts(); });
        QTimer::singleShot(0, [&] { Click(dlg, IDC_START_TEST); });
        const int code = dlg.exec();

        QCOMPARE(code, int(QDialog::Accepted));
        QVERIFY(hiddenAtOnce);
        QVERIFY(!visibleAtCancelledBox);
        QCOMPARE(answerer.Texts(), QStringList({MAGELLAN_ADVISORY, GARMIN_ADVISORY,
                                                "Are you sure you want to exit?", CANCELLED}));
        QCOMPARE(textsWhenFinished, answerer.Texts());
        QCOMPARE(dlg.ports[0].nCloses, 1);
    }
};

QTEST_MAIN(TestTestDialogRun)
#include "tst_testdialog_run.moc"
