// The About box: the ways to open it from the main dialog, what it shows
// and the ways to close it.
#include "aboutdialog.h"
#include "dialoghelpers.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

struct Sighting {
    bool opened = false;
    QString caption;
    QString version;
    QString ok;
    bool okIsDefault = false;
    QWidget* parent = nullptr;
    QSize emblem;
    QPoint centreOffset;
    bool closed = false;
};

enum Closer { ByOk, ByEnter, ByEsc, ByCloseBox };

} // namespace

class TestAboutDialog : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opensAndCloses_data()
    {
        QTest::addColumn<bool>("byButton");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("closer");
        QTest::addColumn<bool>("opens");
        QTest::newRow("button, OK") << true << 0 << int(ByOk) << true;
        QTest::newRow("button, Esc") << true << 0 << int(ByEsc) << true;
        QTest::newRow("F1, Enter") << false << 0 << int(ByEnter) << true;
        QTest::newRow("F1, close box") << false << 0 << int(ByCloseBox) << true;
        QTest::newRow("Shift+F1") << false << int(Qt::ShiftModifier) << int(ByOk) << false;
        QTest::newRow("Ctrl+F1") << false << int(Qt::ControlModifier) << int(ByOk) << false;
        QTest::newRow("Alt+F1") << false << int(Qt::AltModifier) << int(ByOk) << false;
    }

    void opensAndCloses()
    {
        QFETCH(bool, byButton);
        QFETCH(int, modifiers);
        QFETCH(int, closer);
        QFETCH(bool, opens);

        TestDialog dlg;
        g_pTestDialog = &dlg;
        dlg.show();
        QApplication::setActiveWindow(&dlg);
        QVERIFY(QTest::qWaitForWindowActive(&dlg));

        Sighting seen;
        QTimer look;
        connect(&look, &QTimer::timeout, [&] {
            auto* about = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
            if (!about || seen.opened || !about->isVisible())
                return;
            seen.opened = true;
            seen.caption = about->windowTitle();
            if (auto* version = about->findChild<QLabel*>("control1024"))
                seen.version = version->text();
            auto* ok = about->findChild<QPushButton*>("control1");
            if (ok) {
                seen.ok = ok->text();
                seen.okIsDefault = ok->isDefault();
            }
            seen.parent = about->parentWidget();
            if (auto* emblem = about->findChild<QLabel*>("emblem"))
                seen.emblem = emblem->pixmap().size();
            seen.centreOffset = about->geometry().center() - dlg.geometry().center();
            switch (closer) {
            case ByOk:
                if (ok)
                    QTest::mouseClick(ok, Qt::LeftButton);
                break;
            case ByEnter:
                QTest::keyClick(about->focusWidget(), Qt::Key_Return);
                break;
            case ByEsc:
                QTest::keyClick(about->focusWidget(), Qt::Key_Escape);
                break;
            case ByCloseBox:
                about->close();
                break;
            }
            seen.closed = !about->isVisible();
            about->reject(); // never leave the test hanging
        });
        look.start(10);

        if (byButton)
            QTest::mouseClick(Get<QPushButton>(dlg, IDC_ABOUT), Qt::LeftButton);
        else
            QTest::keyClick(dlg.focusWidget(), Qt::Key_F1, Qt::KeyboardModifiers(modifiers));
        g_pTestDialog = nullptr;

        QCOMPARE(seen.opened, opens);
        if (!opens)
            return;
        QCOMPARE(seen.caption, QStringLiteral("About Dunmerrow"));
        QCOMPARE(seen.version, QStringLiteral("Dunmerrow Version 0.01 Alpha"));
        QCOMPARE(seen.ok, QStringLiteral("OK"));
        QVERIFY(seen.okIsDefault);
        QCOMPARE(seen.parent, &dlg);
        QCOMPARE(seen.emblem, QSize(72, 72));
        QVERIFY2(
            qAbs(seen.centreOffset.x()) <= 1 && qAbs(seen.centreOffset.y()) <= 1,
            qPrintable(
                QStringLiteral("%1,%2").arg(seen.centreOffset.x()).arg(seen.centreOffset.y())));
        QVERIFY(seen.closed);
        // Built for each opening and gone once closed; the main dialog stays.
        QVERIFY(dlg.findChildren<AboutDialog*>().isEmpty());
        QVERIFY(dlg.isVisible());
    }
};

QTEST_MAIN(TestAboutDialog)
#include "tst_aboutdialog.moc"
