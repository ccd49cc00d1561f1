// The pictures the program takes from its resources, checked as it sees
// them: through the resource paths, decoded by Qt. The lamps' colours are
// what tst_testdialog reads off the screen.
#include <QImageReader>
#include <QtTest>

class TestResources : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The .ico for Windows comes from our own encoder; Qt's decoder reading
    // back each size catches a wrong row order, channel order or mask.
    void windowsIconMatchesPngs()
    {
        QImageReader reader(QStringLiteral(DUNMERROW_ICO_PATH), "ico");
        QCOMPARE(reader.imageCount(), 3);
        int index = 0;
        for (int size : {16, 32, 48}) {
            const QString png = QString(":/icons/dunmerrow-%1.png").arg(size);
            QVERIFY(reader.jumpToImage(index++));
            // Qt's ico decoder premultiplies; compared straight, rounding differs.
            QCOMPARE(reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                     QImage(png).convertToFormat(QImage::Format_ARGB32_Premultiplied));
        }
    }
};

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
