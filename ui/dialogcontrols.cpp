#include "dialogcontrols.h"

void DialogControls::file(int nId, QWidget* control)
{
    const int slot = slotOf(nId);
    if (slot >= 0)
        m_byId[slot] = control;
}

QWidget* DialogControls::byId(int nId) const
{
    const int slot = slotOf(nId);
    return slot >= 0 ? m_byId[slot] : nullptr;
}

QString DialogControls::objectName(int nId)
{
    return QStringLiteral("control%1").arg(nId);
}

int DialogControls::slotOf(int nId)
{
    if (nId >= FIRST_ID && nId <= LAST_ID)
        return nId - FIRST_ID;
    for (int i = 0; i < 3; ++i) {
        if (COMMANDS[i] == nId)
            return LAST_ID - FIRST_ID + 1 + i;
    }
    return -1;
}
