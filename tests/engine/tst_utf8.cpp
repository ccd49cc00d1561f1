// Texts are cut to their fixed fields at a whole UTF-8 character, so that a
// log line never ends in half of one.
#include "utf8.h"

#include <cstring>
#include <QtTest>

class TestUtf8 : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void utf8Cut_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("fits") << QByteArray("Acme") << 5 << QByteArray("Acme");
        QTest::newRow("ascii cut") << QByteArray("Acme") << 3 << QByteArray("Ac");
        // "ü" is two bytes: a cut inside it drops it whole.
        QTest::newRow("two-byte at cut") << QByteArray("ab\xc3\xbc") << 4 << QByteArray("ab");
        QTest::newRow("two-byte fits") << QByteArray("ab\xc3\xbc") << 5 << QByteArray("ab\xc3\xbc");
        // "€" is three bytes.
        QTest::newRow("three-byte at cut") << QByteArray("a\xe2\x82\xac") << 4 << QByteArray("a");
        QTest::newRow("four-byte at cut") << QByteArray("\xf0\x9f\x94\x8b!") << 4 << QByteArray("");
    }

    void utf8Cut()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, capacity);
        QFETCH(QByteArray, expected);
        char buf[16];
        std::memset(buf, 'x', sizeof buf);
        copyUtf8Truncated(buf, capacity, text.constData(), text.size());
        QCOMPARE(QByteArray(buf), expected);
    }
};

QTEST_GUILESS_MAIN(TestUtf8)
#include "tst_utf8.moc"
