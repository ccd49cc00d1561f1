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
    // The version text the check stores for a reply, empty where the reply
    // holds no answer.
    void versionOfReply_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QByteArray>("version");
        const QByteArray answer = Sentence("$PMGNVER,12,3.10,XL");
        const QByteArray xl = "XL Software Version 3.10 (Product ID=12)";
        QTest::newRow("version reply") << answer << xl;
        // A streaming receiver's sentences around the answer, cut off at
        // either end; no other sentence is an answer, whatever its checksum.
        const QByteArray position = Sentence("$GPGLL,4916.45,N,12311.12,W");
        QTest::newRow("other sentences are no answer")
            << position + Sentence("$PMGNCMD,12,3.10,XL") << QByteArray();
        QTest::newRow("amid other sentences")
            << "ab\r\n" + position.mid(9) + position + answer + position.left(12) << xl;
        QTest::newRow("first with a right checksum")
            << QByteArray("$PMGNVER,99,9.99,ZZ*00\r\n") + answer << xl;
        QTest::newRow("cut off before its star")
            << "$PMGNVER,12,3.10,XL\r\n" + position << QByteArray();
        // Sentence("$PMGNVER,12,3.10,Z") ends in *3C.
        QTest::newRow("lower-case digits")
            << QByteArray("$PMGNVER,12,3.10,Z*3c\r\n") << QByteArray();
        QTest::newRow("star at the end") << QByteArray("$PMGNVER*") << QByteArray();
        // A full buffer has no terminator; nothing past its end may count.
        QTest::newRow("digits are the last two bytes")
            << FullBuffer(0) << QByteArray("Z Software Version 2 (Product ID=1)");
        QTest::newRow("second digit outside the buffer") << FullBuffer(1) << QByteArray();
        QTest::newRow("no star in a full buffer") << QByteArray(REPLY_SIZE, 'x') << QByteArray();
        QTest::newRow("field 3 missing")
            << Sentence("$PMGNVER,12,3.10") << QByteArray(" Software Version 3.10 (Product ID=12)");
        QTest::newRow("empty field shifts the rest")
            << Sentence("$PMGNVER,12,,XL") << QByteArray(" Software Version XL (Product ID=12)");
        const QByteArray id(80, '1'), sw(60, '2'), desc(90, 'D');
        QTest::newRow("fields 1 and 2 cut to 49")
            << Sentence("$PMGNVER," + id + "," + sw + "," + desc)
            << desc + " Software Version " + sw.left(49) + " (Product ID=" + id.left(49) + ")";
        QTest::newRow("line cut to its field")
            << Sentence("$PMGNVER,1,2," + QByteArray(220, 'D'))
            << (QByteArray(220, 'D') + " Software Version 2 (Product ID=1)").left(254);
    }

    void versionOfReply()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QByteArray, version);
        FakeDialog dlg;
        dlg.units[0].eMfg = GPS_MFG_MAGELLAN;
        QCOMPARE(CheckMagellanReply(0, replyBuffer(reply).get()), version.isEmpty() ? 0 : 1);
        QCOMPARE(QByteArray(dlg.units[0].szVersion), version);
    }

    // The first stored text stays, and nothing is shown either way.
    void firstVersionStays()
    {
        FakeDialog dlg;
        dlg.units[2].eMfg = GPS_MFG_MAGELLAN;
        QCOMPARE(CheckMagellanReply(2, replyBuffer(Sentence("$PMGNVER,12,3.10,XL")).get()), 1);
        QCOMPARE(CheckMagellanReply(2, replyBuffer(Sentence("$PMGNVER,99,9.99,ZZ")).get()), 1);
        QCOMPARE(dlg.units[2].szVersion, "XL Software Version 3.10 (Product ID=12)");
        QVERIFY(dlg.messages.empty());
    }
};

QTEST_GUILESS_MAIN(TestMagellan)
#include "tst_magellan.moc"
