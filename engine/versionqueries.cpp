#include "versionqueries.h"

#include "garmin.h"
#include "magellan.h"
#include "testdialogbase.h"

#include <cstring>

namespace {

bool StartsWithNoCase(const char* text, const char* prefix)
{
    for (; *prefix != '\0'; ++text, ++prefix) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (*text == '\0' || lower(*text) != lower(*prefix))
            return false;
    }
    return true;
}

} // namespace

int BuildVersionQueries()
{
    TestDialogBase& dlg = *g_pTestDialog;
    for (int k = 0; k < UNIT_COUNT; ++k) {
        if (!dlg.bPortEnabled[k])
            continue;
        UnitInfo& unit = dlg.units[k];
        std::memset(unit.szVersion, 0, sizeof unit.szVersion);

        char selection[256];
        if (!dlg.GetControlText(unit.nMfgCtrl, selection, sizeof selection))
            continue;
        std::memset(unit.szQuery, 0, sizeof unit.szQuery);

        if (StartsWithNoCase(selection, "Magellan")) {
            unit.eMfg = GPS_MFG_MAGELLAN;
            BuildMagellanQuery(unit.szQuery);
        }
        if (StartsWithNoCase(selection, "Garmin")) {
            unit.eMfg = GPS_MFG_GARMIN;
            BuildGarminQuery(unit.szQuery);
        }
    }
    return 1;
}
