#include "replybuilder.h"

#include "wireformat.h"

#include <cstring>

namespace {

void appendLittleEndian(QByteArray& data, quint64 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        data += static_cast<char>((value >> (8 * i)) & 0xFF);
}

template <typename Float, typename Bits>
void appendFloat(QByteArray& data, Float value)
{
    Bits bits;
    std::memcpy(&bits, &value, sizeof bits);
    appendLittleEndian(data, bits, sizeof bits);
}

} // namespace

ReplyBuilder::ReplyBuilder(const UnitConfig& config) : m_config(config) {}

QByteArray ReplyBuilder::versionReply() const
{
    return m_config.protocol == Protocol::Garmin ? garminReply() : magellanReply();
}

QList<QByteArray> ReplyBuilder::streamBurst(const QDateTime& utc) const
{
    if (m_config.protocol == Protocol::Garmin)
        return {pvtPacket(utc)};
    return nmeaBurst(utc);
}

QByteArray ReplyBuilder::garminReply() const
{
    QByteArray data;
    appendLittleEndian(data, m_config.productId, 2);
    appendLittleEndian(data, m_config.softwareVersion, 2);
    data += m_config.description + '\0';
    QByteArray ack;
    appendLittleEndian(ack, GarminPacket::PID_PRODUCT_RQST, 2);
    return GarminPacket::frame(GarminPacket::PID_ACK, ack) +
           GarminPacket::frame(GarminPacket::PID_PRODUCT_DATA, data,
                               m_config.fault == Fault::BadChecksum);
}

QByteArray ReplyBuilder::magellanReply() const
{
    const QByteArray version =
        QByteArray::number(m_config.softwareVersion / 100) + '.' +
        QByteArray::number(m_config.softwareVersion % 100).rightJustified(2, '0');
    return NmeaSentence::make("PMGNVER," + QByteArray::number(m_config.productId) + ',' + version +
                                  ',' + m_config.description,
                              m_config.fault == Fault::LowerCase,
                              m_config.fault == Fault::BadChecksum);
}

QList<QByteArray> ReplyBuilder::nmeaBurst(const QDateTime& utc)
{
    const QByteArray time = utc.toString(QStringLiteral("HHmmss.zzz")).left(9).toLatin1();
    const QByteArray date = utc.toString(QStringLiteral("ddMMyy")).toLatin1();
    const QByteArray position = "5412.3450,N,00248.9100,W";
    QList<QByteArray> bodies = {
        "GPRMC," + time + ",A," + position + ",0.0,0.0," + date + ",4.1,W,A",
        "GPGGA," + time + ',' + position + ",1,07,1.1,212.0,M,51.3,M,,",
        "GPGSA,A,3,02,05,12,15,18,24,25,,,,,,2.1,1.1,1.8",
        "GPGSV,3,1,10,02,45,123,42,05,30,067,38,12,61,281,45,15,12,310,31",
        "GPGSV,3,2,10,18,22,045,36,24,55,198,44,25,08,256,29,29,03,011,",
        "GPGSV,3,3,10,31,17,140,33,32,04,330,",
        "GPVTG,0.0,T,4.1,M,0.0,N,0.0,K,A",
        "PMGNST,02.12,3,T,534,05.0,+03327,00",
    };
    QList<QByteArray> sentences;
    for (const QByteArray& body : bodies)
        sentences += NmeaSentence::make(body);
    return sentences;
}

QByteArray ReplyBuilder::pvtPacket(const QDateTime& utc)
{
    // GPS time runs ahead of UTC by the leap seconds; 16 (the count in 2012)
    // is 0x10, so every packet carries a doubled DLE.
    constexpr int LEAP_SECONDS = 16;
    constexpr qint64 GPS_EPOCH = 315964800; // 6 January 1980, in Unix seconds
    constexpr qint64 WEEK = 7 * 86400;
    constexpr qint64 DAYS_1980_TO_1990 = 3647; // 6 Jan 1980 to 31 Dec 1989
    const double gps =
        static_cast<double>(utc.toMSecsSinceEpoch()) / 1000.0 - GPS_EPOCH + LEAP_SECONDS;
    const qint64 weekStart = static_cast<qint64>(gps) / WEEK * WEEK;
    constexpr double DEGREE = 3.14159265358979323846 / 180.0;

    QByteArray data; // D800: altitude, errors, fix, time of week, position
    for (const float value : {160.7f, 6.2f, 4.9f, 3.1f})
        appendFloat<float, quint32>(data, value);
    appendLittleEndian(data, 3, 2); // a 3-D fix
    appendFloat<double, quint64>(data, gps - static_cast<double>(weekStart));
    appendFloat<double, quint64>(data, 54.2058 * DEGREE);
    appendFloat<double, quint64>(data, -2.8152 * DEGREE);
    for (const float value : {0.0f, 0.0f, 0.0f, 51.3f})
        appendFloat<float, quint32>(data, value);
    appendLittleEndian(data, LEAP_SECONDS, 2);
    appendLittleEndian(data, weekStart / 86400 - DAYS_1980_TO_1990, 4);
    return GarminPacket::frame(GarminPacket::PID_PVT_DATA, data);
}
