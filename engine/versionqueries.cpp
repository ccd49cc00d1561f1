#include "versionqueries.h"

#include "gpsmaker.h"
#include "testdialogbase.h"

#include <cstring>

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

        if (const GpsMakerTraits* maker = makerForSelection(selection)) {
            unit.eMfg = maker->eMfg;
            maker->buildQuery(unit.szQuery);
        }
    }
    return 1;
}
