#include "versiontext.h"

#include "garmin.h"
#include "magellan.h"
#include "testdialogbase.h"

int StoreVersionText(int unit, const char* reply)
{
    UnitInfo& info = g_pTestDialog->units[unit];
    if (info.szVersion[0] != '\0')
        return 1;
    switch (info.eMfg) {
    case GPS_MFG_MAGELLAN:
        FormatMagellanVersion(reply, info.szVersion, VERSION_SIZE);
        break;
    case GPS_MFG_GARMIN:
        FormatGarminVersion(reply, info.szVersion, VERSION_SIZE);
        break;
    default:
        info.szVersion[0] = '\0';
        break;
    }
    return 1;
}
