#include "fakedialog.h"
#include "magellan.h"
#include "replybuffer.h"

#include <cstring>
#include <QtTest>

namespace {

// A well-formed sentence with its checksum, computed here independently.
QByteArray Sentence(const QByteArray& body)
{
    unsigned char sum = 0;
    for (int i = 1; i < body.size(); ++i)
        sum ^= static_cast<unsigned char>(body[i]);
    return body + "*" + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper() + "\r\n";
}

// A reply that fills all 255 bytes, its "*" at the given offset.
QByteArray FullBuffer(int starAt)
{
    const QByteArray body = "$P,1,2,";
    return Sentence(body + QByteArray(starAt - body.size(), 'x')).left(REPLY_SIZE);
}

} // namespace

class TestMagellan : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void query()
    {
        char query[QUERY_SIZE] = {};
        BuildMagellanQuery(query);
        QCOMPARE(QByteArray(query), QByteArray("$PMGNCMD,VERSION*28\r\n"));
        char small[32] = "$AB"; // 0x41 ^ 0x42 = 0x03: still two digits
        AppendNmeaChecksum(small);
        QCOMPARE(QByteArray(small), QByteArray("$AB*03\r\n"));
    }

    void checkReply_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("result");
        QTest::addColumn<QByteArray>("version");

        QTest::newRow("version reply") << Sentence("$PMGNVER,12,3.10,XL") << 1
                                       << QByteArray("XL Software Version 3.10 (Product ID=12)");
        QTest::newRow("field 3 missing") << Sentence("$PMGNVER,12,3.10") << 1
                                         << QByteArray(" Software Version 3.10 (Product ID=12)");
        QTest::newRow("empty field shifts the rest")
            << Sentence("$PMGNVER,12,,XL") << 1
            << QByteArray(" Software Version XL (Product ID=12)");
        QTest::newRow("any sentence is accepted")
            << Sentence("$GPGLL,4916.45,N,12311.12,W") << 1
            << QByteArray("12311.12 Software Version N (Product ID=4916.45)");
        const QByteArray id(80, '1'), sw(60, '2'), desc(100, 'D');
        QTest::newRow("fields 1 and 2 cut to 49")
            << Sentence("$P," + id + "," + sw + "," + desc) << 1
            << desc + " Software Version " + sw.left(49) + " (Product ID=" + id.left(49) + ")";
        QTest::newRow("line cut to its field")
            << Sentence("$P,1,2," + QByteArray(220, 'D')) << 1
            << (QByteArray(220, 'D') + " Software Version 2 (Product ID=1)").left(254);
        // Sentence("$PMGNVER,12,3.10,Z") ends in *3C.
        QTest::newRow("lower-case digits")
            << QByteArray("$PMGNVER,12,3.10,Z*3c\r\n") << 0 << QByteArray();
        QTest::newRow("no star") << QByteArray("$PMGNVER,12,3.10,XL\r\n") << 0 << QByteArray();
        QTest::newRow("mid-sentence")
            << Sentence("$PMGNVER,12,3.10,XL").mid(5) << 0 << QByteArray();
        QTest::newRow("only stars") << QByteArray("***") << 0 << QByteArray();
        QTest::newRow("star at the end") << QByteArray("$PMGNVER*") << 0 << QByteArray();
        // A full buffer has no terminator; nothing past byte 255 may count.
        QTest::newRow("digits are the last two bytes")
            << FullBuffer(252) << 1
            << (QByteArray(245, 'x') + " Software Version 2 (Product ID=1)").left(254);
        QTest::newRow("second digit outside the buffer") << FullBuffer(253) << 0 << QByteArray();
        QTest::newRow("no star in a full buffer")
            << QByteArray(REPLY_SIZE, 'x') << 0 << QByteArray();
    }

    void checkReply()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, result);
        QFETCH(QByteArray, version);
        FakeDialog dlg;
        dlg.units[2].eMfg = GPS_MFG_MAGELLAN;
        QCOMPARE(CheckMagellanReply(2, ReplyBuffer(reply).get()), result);
        QCOMPARE(QByteArray(dlg.units[2].szVersion), version);
        QVERIFY(dlg.messages.empty());
    }

    void firstVerifiedTextStays()
    {
        FakeDialog dlg;
        dlg.units[0].eMfg = GPS_MFG_MAGELLAN;
        QCOMPARE(CheckMagellanReply(0, ReplyBuffer(Sentence("$PMGNVER,12,3.10,XL")).get()), 1);
        QCOMPARE(CheckMagellanReply(0, ReplyBuffer(Sentence("$PMGNVER,99,9.99,ZZ")).get()), 1);
        QCOMPARE(dlg.units[0].szVersion, "XL Software Version 3.10 (Product ID=12)");
    }
};

QTEST_GUILESS_MAIN(TestMagellan)
#include "tst_magellan.moc"
