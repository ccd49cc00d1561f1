#include "replybuilder.h"

#include "garminpacket.h"
#include "nmeasentence.h"

namespace {

constexpr int MAX_GARMIN_DATA = 255;
constexpr int GARMIN_DATA_OVERHEAD = 5; // id, version, terminating zero
constexpr char FILLER = '.';

void AppendLittleEndian16(QByteArray& data, unsigned value)
{
    data += static_cast<char>(value & 0xFF);
    data += static_cast<char>((value >> 8) & 0xFF);
}

} // namespace

ReplyBuilder::ReplyBuilder(const UnitConfig& config) : m_config(config) {}

QByteArray ReplyBuilder::VersionReply() const
{
    const QByteArray reply =
        m_config.protocol == Protocol::Garmin ? GarminReply() : MagellanReply();
    return m_config.fault == Fault::Junk ? Junk() + reply : reply;
}

QByteArray ReplyBuilder::GarminReply() const
{
    QByteArray description = m_config.description;
    if (m_config.fault == Fault::Overlong) {
        // As much as the size byte can count: with the ACK in front and the
        // framing around it the reply cannot fit in one read.
        description = description.leftJustified(MAX_GARMIN_DATA - GARMIN_DATA_OVERHEAD, FILLER);
    }
    QByteArray data;
    AppendLittleEndian16(data, m_config.productId);
    AppendLittleEndian16(data, m_config.softwareVersion);
    data += description;
    data += '\0';

    QByteArray ack;
    AppendLittleEndian16(ack, GarminPacket::PID_PRODUCT_RQST);
    return GarminPacket::Frame(GarminPacket::PID_ACK, ack,
                               m_config.fault == Fault::BadAckChecksum) +
           GarminPacket::Frame(GarminPacket::PID_PRODUCT_DATA, data,
                               m_config.fault == Fault::BadChecksum);
}

QByteArray ReplyBuilder::MagellanReply() const
{
    const QByteArray version =
        QByteArray::number(m_config.softwareVersion / 100) + '.' +
        QByteArray::number(m_config.softwareVersion % 100).rightJustified(2, '0');
    QByteArray body = "PMGNVER," + QByteArray::number(m_config.productId) + ',' + version + ',' +
                      m_config.description;
    if (m_config.fault == Fault::Overlong) {
        // "$", "*", two digits, CR LF: six bytes around the body.
        body = body.leftJustified(OVERLONG_SENTENCE - 6, FILLER);
    }
    const auto digits = m_config.fault == Fault::LowerCase ? NmeaSentence::Digits::Lower
                                                           : NmeaSentence::Digits::Upper;
    return NmeaSentence::Make(body, digits, m_config.fault == Fault::BadChecksum);
}

QByteArray ReplyBuilder::Junk() const
{
    // Line noise: no byte of it can start a packet, a sentence or a
    // checksum, or end the program's text early.
    static const char noise[] = {'\xFF', '\xAA', '\x55'};
    QByteArray junk;
    for (int i = 0; i < m_config.faultCount; ++i)
        junk += noise[i % 3];
    return junk;
}

QByteArray ReplyBuilder::PositionSentences(const QDateTime& utc)
{
    const QByteArray time = utc.toString(QStringLiteral("HHmmss.zzz")).left(9).toLatin1();
    const QByteArray date = utc.toString(QStringLiteral("ddMMyy")).toLatin1();
    return NmeaSentence::Make("GPRMC," + time + ",A,5412.345,N,00248.910,W,0.0,0.0," + date +
                              ",4.1,W") +
           NmeaSentence::Make("GPGGA," + time +
                              ",5412.345,N,00248.910,W,1,07,1.1,212.0,M,51.3,M,,");
}
