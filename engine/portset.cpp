#include "portset.h"

#include "serialdevice.h"
#include "tracingserialdevice.h"

PortSet::PortSet() = default;
PortSet::~PortSet() = default;

void PortSet::traceTraffic(TrafficTrace* trace)
{
    m_trace = trace;
    for (int k = 0; k < UNIT_COUNT; ++k) {
        m_traced[k].reset();
        if (trace)
            m_traced[k] = std::make_unique<TracingSerialDevice>(*trace, m_map, k);
    }
}

SerialDevice& PortSet::port(int k)
{
    if (!m_traced[k])
        return device(k);
    m_traced[k]->wrap(device(k));
    return *m_traced[k];
}

bool PortSet::open(int k)
{
    const QByteArray path = PortMap::deviceToOpen(m_map.device(k)).toUtf8();
    return port(k).Open(path.constData());
}

SerialDevice& PortSet::device(int k)
{
    if (m_devices[k])
        return *m_devices[k];
    if (!m_systemDevices[k])
        m_systemDevices[k] = createSystemSerialDevice();
    return *m_systemDevices[k];
}
