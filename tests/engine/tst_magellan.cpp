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
        buildMagellanQuery(query);
        QCOMPARE(QByteArray(query), QByteArray("$PMGNCMD,VERSION*28\r\n"));
        char small[32] = "$AB"; // 0x41 ^ 0x42 = 0x03: still two digits
        AppendNmeaChecksum(small);
        QCOMPARE(QByteArray(small), QByteArray("$AB*03\r\n"));
    }

    // The sentence found, without its "*" and what follows; empty for none.
    void scan_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QByteArray>("sentence");
        const QByteArray xl = "$PMGNVER,12,3.10,XL";
        QTest::newRow("version reply") << Sentence(xl) << xl;
        // A streaming receiver's sentences around the answer, cut off at
        // either end; no other sentence is an answer, whatever its checksum.
        const QByteArray position = Sentence("$GPGLL,4916.45,N,12311.12,W");
        QTest::newRow("other sentences are no answer")
            << position + Sentence("$PMGNCMD,12,3.10,XL") << QByteArray();
        QTest::newRow("amid other sentences")
            << "ab\r\n" + position.mid(9) + position + Sentence(xl) + position.left(12) << xl;
        QTest::newRow("first with a right checksum")
            << QByteArray("$PMGNVER,99,9.99,ZZ*00\r\n") + Sentence(xl) << xl;
        QTest::newRow("cut off before its star") << xl + "\r\n" + position << QByteArray();
        // Sentence("$PMGNVER,12,3.10,Z") ends in *3C.
        QTest::newRow("lower-case digits")
            << QByteArray("$PMGNVER,12,3.10,Z*3c\r\n") << QByteArray();
        QTest::newRow("star at the end") << QByteArray("$PMGNVER*") << QByteArray();
        // A full buffer has no terminator; nothing past its end may count.
        QTest::newRow("digits are the last two bytes")
            << FullBuffer(0) << QByteArray("$PMGNVER,1,2,Z");
        QTest::newRow("second digit outside the buffer") << FullBuffer(1) << QByteArray();
        QTest::newRow("no star in a full buffer") << QByteArray(REPLY_SIZE, 'x') << QByteArray();
    }

    void scan()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QByteArray, sentence);
        const auto buf = replyBuffer(reply);
        const MagellanVersionSentence found = scanMagellanReply(buf.get(), REPLY_SIZE);
        QCOMPARE(found.start < 0 ? QByteArray()
                                 : QByteArray(buf.get() + found.start, found.star - found.start),
                 sentence);
    }

    void version_data()
    {
        QTest::addColumn<QByteArray>("sentence");
        QTest::addColumn<QByteArray>("version");
        QTest::newRow("all fields") << QByteArray("$PMGNVER,12,3.10,XL")
                                    << QByteArray("XL Software Version 3.10 (Product ID=12)");
        QTest::newRow("field 3 missing") << QByteArray("$PMGNVER,12,3.10")
                                         << QByteArray(" Software Version 3.10 (Product ID=12)");
        QTest::newRow("empty field shifts the rest")
            << QByteArray("$PMGNVER,12,,XL") << QByteArray(" Software Version XL (Product ID=12)");
        const QByteArray id(80, '1'), sw(60, '2'), desc(100, 'D');
        QTest::newRow("fields 1 and 2 cut to 49")
            << "$PMGNVER," + id + "," + sw + "," + desc
            << desc + " Software Version " + sw.left(49) + " (Product ID=" + id.left(49) + ")";
        QTest::newRow("line cut to its field")
            << "$PMGNVER,1,2," + QByteArray(220, 'D')
            << (QByteArray(220, 'D') + " Software Version 2 (Product ID=1)").left(254);
    }

    void version()
    {
        QFETCH(QByteArray, sentence);
        QFETCH(QByteArray, version);
        char text[VERSION_SIZE];
        formatMagellanVersion(replyBuffer(sentence).get(), text, VERSION_SIZE);
        QCOMPARE(QByteArray(text), version);
    }

    // The answer is cut at its "*" in the reply itself and stored; any other
    // reply is left as it came. Nothing is shown either way.
    void checkReply()
    {
        FakeDialog dlg;
        dlg.units[2].eMfg = GPS_MFG_MAGELLAN;
        const QByteArray answer = "ab\r\n" + Sentence("$PMGNVER,12,3.10,XL");
        auto reply = replyBuffer(answer);
        QCOMPARE(CheckMagellanReply(2, reply.get()), 1);
        QCOMPARE(QByteArray(reply.get(), answer.size()), QByteArray(answer).replace('*', '\0'));
        QCOMPARE(dlg.units[2].szVersion, "XL Software Version 3.10 (Product ID=12)");

        const QByteArray other = Sentence("$PMGNVER,12,3.10,ZZ").replace("*", "*0");
        reply = replyBuffer(other);
        dlg.units[2].szVersion[0] = '\0';
        QCOMPARE(CheckMagellanReply(2, reply.get()), 0);
        QCOMPARE(QByteArray(reply.get(), other.size()), other);
        QCOMPARE(dlg.units[2].szVersion, "");
        QVERIFY(dlg.messages.empty());
    }

    void firstVerifiedTextStays()
    {
        FakeDialog dlg;
        dlg.units[0].eMfg = GPS_MFG_MAGELLAN;
        QCOMPARE(CheckMagellanReply(0, replyBuffer(Sentence("$PMGNVER,12,3.10,XL")).get()), 1);
        QCOMPARE(CheckMagellanReply(0, replyBuffer(Sentence("$PMGNVER,99,9.99,ZZ")).get()), 1);
        QCOMPARE(dlg.units[0].szVersion, "XL Software Version 3.10 (Product ID=12)");
    }
};

QTEST_GUILESS_MAIN(TestMagellan)
#include "tst_magellan.moc"
