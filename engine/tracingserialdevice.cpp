#include "tracingserialdevice.h"

#include "portmap.h"
#include "traffictrace.h"

#include <cstdio>
#include <QString>

namespace {

// A system's text on one line: Windows ends its texts with a line break.
void oneLine(const char* text, char* buf, int size)
{
    int n = 0;
    for (; text && text[n] != '\0' && n < size - 1; ++n)
        buf[n] = text[n] == '\r' || text[n] == '\n' ? ' ' : text[n];
    while (n > 0 && buf[n - 1] == ' ')
        --n;
    buf[n] = '\0';
}

constexpr int SETTINGS_TEXT_SIZE = 96;

// " 4800 8N1, DTR off, RTS off, no flow control"
void formatSettings(const LineSettings& settings, char (&buf)[SETTINGS_TEXT_SIZE])
{
    const char* flow = settings.bHardwareFlow ? "RTS/CTS flow control"
                       : settings.bXonXoff    ? "XON/XOFF flow control"
                                              : "no flow control";
    std::snprintf(buf, sizeof buf, " %d %d%c%d, DTR %s, RTS %s, %s", settings.nBaudRate,
                  settings.nDataBits, settings.bParity ? 'E' : 'N', settings.nStopBits,
                  settings.bDtr ? "on" : "off", settings.bRts ? "on" : "off", flow);
}

} // namespace

TracingSerialDevice::TracingSerialDevice(TrafficTrace& trace, const PortMap& map, int k)
    : m_map(map), m_port(trace, k)
{
}

bool TracingSerialDevice::Open(const char* szPath)
{
    const bool ok = m_device->Open(szPath);
    // The device as the operator gave it, and what it leads to when that
    // is another name (a link under /dev/serial/by-id/).
    const QString given = m_map.device(m_port.unit());
    const QString opened = QString::fromUtf8(szPath);
    const QByteArray device = (opened == given ? QStringLiteral(" ") + given
                                               : QStringLiteral(" %1 -> %2").arg(given, opened))
                                  .toUtf8();
    const char* step = m_inRun ? TRACE_REOPEN : TRACE_OPEN;
    m_inRun = true;
    m_failureTraced = m_failureTraced && !ok;
    return noteStep(ok, step, device.constData());
}

// Only a failure is worth a line: every port that can have events has them.
bool TracingSerialDevice::CreateEvents()
{
    return m_device->CreateEvents() || noteStep(false, "events", "");
}

bool TracingSerialDevice::SetQueueSizes(int nInput, int nOutput)
{
    char detail[64];
    std::snprintf(detail, sizeof detail, " %d bytes in, %d out", nInput, nOutput);
    return noteStep(m_device->SetQueueSizes(nInput, nOutput), "queues", detail);
}

bool TracingSerialDevice::GetLineSettings(LineSettings& settings)
{
    const bool ok = m_device->GetLineSettings(settings);
    char detail[SETTINGS_TEXT_SIZE] = {};
    if (ok)
        formatSettings(settings, detail);
    return noteStep(ok, "line settings read", detail);
}

bool TracingSerialDevice::SetLineSettings(const LineSettings& settings)
{
    char detail[SETTINGS_TEXT_SIZE];
    formatSettings(settings, detail);
    return noteStep(m_device->SetLineSettings(settings), TRACE_LINE_SETTINGS_SET, detail);
}

bool TracingSerialDevice::SetTimeouts(const CommTimeouts& timeouts)
{
    char detail[160];
    std::snprintf(detail, sizeof detail,
                  " read interval %u ms, read %u ms a byte + %u ms, write %u ms a byte + %u ms",
                  timeouts.ReadIntervalTimeout, timeouts.ReadTotalTimeoutMultiplier,
                  timeouts.ReadTotalTimeoutConstant, timeouts.WriteTotalTimeoutMultiplier,
                  timeouts.WriteTotalTimeoutConstant);
    return noteStep(m_device->SetTimeouts(timeouts), "time-outs", detail);
}

void TracingSerialDevice::Write(const char* data, int nCount)
{
    m_device->Write(data, nCount);
    if (nCount > 0)
        m_port.written(data, nCount);
}

int TracingSerialDevice::ReadWaiting(char* buf, int nMax)
{
    const int n = m_device->ReadWaiting(buf, nMax);
    if (nMax > 0)
        m_port.read(buf, n > 0 ? n : 0);
    if (n <= 0 && !m_failureTraced && m_device->hasFailed()) {
        m_failureTraced = true;
        noteStep(false, "read", "");
    }
    return n;
}

void TracingSerialDevice::Close()
{
    m_inRun = false;
    m_failureTraced = false;
    m_device->Close();
    m_port.interrupt();
    m_port.trace().note(m_port.unit(), "close");
}

const char* TracingSerialDevice::ErrorText() const
{
    return m_device->ErrorText();
}

bool TracingSerialDevice::hasFailed() const
{
    return m_device->hasFailed();
}

bool TracingSerialDevice::noteStep(bool ok, const char* step, const char* detail)
{
    m_port.interrupt();
    TrafficTrace& trace = m_port.trace();
    if (ok) {
        trace.note(m_port.unit(), "%s%s", step, detail);
        return true;
    }
    char text[512];
    oneLine(m_device->ErrorText(), text, sizeof text);
    trace.note(m_port.unit(), "%s%s failed: %s", step, detail, text);
    return false;
}
