#include "fakedialog.h"
#include "garmin.h"
#include "hexbytes.h"
#include "replybuffer.h"

#include <cstring>
#include <QtTest>

namespace {

const char* const ACK = "10 06 02 FE 00 FA 10 03";
const char* const PRODUCT_DATA_ABC = "10 FF 08 23 01 90 01 41 42 43 00 7E 10 03";

// A packet with its checksum, DLE and ETX, as AppendGarminChecksum makes it.
QByteArray Packet(const QByteArray& idSizeData)
{
    char work[512] = {};
    std::memcpy(work, idSizeData.constData(), idSizeData.size());
    AppendGarminChecksum(work);
    return QByteArray(work, idSizeData.size() + 3);
}

} // namespace

class TestGarmin : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void queryIsProductRequest()
    {
        char query[QUERY_SIZE] = {};
        BuildGarminQuery(query);
        QCOMPARE(QByteArray(query, 7), Hex("10 FE 00 02 10 03 00"));
    }

    void checkReply_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("message");

        const QByteArray abc = Hex(ACK) + Hex(PRODUCT_DATA_ABC);
        QTest::newRow("ack and product data") << abc << 1 << "ABC (Product ID=291)"
                                              << "";
        QTest::newRow("one-byte ack")
            << Hex("10 06 01 FE FB 10 03") + Hex(PRODUCT_DATA_ABC) << 1 << "ABC (Product ID=291)"
            << "";
        QByteArray badAck = abc;
        badAck[5] = char(0xFB);
        QTest::newRow("ack checksum wrong") << badAck << 0 << ""
                                            << "Bad Checksum in Garmin ACK Message";
        QByteArray badData = abc;
        badData[19] = char(0x7F);
        QTest::newRow("product data checksum wrong") << badData << 0 << ""
                                                     << "Bad Checksum in Garmin Version Message";
        // A receiver's own traffic comes before, between and after the
        // answer, the first packet maybe cut off at the front, the last at
        // the end, more than 255 bytes in all.
        const QByteArray pvt = Packet(Hex("10 33 20") + QByteArray(32, 'p'));
        QTest::newRow("amid other packets") << Hex("10 10 01 02") + pvt.repeated(6) + Hex(ACK) +
                                                   pvt + Hex(PRODUCT_DATA_ABC) + pvt.left(9)
                                            << 1 << "ABC (Product ID=291)"
                                            << "";
        // 10 06 after a cut-off doubled DLE only looks like an ACK: its size
        // does not fit where it ends.
        QTest::newRow("cut-off packet that looks like an ack")
            << Hex("10 06 09 01 02 03 10 03") + abc << 1 << "ABC (Product ID=291)"
            << "";
        QTest::newRow("product data before the ack is no answer")
            << Hex(PRODUCT_DATA_ABC) + Hex(ACK) << 0 << ""
            << "";
        QTest::newRow("ack without product data") << Hex(ACK) + pvt << 0 << ""
                                                  << "";
        QTest::newRow("noise before the ack") << Hex("24 47") + abc << 1 << "ABC (Product ID=291)"
                                              << "";
        QTest::newRow("no packet end") << Hex("10 06 02 FE 00 FA") << 0 << ""
                                       << "";
        QTest::newRow("product data cut off") << Hex(ACK) + Hex("10 FF 08 23 01 90") << 0 << ""
                                              << "";
        QTest::newRow("empty") << QByteArray() << 0 << ""
                               << "";
        // Size 255: the size byte counts unsigned, up to its greatest value.
        QTest::newRow("255 data bytes")
            << Hex(ACK) + Packet(Hex("10 FF FF 2C 01 2C 01") + QByteArray(250, 'D') + Hex("00"))
            << 1 << (QString(250, 'D') + " (Product ID=300)").left(254) << "";
        QTest::newRow("description without zero ends with the data")
            << Hex(ACK) + Packet(Hex("10 FF 06 05 00 00 00 51 52")) << 1 << "QR (Product ID=5)"
            << "";
        // A packet that runs to the last byte of the buffer and ends in a DLE.
        QTest::newRow("full buffer, no end")
            << Hex(ACK) + Hex("10 FF F0") + QByteArray(REPLY_SIZE - 12, 'x') + Hex("10") << 0 << ""
            << "";

        // A receiver doubles every 0x10 within size, data and checksum.
        QTest::newRow("software version 2.72 (0x0110) doubled")
            << Hex(ACK) + Hex("10 FF 0A 23 01 10 10 01 65 54 72 65 78 00 BA 10 03") << 1
            << "eTrex (Product ID=291)"
            << "";
        QTest::newRow("product id 0x10F0 doubled")
            << Hex(ACK) + Hex("10 FF 0B F0 10 10 90 01 47 50 53 20 31 32 00 F8 10 03") << 1
            << "GPS 12 (Product ID=4336)"
            << "";
        QTest::newRow("checksum 0x10 doubled before the end")
            << Hex(ACK) + Hex("10 FF 09 23 01 90 01 47 50 53 49 00 10 10 10 03") << 1
            << "GPSI (Product ID=291)"
            << "";
        QTest::newRow("10 10 03 inside the data is no end")
            << Hex(ACK) + Hex("10 FF 07 23 01 10 10 03 58 59 00 12 10 03") << 1
            << "XY (Product ID=291)"
            << "";
        // A receiver that forgets to double a DLE still sent the right bytes.
        QTest::newRow("undoubled 0x10 in data is data")
            << Hex(ACK) + Hex("10 FF 0A 23 01 10 01 65 54 72 65 78 00 BA 10 03") << 1
            << "eTrex (Product ID=291)"
            << "";
    }

    void checkReply()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, result);
        QFETCH(QString, version);
        QFETCH(QString, message);

        FakeDialog dlg;
        dlg.units[0].eMfg = GPS_MFG_GARMIN;
        auto buf = ReplyBuffer(reply);
        QCOMPARE(CheckGarminReply(0, buf.get()), result);
        QCOMPARE(QString::fromLatin1(dlg.units[0].szVersion), version);
        if (message.isEmpty())
            QVERIFY(dlg.messages.empty());
        else
            QCOMPARE(dlg.messages, QStringList{message});
    }
};

QTEST_GUILESS_MAIN(TestGarmin)
#include "tst_garmin.moc"
