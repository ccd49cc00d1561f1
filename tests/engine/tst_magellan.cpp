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

// A reply that fills the buffer with a version sentence at its end, whose
// last `cut` bytes did not fit.
QByteArray FullBuffer(int cut)
{
    const QByteArray sentence = Sentence("$PMGNVER,1,2,Z").chopped(2);
    return (QByteArray(REPLY_SIZE - sentence.size() + cut, 'x') + sentence).left(REPLY_SIZE);
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
        // A streaming receiver's sentences around the answer, cut off at
        // either end; no other sentence is an answer, whatever its checksum.
        const QByteArray position = Sentence("$GPGLL,4916.45,N,12311.12,W");
        QTest::newRow("other sentences are no answer")
            << position + Sentence("$PMGNCMD,12,3.10,XL") << 0 << QByteArray();
        QTest::newRow("amid other sentences")
            << "ab\r\n" + position.mid(9) + position + Sentence("$PMGNVER,12,3.10,XL") +
                   position.left(12)
            << 1 << QByteArray("XL Software Version 3.10 (Product ID=12)");
        QTest::newRow("first with a right checksum")
            << QByteArray("$PMGNVER,99,9.99,ZZ*00\r\n") + Sentence("$PMGNVER,12,3.10,XL") << 1
            << QByteArray("XL Software Version 3.10 (Product ID=12)");
        QTest::newRow("cut off before its star")
            << "$PMGNVER,12,3.10,XL\r\n" + position << 0 << QByteArray();
        const QByteArray id(80, '1'), sw(60, '2'), desc(100, 'D');
        QTest::newRow("fields 1 and 2 cut to 49")
            << Sentence("$PMGNVER," + id + "," + sw + "," + desc) << 1
            << desc + " Software Version " + sw.left(49) + " (Product ID=" + id.left(49) + ")";
        QTest::newRow("line cut to its field")
            << Sentence("$PMGNVER,1,2," + QByteArray(220, 'D')) << 1
            << (QByteArray(220, 'D') + " Software Version 2 (Product ID=1)").left(254);
        // Sentence("$PMGNVER,12,3.10,Z") ends in *3C.
        QTest::newRow("lower-case digits")
            << QByteArray("$PMGNVER,12,3.10,Z*3c\r\n") << 0 << QByteArray();
        QTest::newRow("star at the end") << QByteArray("$PMGNVER*") << 0 << QByteArray();
        // A full buffer has no terminator; nothing past its end may count.
        QTest::newRow("digits are the last two bytes")
            << FullBuffer(0) << 1 << QByteArray("Z Software Version 2 (Product ID=1)");
        QTest::newRow("second digit outside the buffer") << FullBuffer(1) << 0 << QByteArray();
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
