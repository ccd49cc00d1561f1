#include "versiontext.h"

#include "gpsmaker.h"
#include "testdialogbase.h"

int StoreVersionText(int unit, const char* reply)
{
    UnitInfo& info = g_pTestDialog->units[unit];
    if (info.szVersion[0] != '\0')
        return 1;
    if (const GpsMakerTraits* maker = makerTraits(info.eMfg))
        maker->formatVersion(reply, info.szVersion, VERSION_SIZE);
    else
        info.szVersion[0] = '\0';
    return 1;
}
