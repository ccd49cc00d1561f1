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

// The bytes with byte i replaced by c.
QByteArray Changed(QByteArray bytes, int i, char c)
{
    bytes[i] = c;
    return bytes;
}

} // namespace

class TestGarmin : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // What the check stores and shows for a reply: the version text when it
    // found the answer, else the box for what it found wrong, if anything.
    void checkReply_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const QByteArray& reply, const QString& version = {},
                            const QString& message = {}) {
            QTest::newRow(name) << reply << version << message;
        };
        const QString abcVersion = "ABC (Product ID=291)";
        const QByteArray abc = hex(ACK) + hex(PRODUCT_DATA_ABC);
        row("ack and product data", abc, abcVersion);
        row("one-byte ack", hex("10 06 01 FE FB 10 03") + hex(PRODUCT_DATA_ABC), abcVersion);
        row("ack checksum wrong", Changed(abc, 5, char(0xFB)), {},
            "Bad Checksum in Garmin ACK Message");
        row("product data checksum wrong", Changed(abc, 19, char(0x7F)), {},
            "Bad Checksum in Garmin Version Message");
        // A receiver's own traffic comes before, between and after the
        // answer, the first packet maybe cut off at the front, the last at
        // the end, more than 255 bytes in all.
        const QByteArray pvt = Packet(hex("10 33 20") + QByteArray(32, 'p'));
        row("amid other packets",
            hex("10 10 01 02") + pvt.repeated(6) + hex(ACK) + pvt + hex(PRODUCT_DATA_ABC) +
                pvt.left(9),
            abcVersion);
        // 10 06 after a cut-off doubled DLE only looks like an ACK: its size
        // does not fit where it ends.
        row("cut-off packet that looks like an ack", hex("10 06 09 01 02 03 10 03") + abc,
            abcVersion);
        row("product data before the ack is no answer", hex(PRODUCT_DATA_ABC) + hex(ACK));
        row("ack without product data", hex(ACK) + pvt);
        row("product data cut off", hex(ACK) + hex("10 FF 08 23 01 90"));
        row("empty", QByteArray());
        // Size 255: the size byte counts unsigned, up to its greatest value.
        row("255 data bytes",
            hex(ACK) + Packet(hex("10 FF FF 2C 01 2C 01") + QByteArray(250, 'D') + hex("00")),
            (QString(250, 'D') + " (Product ID=300)").left(254));
        row("description without zero ends with the data",
            hex(ACK) + Packet(hex("10 FF 06 05 00 00 00 51 52")), "QR (Product ID=5)");
        // A receiver doubles every 0x10 within size, data and checksum.
        row("software version 2.72 (0x0110) doubled",
            hex(ACK) + hex("10 FF 0A 23 01 10 10 01 65 54 72 65 78 00 BA 10 03"),
            "eTrex (Product ID=291)");
        row("product id 0x10F0 doubled",
            hex(ACK) + hex("10 FF 0B F0 10 10 90 01 47 50 53 20 31 32 00 F8 10 03"),
            "GPS 12 (Product ID=4336)");
        row("checksum 0x10 doubled before the end",
            hex(ACK) + hex("10 FF 09 23 01 90 01 47 50 53 49 00 10 10 10 03"),
            "GPSI (Product ID=291)");
        row("10 10 03 inside the data is no end",
            hex(ACK) + hex("10 FF 07 23 01 10 10 03 58 59 00 12 10 03"), "XY (Product ID=291)");
        // A receiver that forgets to double a DLE still sent the right bytes.
        row("undoubled 0x10 in data is data",
            hex(ACK) + hex("10 FF 0A 23 01 10 01 65 54 72 65 78 00 BA 10 03"),
            "eTrex (Product ID=291)");
    }

    void checkReply()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, version);
        QFETCH(QString, message);
        FakeDialog dlg;
        dlg.units[0].eMfg = GPS_MFG_GARMIN;
        QCOMPARE(CheckGarminReply(0, replyBuffer(reply).get()), version.isEmpty() ? 0 : 1);
        QCOMPARE(QString::fromLatin1(dlg.units[0].szVersion), version);
        QCOMPARE(dlg.messages, message.isEmpty() ? QStringList() : QStringList{message});
    }
};

QTEST_GUILESS_MAIN(TestGarmin)
#include "tst_garmin.moc"
