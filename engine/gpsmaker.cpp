#include "gpsmaker.h"

#include "garmin.h"
#include "logformat.h"
#include "magellan.h"
#include "units.h"

#include <iterator>

namespace {

int magellanQueryLength(const char* szQuery)
{
    return static_cast<int>(boundedLength(szQuery, QUERY_SIZE));
}

// The packet's size byte plus DLE, id, size, checksum, DLE and ETX.
int garminQueryLength(const char* szQuery)
{
    return static_cast<unsigned char>(szQuery[2]) + 6;
}

int checkGarminReply(int unit, char* reply)
{
    return CheckGarminReply(unit, reply);
}

const GpsMakerTraits MAKERS[] = {
    {GPS_MFG_MAGELLAN, MAGELLAN_NAME, 4800, buildMagellanQuery, magellanQueryLength,
     CheckMagellanReply, formatMagellanVersion},
    {GPS_MFG_GARMIN, GARMIN_NAME, 9600, buildGarminQuery, garminQueryLength, checkGarminReply,
     formatGarminVersion},
};
// Every maker the dialog offers and the log names has its row here.
static_assert(std::size(MAKERS) == std::size(GPS_MAKER_NAMES));

bool startsWithNoCase(const char* text, const char* prefix)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    for (; *prefix != '\0'; ++text, ++prefix) {
        if (*text == '\0' || lower(*text) != lower(*prefix))
            return false;
    }
    return true;
}

} // namespace

const GpsMakerTraits* makerTraits(std::int32_t eMfg)
{
    for (const GpsMakerTraits& maker : MAKERS) {
        if (maker.eMfg == eMfg)
            return &maker;
    }
    return nullptr;
}

const GpsMakerTraits* makerForSelection(const char* selection)
{
    for (const GpsMakerTraits& maker : MAKERS) {
        if (startsWithNoCase(selection, maker.name))
            return &maker;
    }
    return nullptr;
}
