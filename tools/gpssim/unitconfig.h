#pragma once

#include <memory>
#include <QByteArray>
#include <QString>

struct Recording;

// The two receiver families the program knows, each with its own protocol
// and line speed.
enum class Protocol { Garmin, Magellan };

// What is wrong with a simulated receiver's version answer; a unit has at
// most one. The unsolicited stream is never faulty.
enum class Fault {
    None,
    BadChecksum, // Garmin: the Product Data packet; Magellan: the sentence
    LowerCase,   // Magellan only: checksum digits in lower case
    Unplug,      // at the end of its life the device disappears
};

// One simulated receiver as the command line describes it.
struct UnitConfig {
    static constexpr qint64 FOREVER = -1;

    // A healthy unit of the family, with a made-up but plausible identity.
    static UnitConfig defaults(Protocol protocol);

    Protocol protocol = Protocol::Garmin;
    qint64 lifeMs = 60000; // FOREVER: the battery never runs down
    unsigned productId = 0;
    unsigned softwareVersion = 0; // in hundredths: 2.72 is 272
    QByteArray description;
    Fault fault = Fault::None;
    // Talks all the time besides answering: NMEA sentences from a Magellan,
    // position packets from a Garmin, a burst every burstMs: once a second,
    // as receivers report their position, unless told otherwise.
    bool stream = false;
    qint64 burstMs = 1000;
    // How long after a query it answers: a time drawn afresh for each answer
    // between the two, as slow receivers take their time.
    qint64 delayMinMs = 0;
    qint64 delayMaxMs = 0;
    // Its USB adapter goes away vanishAtMs after the first bytes it hears,
    // as after a resume or a loose plug, and comes back at the same link
    // vanishForMs later, the receiver running on; NEVER: it stays.
    static constexpr qint64 NEVER = -1;
    qint64 vanishAtMs = NEVER;
    qint64 vanishForMs = 0;
    // Played back rather than made up: a trace's answers, or a capture that
    // is the stream.
    std::shared_ptr<const Recording> recording;
};

QString protocolName(Protocol protocol);
// The speed the family's receivers talk at; a query at any other speed is
// noise to them.
int lineSpeed(Protocol protocol);
// The fault as it is written on the command line ("bad-checksum").
QString faultText(Fault fault);
// "90s", "1.5s" or "forever".
QString lifeText(qint64 lifeMs);
