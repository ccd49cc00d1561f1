#include "dunmerrow_version.h"

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QtTest>

namespace {
constexpr QImage::Format premultiplied = QImage::Format_ARGB32_Premultiplied;
}

// The pictures and texts the program takes from its resources, checked as
// the program will see them: through the resource paths, decoded by Qt.
class TestResources : public QObject {
    Q_OBJECT

private slots:
    void lamps_data();
    void lamps();
    void pictures_data();
    void pictures();
    void iconReportsItsSizes();
    void aboutMenuText();
    void windowsIconMatchesPngs_data();
    void windowsIconMatchesPngs();
    void versionText();
};

void TestResources::lamps_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("green") << ":/images/lamp-green.png" << QColor(0, 255, 0);
    QTest::newRow("gray") << ":/images/lamp-gray.png" << QColor(128, 128, 128);
}

// The lamps are solid squares in exact colours: any shading, border or
// transparency would make the lit and dark lamps harder to tell apart.
void TestResources::lamps()
{
    QFETCH(QString, path);
    QFETCH(QColor, colour);
    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), QSize(13, 13));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != colour.rgba())
                QFAIL(qPrintable(
                    QString("pixel %1,%2 is %3")
                        .arg(x)
                        .arg(y)
                        .arg(QColor::fromRgba(image.pixel(x, y)).name(QColor::HexArgb))));
        }
    }
}

void TestResources::pictures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("size");
    QTest::newRow("icon 16") << ":/icons/dunmerrow-16.png" << 16;
    QTest::newRow("icon 32") << ":/icons/dunmerrow-32.png" << 32;
    QTest::newRow("icon 48") << ":/icons/dunmerrow-48.png" << 48;
    QTest::newRow("emblem") << ":/images/emblem.png" << 72;
}

// Square at their nominal size, with a see-through corner and a solid
// middle: a picture that lost its alpha channel, or drew nothing, fails.
void TestResources::pictures()
{
    QFETCH(QString, path);
    QFETCH(int, size);
    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), QSize(size, size));
    QVERIFY(image.hasAlphaChannel());
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(size - 1, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
}

void TestResources::iconReportsItsSizes()
{
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addFile(QString(":/icons/dunmerrow-%1.png").arg(size));
    const QList<QSize> sizes = icon.availableSizes();
    QCOMPARE(sizes.size(), 3);
    for (int size : {16, 32, 48}) {
        QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
        // Each size is drawn for itself, so Qt must hand it out unscaled.
        // Pixmaps keep their colours premultiplied, so compare that way.
        const QImage drawn = icon.pixmap(size).toImage().convertToFormat(premultiplied);
        const QImage file =
            QImage(QString(":/icons/dunmerrow-%1.png").arg(size)).convertToFormat(premultiplied);
        QCOMPARE(drawn, file);
    }
}

void TestResources::aboutMenuText()
{
    QFile file(":/strings/about-menu.txt");
    QVERIFY(file.open(QIODevice::ReadOnly));
    // Compared as bytes too: a newline an editor adds would show in the menu.
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes, QByteArray("&About Dunmerrow..."));
    QCOMPARE(QString::fromUtf8(bytes), QStringLiteral("&About Dunmerrow..."));
}

void TestResources::windowsIconMatchesPngs_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("size");
    QTest::newRow("16") << 0 << 16;
    QTest::newRow("32") << 1 << 32;
    QTest::newRow("48") << 2 << 48;
}

// The .ico for Windows is written by our own encoder; reading it back with
// Qt's decoder catches a wrong row order, channel order or mask.
void TestResources::windowsIconMatchesPngs()
{
    QFETCH(int, index);
    QFETCH(int, size);
    // The ico plugin comes with Qt Gui itself, so its absence is a fault.
    QVERIFY(QImageReader::supportedImageFormats().contains("ico"));
    QImageReader reader(QStringLiteral(DUNMERROW_ICO_PATH), "ico");
    QCOMPARE(reader.imageCount(), 3);
    QVERIFY(reader.jumpToImage(index));
    // Qt's decoder premultiplies; compared straight, the rounding differs.
    const QImage fromIco = reader.read().convertToFormat(premultiplied);
    QVERIFY2(!fromIco.isNull(), qPrintable(reader.errorString()));
    const QImage fromPng =
        QImage(QString(":/icons/dunmerrow-%1.png").arg(size)).convertToFormat(premultiplied);
    QCOMPARE(fromIco.size(), QSize(size, size));
    QCOMPARE(fromIco, fromPng);
}

void TestResources::versionText()
{
    QCOMPARE(QStringLiteral(DUNMERROW_ABOUT_VERSION_LINE),
             QStringLiteral("Dunmerrow Version 0.01 Alpha"));
    const QString numbers = QString("%1.%2.%3.%4")
                                .arg(DUNMERROW_VERSION_MAJOR)
                                .arg(DUNMERROW_VERSION_MINOR)
                                .arg(DUNMERROW_VERSION_PATCH)
                                .arg(DUNMERROW_VERSION_TWEAK);
    QCOMPARE(numbers, QStringLiteral(DUNMERROW_VERSION_STRING));
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
