#pragma once

#include "unitconfig.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>

// What a receiver sends: the answer to a version query with the unit's fault
// worked in, and one second's worth of the traffic a streaming unit sends
// unasked, which is always sound.
class ReplyBuilder {
public:
    explicit ReplyBuilder(const UnitConfig& config);

    // Garmin: ACK then Product Data, as one piece; Magellan: one $PMGNVER
    // sentence. Bad checksums and lower-case digits are already in it.
    QByteArray versionReply() const;
    // One position fix at the given time: $GPRMC, $GPGGA, $GPGSA, three
    // $GPGSV, $GPVTG and $PMGNST from a Magellan (455 bytes: with an answer
    // every two seconds still under the 480 a second that 4800 baud
    // carries), one PVT packet from a Garmin. Each element is a sentence or
    // packet that a receiver sends whole.
    QList<QByteArray> streamBurst(const QDateTime& utc) const;

private:
    QByteArray garminReply() const;
    QByteArray magellanReply() const;
    static QList<QByteArray> nmeaBurst(const QDateTime& utc);
    static QByteArray pvtPacket(const QDateTime& utc);

    UnitConfig m_config;
};
