#pragma once

#include "portmap.h"
#include "units.h"

#include <memory>

class SerialDevice;
class TracingSerialDevice;
class TrafficTrace;

// The serial ports of the four units, as the engine drives them. Each
// unit's device is built for that unit and opened at the unit's path, and
// while a trace is kept every port's traffic goes to it. Tests put their
// fake receivers here in place of the system's ports.
class PortSet {
public:
    PortSet();
    ~PortSet();
    PortSet(const PortSet&) = delete;
    PortSet& operator=(const PortSet&) = delete;

    // Where each unit's port leads, as start-up worked it out; every port at
    // its platform's default until then. Not during a run.
    void setMap(const PortMap& map) { m_map = map; }
    const PortMap& map() const { return m_map; }
    // Unit k's device from now on: a test's fake receiver in place of the
    // system's port; nullptr gives the system's back. Not during a run; the
    // device must outlive its use here.
    void setDevice(int k, SerialDevice* device) { m_devices[k] = device; }
    // Traces every port's traffic to `trace` from the next run on; nullptr
    // stops. Not during a run; the trace must outlive its use here.
    void traceTraffic(TrafficTrace* trace);
    // The trace kept, or nullptr.
    TrafficTrace* trace() const { return m_trace; }

    // Unit k's port as a run drives it (UnitInfo::hPort): its device,
    // through the trace while one is kept.
    SerialDevice& port(int k);
    // Opens port(k) at the unit's path as it leads now: a link is followed
    // anew at every opening, so that the same name finds an adapter that
    // the system has enumerated again. False, with the system's text in the
    // port's ErrorText(), when it cannot be opened.
    bool open(int k);

private:
    SerialDevice& device(int k);

    PortMap m_map;
    SerialDevice* m_devices[UNIT_COUNT] = {};
    std::unique_ptr<SerialDevice> m_systemDevices[UNIT_COUNT];
    TrafficTrace* m_trace = nullptr;
    std::unique_ptr<TracingSerialDevice> m_traced[UNIT_COUNT];
};
