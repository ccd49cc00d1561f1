#pragma once

#include "porttrace.h"
#include "serialdevice.h"

class PortMap;

// Any serial port, seen through the traffic trace: every call goes on to the
// port, and the trace gets the port's opening, its settings, every exchange
// of a query and what was read after it, and every failure with the
// system's text.
class TracingSerialDevice final : public SerialDevice {
public:
    // The port of unit k, which `map` says where it leads.
    TracingSerialDevice(TrafficTrace& trace, const PortMap& map, int k);

    // The port whose calls are traced from now on.
    void wrap(SerialDevice& device) { m_device = &device; }

    bool Open(const char* szName) override;
    bool CreateEvents() override;
    bool SetQueueSizes(int nInput, int nOutput) override;
    bool GetLineSettings(LineSettings& settings) override;
    bool SetLineSettings(const LineSettings& settings) override;
    bool SetTimeouts(const CommTimeouts& timeouts) override;
    void Write(const char* data, int nCount) override;
    int ReadWaiting(char* buf, int nMax) override;
    void Close() override;
    const char* ErrorText() const override;
    bool hasFailed() const override;

private:
    // A line about the step and its detail, followed by "failed" and the
    // system's text when it did not succeed. Returns `ok`.
    bool noteStep(bool ok, const char* step, const char* detail);

    SerialDevice* m_device = nullptr;
    const PortMap& m_map;
    PortTrace m_port;
    // Opened for a run and not closed since: a further opening is a reopen.
    bool m_inRun = false;
    // Its failure is traced, once.
    bool m_failureTraced = false;
};
