#include "fakedialog.h"
#include "magellan.h"
#include "replybuffer.h"

#include <cstring>
#include <memory>
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

} // namespace

class TestMagellan : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void queryIsVersionCommand()
    {
        char query[QUERY_SIZE] = {};
        BuildMagellanQuery(query);
        QCOMPARE(QByteArray(query), QByteArray("$PMGNCMD,VERSION*28\r\n"));
        QCOMPARE(std::strlen(query), size_t(21));
    }

    void checksumHasTwoUpperCaseDigits()
    {
        char sentence[32] = "$A";
        AppendNmeaChecksum(sentence);
        QCOMPARE(QByteArray(sentence), QByteArray("$A*41\r\n"));
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
        QTest::newRow("no star") << QByteArray("$PMGNVER,12,3.10,XL\r\n") << 0 << QByteArray();
        QTest::newRow("mid-sentence")
            << Sentence("$PMGNVER,12,3.10,XL").mid(5) << 0 << QByteArray();
        QTest::newRow("only stars") << QByteArray("***") << 0 << QByteArray();
        QTest::newRow("nothing") << QByteArray() << 0 << QByteArray();
        QTest::newRow("wrong digits")
            << QByteArray("$PMGNVER,12,3.10,XL*00\r\n") << 0 << QByteArray();
        QTest::newRow("star at the end") << QByteArray("$PMGNVER*") << 0 << QByteArray();
    }

    void checkReply()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, result);
        QFETCH(QByteArray, version);

        FakeDialog dlg;
        dlg.units[2].eMfg = GPS_MFG_MAGELLAN;
        auto buf = ReplyBuffer(reply);
        QCOMPARE(CheckMagellanReply(2, buf.get()), result);
        QCOMPARE(QByteArray(dlg.units[2].szVersion), version);
        QVERIFY(dlg.boxes.empty());
    }

    void lowerCaseDigitsAreRejected()
    {
        // A checksum with letters in it, sent in lower case, fails.
        const QByteArray good = Sentence("$PMGNVER,12,3.10,Z");
        const int star = good.indexOf('*');
        QCOMPARE(good.mid(star + 1, 2), QByteArray("3C"));
        const QByteArray lower = good.left(star + 1) + good.mid(star + 1).toLower();
        FakeDialog dlg;
        dlg.units[0].eMfg = GPS_MFG_MAGELLAN;
        QCOMPARE(CheckMagellanReply(0, ReplyBuffer(good).get()), 1);
        dlg.units[0].szVersion[0] = '\0';
        QCOMPARE(CheckMagellanReply(0, ReplyBuffer(lower).get()), 0);
        QCOMPARE(dlg.units[0].szVersion[0], '\0');
    }

    void firstVerifiedTextStays()
    {
        FakeDialog dlg;
        dlg.units[0].eMfg = GPS_MFG_MAGELLAN;
        QCOMPARE(CheckMagellanReply(0, ReplyBuffer(Sentence("$PMGNVER,12,3.10,XL")).get()), 1);
        QCOMPARE(CheckMagellanReply(0, ReplyBuffer(Sentence("$PMGNVER,99,9.99,ZZ")).get()), 1);
        QCOMPARE(QByteArray(dlg.units[0].szVersion),
                 QByteArray("XL Software Version 3.10 (Product ID=12)"));
    }

    void longFieldsAreCut()
    {
        FakeDialog dlg;
        dlg.units[0].eMfg = GPS_MFG_MAGELLAN;
        const QByteArray id(80, '1');
        const QByteArray sw(60, '2');
        const QByteArray desc(100, 'D');
        QCOMPARE(
            CheckMagellanReply(0, ReplyBuffer(Sentence("$P," + id + "," + sw + "," + desc)).get()),
            1);
        QCOMPARE(QByteArray(dlg.units[0].szVersion),
                 desc + " Software Version " + sw.left(49) + " (Product ID=" + id.left(49) + ")");
    }

    void versionLineIsCutToItsField()
    {
        FakeDialog dlg;
        dlg.units[0].eMfg = GPS_MFG_MAGELLAN;
        const QByteArray desc(220, 'D');
        QCOMPARE(CheckMagellanReply(0, ReplyBuffer(Sentence("$P,1,2," + desc)).get()), 1);
        QCOMPARE(std::strlen(dlg.units[0].szVersion), size_t(VERSION_SIZE - 1));
        QVERIFY(QByteArray(dlg.units[0].szVersion).startsWith(desc + " Software Version 2"));
    }

    void fullBuffer_data()
    {
        QTest::addColumn<int>("starAt");
        QTest::addColumn<int>("result");
        // Digits at 253 and 254 are the last bytes of the buffer.
        QTest::newRow("digits are the last two bytes") << 252 << 1;
        // The second digit would be byte 255, outside the reply.
        QTest::newRow("second digit outside") << 253 << 0;
        QTest::newRow("star is the last byte") << 254 << 0;
        QTest::newRow("no star, no terminator") << -1 << 0;
    }

    void fullBuffer()
    {
        QFETCH(int, starAt);
        QFETCH(int, result);
        QByteArray body = "$P,1,2,";
        body += QByteArray((starAt < 0 ? REPLY_SIZE : starAt) - body.size(), 'x');
        const QByteArray reply = (starAt < 0 ? body : Sentence(body)).left(REPLY_SIZE);
        QCOMPARE(reply.size(), REPLY_SIZE);

        FakeDialog dlg;
        dlg.units[0].eMfg = GPS_MFG_MAGELLAN;
        QCOMPARE(CheckMagellanReply(0, ReplyBuffer(reply).get()), result);
    }
};

QTEST_GUILESS_MAIN(TestMagellan)
#include "tst_magellan.moc"
