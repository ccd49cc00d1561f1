#include "dialogunits.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QtTest>

class TestDialogUnits : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // In a face whose letters are all equally wide, the average is that width.
    void averageOfEquallyWideLetters()
    {
        QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        mono.setPointSize(8);
        const QFontMetrics metrics(mono);
        const int width = metrics.horizontalAdvance(QLatin1Char('x'));
        QCOMPARE(metrics.horizontalAdvance(QLatin1Char('W')), width);
        const DialogUnits du(mono);
        QCOMPARE(du.AverageCharWidth(), width);
        QCOMPARE(du.CharHeight(), metrics.height());
        QCOMPARE(du.X(4), width);
        QCOMPARE(du.Y(8), metrics.height());
    }

    void rounding_data()
    {
        QTest::addColumn<int>("units");
        QTest::addColumn<int>("x");                         // with 7 pixels a character
        QTest::addColumn<int>("y");                         // with 13 pixels a line
        QTest::newRow("1") << 1 << 2 << 2;                  // 1.75, 1.625
        QTest::newRow("2: halves round up") << 2 << 4 << 3; // 3.5, 3.25
        QTest::newRow("3") << 3 << 5 << 5;                  // 5.25, 4.875
        QTest::newRow("client width") << 362 << 634 << 588;
        QTest::newRow("client height") << 206 << 361 << 335;
    }

    // Each value is rounded to the nearest pixel on its own, so a width is
    // not the difference of two rounded edges.
    void rounding()
    {
        QFETCH(int, units);
        QFETCH(int, x);
        QFETCH(int, y);
        // A font with an average of 7 and a height of 13 pixels is sought
        // among the sizes of the dialog's face; without one, nothing to check.
        QFont font = DialogUnits::DialogFont();
        for (int pixels = 6; pixels <= 30; ++pixels) {
            font.setPixelSize(pixels);
            const DialogUnits du(font);
            if (du.AverageCharWidth() != 7 || du.CharHeight() != 13)
                continue;
            QCOMPARE(du.X(units), x);
            QCOMPARE(du.Y(units), y);
            QCOMPARE(du.Rect(units, units, units, units), QRect(x, y, x, y));
            return;
        }
        QSKIP("no size of the dialog font measures 7 x 13 pixels");
    }
};

QTEST_MAIN(TestDialogUnits)
#include "tst_dialogunits.moc"
