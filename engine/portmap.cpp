#include "portmap.h"

PortMap::PortMap()
{
    for (int k = 0; k < UNIT_COUNT; ++k)
        m_devices[k] = defaultDevice(k);
}

void PortMap::map(int k, const QString& device, Origin origin)
{
    if (k < 0 || k >= UNIT_COUNT)
        return;
    m_devices[k] = device.isEmpty() ? defaultDevice(k) : device;
    m_origins[k] = device.isEmpty() ? Origin::Default : origin;
}

QString PortMap::device(int k) const
{
    return k >= 0 && k < UNIT_COUNT ? m_devices[k] : QString();
}

PortMap::Origin PortMap::origin(int k) const
{
    return k >= 0 && k < UNIT_COUNT ? m_origins[k] : Origin::Default;
}
