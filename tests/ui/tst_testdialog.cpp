// The main dialog at rest: what initialisation leaves, the layout, the
// enabling rules, the lamps, the keys and the boxes outside a run.
#include "dialoghelpers.h"
#include "dialogunits.h"
#include "messageboxanswerer.h"
#include "serial.h"

#include <cstdio>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QtTest>

namespace {

struct DialogOnTop {
    DialogOnTop() { g_pTestDialog = &dialog; }
    ~DialogOnTop() { g_pTestDialog = nullptr; }
    TestDialog dialog;
};

QList<int> UnitControlIds(int k)
{
    return {IDC_GPS_MFG_BASE + k,    IDC_BATTERY_MAKER_BASE + k, IDC_BATTERY_TYPE_BASE + k,
            IDC_CAPACITY_BASE + k,   IDC_COMMENTS_BASE + k,      IDC_UNIT_LABEL_BASE + k,
            IDC_START_TIME_BASE + k, IDC_LAST_RESPONSE_BASE + k, IDC_ENDURANCE_BASE + k};
}

QStringList Items(const QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items.append(list->itemText(i));
    return items;
}

} // namespace

class TestTestDialog : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void afterInitialisation()
    {
        DialogOnTop top;
        const TestDialog& dlg = top.dialog;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Dunmerrow"));
        QCOMPARE(dlg.windowIcon().availableSizes(),
                 QList<QSize>({QSize(16, 16), QSize(32, 32), QSize(48, 48)}));
        QCOMPARE(dlg.nLampPos, 0);
        QCOMPARE(ButtonStates(dlg), QStringLiteral("SS-"));
        QVERIFY(Enabled(dlg, IDC_ABOUT));
        QCOMPARE(Get<QPushButton>(dlg, IDC_ABOUT)->text(), QStringLiteral("About"));
        QVERIFY(Get<QPushButton>(dlg, IDC_OK)->isDefault());
        QCOMPARE(LampStates(dlg), QStringLiteral("    "));
        QCOMPARE(dlg.focusWidget(), dlg.Control(IDC_PORT_CHECK_BASE));
        for (int k = 0; k < UNIT_COUNT; ++k) {
            QCOMPARE(dlg.bPortEnabled[k], 0);
            QVERIFY(!Get<QCheckBox>(dlg, IDC_PORT_CHECK_BASE + k)->isChecked());
            QVERIFY(Enabled(dlg, IDC_PORT_CHECK_BASE + k));
            for (int nId : UnitControlIds(k))
                QVERIFY2(!Enabled(dlg, nId), qPrintable(QString::number(nId)));
            for (int nId :
                 {IDC_START_TIME_BASE + k, IDC_LAST_RESPONSE_BASE + k, IDC_ENDURANCE_BASE + k})
                QCOMPARE(Get<QLabel>(dlg, nId)->text(), QString());

            const auto* makers = Get<QComboBox>(dlg, IDC_GPS_MFG_BASE + k);
            QCOMPARE(Items(makers), QStringList({"Garmin", "Magellan"}));
            QCOMPARE(makers->currentText(), QStringLiteral("Garmin"));
            QVERIFY(!makers->isEditable());
            const auto* types = Get<QComboBox>(dlg, IDC_BATTERY_TYPE_BASE + k);
            QCOMPARE(Items(types), QStringList({"Alkaline", "Heavy duty", "Li-ion", "Ni-Cd",
                                                "Ni-MH", "Regular"}));
            QCOMPARE(types->currentText(), QStringLiteral("Ni-MH"));
            QVERIFY(!types->isEditable());
            for (int nId :
                 {IDC_BATTERY_MAKER_BASE + k, IDC_CAPACITY_BASE + k, IDC_COMMENTS_BASE + k}) {
                const auto* edit = Get<QLineEdit>(dlg, nId);
                QCOMPARE(edit->text(), QString());
                QCOMPARE(edit->maxLength(), QLineEdit().maxLength());
            }
        }
    }

    // Tab walks the unit rows column by column, then the buttons; nothing
    // else takes the focus.
    void tabOrder()
    {
        DialogOnTop top;
        TestDialog& dlg = top.dialog;
        QList<int> order;
        for (int k = 0; k < UNIT_COUNT; ++k) {
            order << IDC_PORT_CHECK_BASE + k << IDC_GPS_MFG_BASE + k << IDC_BATTERY_MAKER_BASE + k
                  << IDC_BATTERY_TYPE_BASE + k << IDC_CAPACITY_BASE + k << IDC_COMMENTS_BASE + k;
            Click(dlg, IDC_PORT_CHECK_BASE + k);
        }
        order << IDC_START_TEST << IDC_OK << IDC_CANCEL << IDC_ABOUT;
        // Tab passes over disabled controls; here every tab stop takes part.
        Get<QPushButton>(dlg, IDC_CANCEL)->setEnabled(true);

        dlg.show();
        QApplication::setActiveWindow(&dlg);
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.Control(order.first())->setFocus();
        QList<int> visited;
        QList<int> expected;
        for (int i = 0; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->property("controlId").toInt();
            expected << order[(i + 1) % order.size()];
        }
        QCOMPARE(visited, expected);
    }

    void unitRowFollowsItsCheckBox_data()
    {
        QTest::addColumn<int>("k");
        for (int k = 0; k < UNIT_COUNT; ++k)
            QTest::addRow("Com%d", k + 1) << k;
    }

    void unitRowFollowsItsCheckBox()
    {
        QFETCH(int, k);
        DialogOnTop top;
        TestDialog& dlg = top.dialog;
        auto* box = Get<QCheckBox>(dlg, IDC_PORT_CHECK_BASE + k);
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(dlg.bPortEnabled[k], 1);
        for (int j = 0; j < UNIT_COUNT; ++j) {
            for (int nId : UnitControlIds(j))
                QCOMPARE(Enabled(dlg, nId), j == k);
        }
        QCOMPARE(Get<QLabel>(dlg, IDC_UNIT_LABEL_BASE + k)->text(),
                 QStringLiteral("For unit on Com%1").arg(k + 1));

        Get<QLineEdit>(dlg, IDC_BATTERY_MAKER_BASE + k)->setText("Acme");
        Get<QComboBox>(dlg, IDC_GPS_MFG_BASE + k)->setCurrentIndex(1);
        dlg.SetControlText(IDC_ENDURANCE_BASE + k, "06:12:18");

        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(dlg.bPortEnabled[k], 0);
        for (int nId : UnitControlIds(k))
            QVERIFY(!Enabled(dlg, nId));
        QVERIFY(box->isEnabled());
        QCOMPARE(Get<QLineEdit>(dlg, IDC_BATTERY_MAKER_BASE + k)->text(), QStringLiteral("Acme"));
        QCOMPARE(Get<QComboBox>(dlg, IDC_GPS_MFG_BASE + k)->currentText(),
                 QStringLiteral("Magellan"));
        QCOMPARE(Get<QLabel>(dlg, IDC_ENDURANCE_BASE + k)->text(), QStringLiteral("06:12:18"));
    }

    void toolTips_data()
    {
        QTest::addColumn<int>("nId");
        QTest::addColumn<QString>("tip");
        QTest::newRow("Com3") << 1005 << "Enables testing on Com3 when checked.";
        QTest::newRow("GPS maker 4")
            << 1010
            << "Company that made your GPS - only Garmin and Magellan are supported at "
               "this time.";
        QTest::newRow("battery maker 2")
            << 1015 << "Company that made the battery that you are testing.";
        QTest::newRow("capacity 3")
            << 1028 << "What is the battery's milli-Amps per hour(mAh) rating?";
        QTest::newRow("comments 4")
            << 1039 << "Comments about this test - i.e. Model of battery, catalog number, etc.";
        QTest::newRow("Start Test") << 1063 << "Starts testing on the com ports checked above.";
        QTest::newRow("Cancel") << 2 << "Cancels the test in progress.";
        QTest::newRow("OK") << 1 << "";
        QTest::newRow("display") << 1059 << "";
    }

    void toolTips()
    {
        QFETCH(int, nId);
        QFETCH(QString, tip);
        DialogOnTop top;
        QCOMPARE(top.dialog.Control(nId)->toolTip(), tip);
    }

    void windowIsFixedAtItsSize()
    {
        DialogOnTop top;
        const TestDialog& dlg = top.dialog;
        const DialogUnits du(dlg.font());
        QCOMPARE(dlg.size(), du.Size(362, 206));
        QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
        QVERIFY(!(dlg.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(dlg.windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(dlg.font().pointSize(), 8);
    }

    // Every fixed text is whole in its control, in the font the dialog gets.
    void textsFitTheirControls()
    {
        DialogOnTop top;
        TestDialog& dlg = top.dialog;
        // The widest time and endurance the displays normally show.
        for (int k = 0; k < UNIT_COUNT; ++k) {
            dlg.SetControlText(IDC_START_TIME_BASE + k, "Wed Sep 28 23:59:59 2026\n");
            dlg.SetControlText(IDC_LAST_RESPONSE_BASE + k, "Wed Sep 28 23:59:59 2026\n");
            dlg.SetControlText(IDC_ENDURANCE_BASE + k, "100:59:59");
        }
        const QFontMetrics metrics(dlg.font());
        int checked = 0;
        for (QWidget* control : dlg.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QString name = control->objectName();
            int room = control->width();
            int need = 0;
            if (auto* label = qobject_cast<QLabel*>(control)) {
                need = metrics.horizontalAdvance(label->text().trimmed());
                QVERIFY2(metrics.height() <= control->height(), qPrintable(name));
            } else if (auto* frame = qobject_cast<QGroupBox*>(control)) {
                need = metrics.horizontalAdvance(frame->title()) + 2 * metrics.averageCharWidth();
            } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
                need = box->sizeHint().width();
            } else if (auto* button = qobject_cast<QPushButton*>(control)) {
                need = metrics.horizontalAdvance(button->text()) + 8; // the frame
            } else if (auto* list = qobject_cast<QComboBox*>(control)) {
                QStyleOptionComboBox option;
                option.initFrom(list);
                room = list->style()
                           ->subControlRect(QStyle::CC_ComboBox, &option,
                                            QStyle::SC_ComboBoxEditField, list)
                           .width();
                for (const QString& item : Items(list))
                    need = qMax(need, metrics.horizontalAdvance(item));
            } else {
                continue;
            }
            ++checked;
            QVERIFY2(need <= room,
                     qPrintable(QStringLiteral("%1: %2 > %3").arg(name).arg(need).arg(room)));
        }
        QCOMPARE(checked, 44); // headings, labels, displays, frames, boxes, lists, buttons
    }

    void lampSteps_data()
    {
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("lamps");
        QTest::addColumn<int>("pos");
        QTest::newRow("first: all dark") << 1 << "...." << 1;
        QTest::newRow("second: 1064") << 2 << "G..." << 2;
        QTest::newRow("fifth: 1067") << 5 << "...G" << 5;
        QTest::newRow("sixth: 1064 again") << 6 << "G..." << 2;
        QTest::newRow("ninth: 1067 again") << 9 << "...G" << 5;
    }

    void lampSteps()
    {
        QFETCH(int, steps);
        QFETCH(QString, lamps);
        QFETCH(int, pos);
        DialogOnTop top;
        TestDialog& dlg = top.dialog;
        for (int i = 0; i < steps; ++i)
            dlg.StepActivityLights();
        QCOMPARE(LampStates(dlg), lamps);
        QCOMPARE(dlg.nLampPos, pos);
    }

    // The lit lamp shows a 12 x 12 square of the picture, and no more.
    void lampShowsTwelvePixels()
    {
        DialogOnTop top;
        TestDialog& dlg = top.dialog;
        dlg.StepActivityLights();
        dlg.StepActivityLights();
        const int lamp = IDC_LAMP_BASE;
        QVERIFY(Get<LampWidget>(dlg, lamp)->contentsRect().width() > 12);
        QCOMPARE(LampPixel(dlg, lamp, QPoint(0, 0)), LAMP_GREEN);
        QCOMPARE(LampPixel(dlg, lamp, QPoint(11, 11)), LAMP_GREEN);
        QVERIFY(LampPixel(dlg, lamp, QPoint(12, 5)) != LAMP_GREEN);
    }

    void lampPicturesMissing()
    {
        Q_CLEANUP_RESOURCE(dunmerrow_images);
        MessageBoxAnswerer answerer;
        {
            DialogOnTop top;
            top.dialog.StepActivityLights();
            top.dialog.StepActivityLights();
            QCOMPARE(LampStates(top.dialog), QStringLiteral("    "));
        }
        Q_INIT_RESOURCE(dunmerrow_images);
        QCOMPARE(answerer.Texts(),
                 QStringList({"Could not load green bitmap", "Could not load gray bitmap"}));
    }

    // Esc and the close box are the cancel command; they never end the dialog.
    void escAndCloseBoxNeverClose()
    {
        DialogOnTop top;
        TestDialog& dlg = top.dialog;
        dlg.show();
        QTest::keyClick(dlg.Control(IDC_PORT_CHECK_BASE), Qt::Key_Escape);
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.bCancel, 1);
        dlg.bCancel = 0;
        QVERIFY(!dlg.close());
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.bCancel, 1);
        QCOMPARE(ButtonStates(dlg), QStringLiteral("SS-"));
    }

    void enterInEditBoxAsksToExit_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("result");
        QTest::newRow("No keeps the dialog") << int(QMessageBox::No) << -1;
        QTest::newRow("Yes ends it") << int(QMessageBox::Yes) << int(QDialog::Accepted);
    }

    void enterInEditBoxAsksToExit()
    {
        QFETCH(int, answer);
        QFETCH(int, result);
        DialogOnTop top;
        TestDialog& dlg = top.dialog;
        Click(dlg, IDC_PORT_CHECK_BASE + 1);
        auto* edit = Get<QLineEdit>(dlg, IDC_COMMENTS_BASE + 1);
        edit->setText("spare set");
        MessageBoxAnswerer answerer;
        answerer.Queue(QMessageBox::StandardButton(answer));
        // A second Enter after a No, to see the dialog still answers.
        answerer.Queue(QMessageBox::Yes);
        int enters = 0;
        bool pressing = false;
        QTimer enter;
        connect(&enter, &QTimer::timeout, [&] {
            if (pressing || enters >= 2 || answerer.seen.size() != enters)
                return;
            pressing = true;
            ++enters;
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_Return);
            pressing = false;
        });
        enter.start(20);
        const int code = dlg.exec();

        QCOMPARE(answerer.seen.first().text, QStringLiteral("Are you sure you want to exit?"));
        QCOMPARE(answerer.seen.first().icon, QMessageBox::Question);
        QCOMPARE(answerer.seen.first().buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(answerer.seen.first().caption, QCoreApplication::applicationName());
        QCOMPARE(answerer.seen.first().owner, &dlg);
        QCOMPARE(code, int(QDialog::Accepted));
        QCOMPARE(answerer.seen.size(), result == -1 ? 2 : 1);
        QCOMPARE(edit->text(), QStringLiteral("spare set"));
        QCOMPARE(dlg.bPortEnabled[1], 1);
    }

    // The system-error box has no owner and leaves the main window usable,
    // yet the call waits until the box is closed. An OK box, modal to the
    // dialog, shows that a click on a blocked window would go unnoticed.
    void errorBoxLeavesDialogUsable_data()
    {
        QTest::addColumn<bool>("error");
        QTest::newRow("Error box") << true;
        QTest::newRow("OK box") << false;
    }

    void errorBoxLeavesDialogUsable()
    {
        QFETCH(bool, error);
        DialogOnTop top;
        TestDialog& dlg = top.dialog;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        std::snprintf(dlg.szLastError, sizeof dlg.szLastError, "Permission denied");
        bool returned = false;
        bool returnedEarly = true;
        MessageBoxAnswerer answerer;
        answerer.onBox = [&](const MessageBoxAnswerer::Seen&) {
            returnedEarly = returned;
            // Through the window, as the system delivers it, so that a
            // window blocked by a modal box does not get it.
            const QWidget* box = dlg.Control(IDC_PORT_CHECK_BASE + 3);
            QTest::mouseClick(dlg.windowHandle(), Qt::LeftButton, {},
                              box->mapTo(&dlg, QPoint(8, box->height() / 2)));
        };
        if (error)
            ShowLastError();
        else
            dlg.MessageBoxOk("Test completed... all units did not reply");
        returned = true;
        QVERIFY(!returnedEarly);
        QCOMPARE(answerer.seen.size(), 1);
        const MessageBoxAnswerer::Seen& box = answerer.seen.first();
        if (error) {
            QCOMPARE(box.caption, QStringLiteral("Error"));
            QVERIFY(box.text.contains(QStringLiteral("Permission denied")));
            QCOMPARE(box.icon, QMessageBox::Information);
            QCOMPARE(box.owner, nullptr);
            QCOMPARE(box.modality, Qt::NonModal);
            QCOMPARE(dlg.bPortEnabled[3], 1);
        } else {
            QCOMPARE(box.caption, QCoreApplication::applicationName());
            QCOMPARE(box.icon, QMessageBox::Warning);
            QCOMPARE(box.buttons, QMessageBox::Ok);
            QCOMPARE(box.owner, &dlg);
            QCOMPARE(dlg.bPortEnabled[3], 0);
        }
    }
};

QTEST_MAIN(TestTestDialog)
#include "tst_testdialog.moc"
