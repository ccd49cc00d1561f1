#pragma once

#include "unitconfig.h"

#include <QByteArray>
#include <QDateTime>

// What a receiver sends, with its fault worked in: the answer to a version
// query, and the position sentences of a receiver that talks unprompted.
class ReplyBuilder {
public:
    explicit ReplyBuilder(const UnitConfig& config);

    // Garmin: ACK then Product Data; Magellan: one $PMGNVER sentence.
    // Junk, bad checksums, lower-case digits and overlong padding are
    // already in it; whether and when to send it is the caller's business.
    QByteArray VersionReply() const;
    // $GPRMC and $GPGGA for the given time, at a fixed position.
    static QByteArray PositionSentences(const QDateTime& utc);

    // Longer than the 255 bytes the program takes in one read.
    static constexpr int OVERLONG_SENTENCE = 300;

private:
    QByteArray GarminReply() const;
    QByteArray MagellanReply() const;
    QByteArray Junk() const;

    UnitConfig m_config;
};
