#include "portmap.h"

namespace {

PortMap& activeMap()
{
    static PortMap map;
    return map;
}

} // namespace

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

QString PortMap::systemPortName(const char* szComName) const
{
    const QString comName = QString::fromLatin1(szComName);
    bool isNumber = false;
    const int number = comName.mid(3).toInt(&isNumber);
    const bool isCom = comName.startsWith(QLatin1String("COM"), Qt::CaseInsensitive);
    if (!isCom || !isNumber || number < 1 || number > UNIT_COUNT)
        return comName;
    return deviceToOpen(m_devices[number - 1]);
}

const PortMap& PortMap::active()
{
    return activeMap();
}

void PortMap::setActive(const PortMap& map)
{
    activeMap() = map;
}
