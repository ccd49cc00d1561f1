// The main dialog, driven through its real widgets: what
// initialisation leaves, the enabling rules, the lamps, the keys and boxes,
// an operator's session against scripted receivers on a fast clock. Every
// button and box gets real input, through the window system.
#include "dialoghelpers.h"
#include "fakeport.h"
#include "messageboxanswerer.h"
#include "scratchdirectory.h"
#include "scripteddialog.h"

#include <csignal>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

namespace {

const QString EXIT = "Are you sure you want to exit?";
// The controls of a unit's row that its check box enables.
const int ROW_BASES[] = {IDC_GPS_MFG_BASE,    IDC_BATTERY_MAKER_BASE, IDC_BATTERY_TYPE_BASE,
                         IDC_CAPACITY_BASE,   IDC_COMMENTS_BASE,      IDC_UNIT_LABEL_BASE,
                         IDC_START_TIME_BASE, IDC_LAST_RESPONSE_BASE, IDC_ENDURANCE_BASE};

} // namespace

class TestTestDialog : public QObject {
    Q_OBJECT

    ScratchDirectory m_scratch; // a completed run appends to BATTERY.TXT here

private Q_SLOTS:

    // Every port unticked, its row greyed out with empty displays and the
    // lists at their defaults; lamps blank, Cancel off, the focus on Com1.
    // Ticking a box enables that row's nine controls and no others;
    // unticking greys them again, and they keep what they hold. Tab then
    // walks the rows column by column, then the buttons.
    void initialStateAndTabOrder()
    {
        ScriptedDialog dlg;
        QCOMPARE(buttonStates(dlg), "SS-");
        QCOMPARE(lampStates(dlg), "    ");
        QCOMPARE(dlg.focusWidget(), dlg.controls().byId(IDC_PORT_CHECK_BASE));
        dlg.show();
        QApplication::setActiveWindow(&dlg);
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QList<int> order;
        for (int k = 0; k < UNIT_COUNT; ++k) {
            QVERIFY(!get<QAbstractButton>(dlg, IDC_PORT_CHECK_BASE + k)->isChecked());
            for (int base : {IDC_START_TIME_BASE, IDC_LAST_RESPONSE_BASE, IDC_ENDURANCE_BASE})
                QCOMPARE(get<QLabel>(dlg, base + k)->text(), "");
            QCOMPARE(get<QComboBox>(dlg, IDC_GPS_MFG_BASE + k)->currentText(), "Garmin");
            for (int base : {IDC_PORT_CHECK_BASE, IDC_GPS_MFG_BASE, IDC_BATTERY_MAKER_BASE,
                             IDC_BATTERY_TYPE_BASE, IDC_CAPACITY_BASE, IDC_COMMENTS_BASE})
                order << base + k;
            get<QLineEdit>(dlg, IDC_BATTERY_MAKER_BASE + k)->setText("Acme");
            for (int ticks : {1, 2, 3}) {
                click(dlg, IDC_PORT_CHECK_BASE + k);
                QCOMPARE(dlg.bPortEnabled[k], ticks % 2);
                for (int j = 0; j < UNIT_COUNT; ++j) {
                    for (int base : ROW_BASES)
                        QCOMPARE(get(dlg, base + j)->isEnabled(), j <= k && (j < k || ticks != 2));
                }
            }
            QCOMPARE(get<QLineEdit>(dlg, IDC_BATTERY_MAKER_BASE + k)->text(), "Acme");
        }
        order << IDC_START_TEST << IDC_OK << IDC_CANCEL << IDC_ABOUT << IDC_PORT_CHECK_BASE;
        get(dlg, IDC_CANCEL)->setEnabled(true); // Tab passes over disabled controls
        get(dlg, IDC_PORT_CHECK_BASE)->setFocus();
        for (int nId : order.mid(1)) {
            pressKey(&dlg, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), dlg.controls().byId(nId));
        }
    }

    // At rest neither Esc nor the close box ends the dialog. Enter in an edit box asks the exit
    // question, and No keeps everything as it was.
    void keysAtRest()
    {
        ScriptedDialog dlg;
        click(dlg, IDC_PORT_CHECK_BASE + 1);
        auto* edit = get<QLineEdit>(dlg, IDC_COMMENTS_BASE + 1);
        edit->setText("spare set");
        QApplication::setActiveWindow(&dlg);
        edit->setFocus();
        pressKey(&dlg, Qt::Key_Escape);
        QVERIFY(!dlg.close());
        MessageBoxAnswerer answerer;
        answerer.answer = QMessageBox::No;
        pressKey(&dlg, Qt::Key_Return);
        QCOMPARE(answerer.texts(), QStringList{EXIT});
        QVERIFY(dlg.isVisible());
        QCOMPARE(edit->text(), "spare set");
        QCOMPARE(dlg.bPortEnabled[1], 1);
    }

    // The system-error box has no owner and is not modal, so the main
    // dialog stays usable; the call returns once the box is answered.
    void errorBoxLeavesDialogUsable()
    {
        ScriptedDialog dlg;
        MessageBoxAnswerer answerer;
        answerer.onBox = [](QMessageBox* box) {
            QCOMPARE(box->parentWidget(), nullptr);
            QCOMPARE(box->windowModality(), Qt::NonModal);
        };
        dlg.ErrorBox("Permission denied");
        QCOMPARE(answerer.texts(), QStringList{"Permission denied"});
    }

    // "Start Test" with no port ticked only says so. Then with Com1 and
    // Com3, both "Garmin": both advisories before any query, then polling.
    // Running ("--S"), Esc and Enter on the focused Cancel button do not
    // cancel; Cancel is requested ("-SS"), and Yes to the exit question
    // hides the window at once, but the dialog ends only once the run has
    // returned, back in Idle ("SS-").
    void operatorSession()
    {
        ScriptedDialog dlg;
        dlg.show();
        MessageBoxAnswerer answerer;
        // The buttons and Com1's queries at each box, and mid-run the lamps
        // too: set-up darkens them all, the first cycle lights the first.
        QStringList states;
        answerer.onBox = [&](QMessageBox*) {
            states << buttonStates(dlg) + QString::number(dlg.ports[0].writes);
        };
        click(dlg, IDC_START_TEST);
        QCOMPARE(lampStates(dlg) + QString::number(dlg.ports[0].opens), "    0");
        click(dlg, IDC_PORT_CHECK_BASE + 0);
        click(dlg, IDC_PORT_CHECK_BASE + 2);
        QWidget* cancel = dlg.controls().byId(IDC_CANCEL);
        bool bHiddenAtOnce = false;
        dlg.onPump = [&](int nPump) {
            if (nPump == 2) {
                cancel->setFocus();
                pressKey(&dlg, Qt::Key_Return);
                pressKey(&dlg, Qt::Key_Escape);
            } else if (nPump == 3) {
                states << buttonStates(dlg) + QString::number(dlg.ports[0].writes) +
                              lampStates(dlg);
                clickWidget(cancel);
                click(dlg, IDC_OK);
                bHiddenAtOnce = !dlg.isVisible();
            }
        };
        QList<int> boxesWhenFinished;
        connect(&dlg, &QDialog::finished, [&] { boxesWhenFinished << answerer.texts().size(); });
        click(dlg, IDC_START_TEST);
        QCOMPARE(boxesWhenFinished, QList<int>{5});
        QCOMPARE(answerer.texts(),
                 QStringList({"Please select a com port before testing.",
                              "If you are testing a Magellan, please set the baud rate to 4800 "
                              "and message type to NEMA V2.x",
                              "If you are testing a Garmin, please set the Interface I/O type "
                              "to Garmin",
                              EXIT, "Test cancelled by user"}));
        QCOMPARE(states, QStringList({"SS-0", "--S0", "--S0", "--S1G...", "-SS1", "-SS1"}));
        QVERIFY(bHiddenAtOnce);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(buttonStates(dlg), "SS-");
        // What the run showed stays on screen; the lamps go dark.
        QVERIFY(!get<QLabel>(dlg, IDC_START_TIME_BASE)->text().isEmpty());
        QCOMPARE(lampStates(dlg), "....");
    }

#ifdef Q_OS_UNIX
    // SIGTERM while a box of the run is up (a bad acknowledgement from COM1,
    // which goes on answering): the box goes away by itself, and the dialog
    // ends without the completion box.
    void endRequestedBySystem()
    {
        ScriptedDialog dlg;
        QSignalSpy finished(&dlg, &QDialog::finished);
        click(dlg, IDC_PORT_CHECK_BASE + 0);
        click(dlg, IDC_PORT_CHECK_BASE + 1);
        dlg.ports[0].setReply("\x10\x06\x00\x00\x10\x03", 6);
        dlg.ports[0].answers = -1;
        MessageBoxAnswerer answerer;
        answerer.onBox = [](QMessageBox* box) {
            if (box->text().startsWith("Bad Checksum") && std::raise(SIGTERM) == 0) {
                QCoreApplication::processEvents();
                QVERIFY(!box->isVisible());
            }
        };
        click(dlg, IDC_START_TEST);
        QCOMPARE(finished.count(), 1);
        QVERIFY(!answerer.texts().contains("Test completed... all units did not reply"));
        QVERIFY(QFile::remove("BATTERY.TXT"));
    }
#endif
};

QTEST_MAIN(TestTestDialog)
#include "tst_testdialog.moc"
