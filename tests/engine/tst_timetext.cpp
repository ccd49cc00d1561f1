#include "timetext.h"

#include <cstdlib>
#include <cstring>
#include <QtTest>

class TestTimeText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // Fixed zone and a non-English locale: neither may change the text.
        qputenv("TZ", "UTC");
        qputenv("LC_ALL", "de_DE.UTF-8");
        tzset();
    }

    void ctimeText_data()
    {
        QTest::addColumn<qint64>("t");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("day below 10")
            << qint64(1764943402) << QByteArray("Fri Dec 05 14:03:22 2025\n");
        QTest::newRow("epoch") << qint64(0) << QByteArray("Thu Jan 01 00:00:00 1970\n");
        QTest::newRow("after 2038")
            << qint64(2240611200) << QByteArray("Tue Jan 01 00:00:00 2041\n");
        QTest::newRow("leap day") << qint64(1709210096) << QByteArray("Thu Feb 29 12:34:56 2024\n");
    }

    void ctimeText()
    {
        QFETCH(qint64, t);
        QFETCH(QByteArray, text);
        // The displays' line, and the time alone as the log keeps it.
        char line[CTIME_LINE_SIZE];
        std::memset(line, 'x', sizeof line);
        formatCtimeLine(static_cast<std::time_t>(t), line);
        QCOMPARE(QByteArray(line), text);
        char time[CTIME_SIZE];
        std::memset(time, 'x', sizeof time);
        formatCtime(static_cast<std::time_t>(t), time);
        QCOMPARE(QByteArray(time), text.chopped(1));
    }
};

QTEST_GUILESS_MAIN(TestTimeText)
#include "tst_timetext.moc"
