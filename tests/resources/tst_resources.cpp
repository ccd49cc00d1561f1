// The pictures the program takes from its resources, checked as it sees
// them: through the resource paths, decoded by Qt.
#include <QImageReader>
#include <QtTest>

class TestResources : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pictures_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("size");
        QTest::addColumn<QColor>("solid");
        QTest::newRow("lit lamp") << ":/images/lamp-green.png" << 13 << QColor(0, 255, 0);
        QTest::newRow("dark lamp") << ":/images/lamp-gray.png" << 13 << QColor(128, 128, 128);
        for (int size : {16, 32, 48})
            QTest::addRow("icon %d", size)
                << QString(":/icons/dunmerrow-%1.png").arg(size) << size << QColor();
        QTest::newRow("emblem") << ":/images/emblem.png" << 72 << QColor();
    }

    // A lamp is a solid square in its exact colour, so that lit and dark are
    // easy to tell apart. Every other picture has a see-through corner and a
    // solid middle, which one that lost its alpha channel or drew nothing
    // has not.
    void pictures()
    {
        QFETCH(QString, path);
        QFETCH(int, size);
        QFETCH(QColor, solid);
        const QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(size, size));
        if (solid.isValid()) {
            QImage expected(size, size, QImage::Format_ARGB32);
            expected.fill(solid);
            QCOMPARE(image, expected);
        } else {
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
            QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
        }
    }

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
