#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <ctime>

class SerialDevice;

// A unit is one receiver under test; the engine's "units" are always these,
// never a measure. Four at most, one per serial port: unit k is on COM(k+1).
constexpr int UNIT_COUNT = 4;

// Fixed buffer sizes; nothing in a run is allocated.
constexpr int QUERY_SIZE = 255;
// A read takes everything that has arrived since the last one. A receiver
// that streams NMEA or PVT packets sends up to about 960 bytes a second at
// 9600 baud, and a cycle lasts about two seconds: the reply holds what the
// port's input queue holds, twice a cycle's traffic.
constexpr int REPLY_SIZE = 4096;
constexpr int VERSION_SIZE = 255;
constexpr int ENDURANCE_SIZE = 20;

// The length of a text in a fixed buffer of max bytes that need not hold a
// terminator.
inline std::size_t boundedLength(const char* text, std::size_t max)
{
    const void* end = std::memchr(text, '\0', max);
    return end ? static_cast<std::size_t>(static_cast<const char*>(end) - text) : max;
}

// The value of UnitInfo::eMfg. The field is a plain integer so that any
// other value can be held; every reader treats it as an unknown maker.
enum GpsMaker : std::int32_t {
    GPS_MFG_NONE = 0,
    GPS_MFG_MAGELLAN = 1,
    GPS_MFG_GARMIN = 2,
};

// One receiver under test.
struct UnitInfo {
    std::int32_t nMfgCtrl = 0;
    std::int32_t nBatteryMakerCtrl = 0;
    std::int32_t nBatteryTypeCtrl = 0;
    std::int32_t nCapacityCtrl = 0;
    std::int32_t nCommentsCtrl = 0;
    std::int32_t nUnitLabelCtrl = 0;
    std::int32_t nStartTimeCtrl = 0;
    // The start and the last response, on the run's clock (runclock.h).
    std::time_t tStart = 0;
    std::int32_t nLastResponseCtrl = 0;
    std::time_t tLastResponse = 0;
    std::int32_t nEnduranceCtrl = 0;
    // The endurance in whole seconds, set when the unit finishes; the run
    // writes szEndurance, which the display and the log show, from it.
    double dEndurance = 0.0;
    char szEndurance[ENDURANCE_SIZE] = {};
    std::int32_t bDone = 0;

    // The port as the channel holds it for a run: the device of this unit,
    // and whether the run now under way took the unit in at set-up. Only such
    // a unit is polled, and its port is closed at the end of that same run,
    // whatever happened to its check box in between.
    SerialDevice* hPort = nullptr;
    std::int32_t bInRun = 0;

    char szQuery[QUERY_SIZE] = {};
    char szReply[REPLY_SIZE] = {};
    std::int32_t eMfg = GPS_MFG_NONE;
    char szVersion[VERSION_SIZE] = {};
};
