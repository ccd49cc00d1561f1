#pragma once

#include <QByteArray>
#include <QString>

// The two receiver families the program knows, each with its own protocol
// and line speed.
enum class Protocol { Garmin, Magellan };

// What is wrong with a simulated receiver; a unit has at most one.
enum class Fault {
    None,
    Silent,         // hears and checks queries, never answers
    BadChecksum,    // Garmin: the Product Data packet; Magellan: the sentence
    BadAckChecksum, // Garmin only: the acknowledgement packet
    LowerCase,      // Magellan only: checksum digits in lower case
    Junk,           // line noise before every reply
    Overlong,       // a reply longer than the program's 255-byte read
    EveryNth,       // answers only every Nth good query
    Late,           // answers after a delay longer than the program waits
    Nmea,           // talks NMEA unprompted and answers nothing
    Unplug,         // at the end of its life the device disappears
};

// One simulated receiver as the command line describes it.
struct UnitConfig {
    Protocol protocol = Protocol::Garmin;
    qint64 lifeMs = 60000; // FOREVER: the battery never runs down
    unsigned productId = 0;
    unsigned softwareVersion = 0; // in hundredths: 2.72 is 272
    QByteArray description;
    Fault fault = Fault::None;
    int faultCount = 0;      // bytes of junk, or N of every Nth
    qint64 faultDelayMs = 0; // how late a late unit answers

    static constexpr qint64 FOREVER = -1;
};

// A healthy unit of the family, with a made-up but plausible identity.
UnitConfig DefaultUnit(Protocol protocol);

const char* ProtocolName(Protocol protocol);
// The speed the family's receivers talk at; a query at any other speed is
// noise to them.
int LineSpeed(Protocol protocol);
// The fault as it is written on the command line, argument included
// ("late:2.5", "every:3").
QString FaultText(const UnitConfig& config);
// "90s", "1.5s" or "forever".
QString LifeText(qint64 lifeMs);
