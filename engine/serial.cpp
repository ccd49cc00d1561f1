#include "serial.h"

#include "gpsmaker.h"
#include "serialdevice.h"
#include "testdialogbase.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr int QUEUE_SIZE = 4096;
// An unknown maker gets the speed of NMEA 0183.
constexpr int FALLBACK_BAUD = 4800;
constexpr std::uint32_t MAXDWORD32 = 0xFFFFFFFFu;
constexpr std::uint32_t READ_TOTAL_TIMEOUT_MS = 1500;
// One read takes at most this much: more than the port's queues can hold, so
// only a line that delivers faster than the program takes could reach it.
constexpr long long DRAIN_LIMIT = 16LL * REPLY_SIZE;

UnitInfo& unitAt(int unit)
{
    return g_pTestDialog->units[unit];
}

// Keeps the system's text of a failure for ShowLastError.
void rememberError(const SerialDevice& device)
{
    char* last = g_pTestDialog->szLastError;
    std::snprintf(last, sizeof g_pTestDialog->szLastError, "%s", device.ErrorText());
}

// The unit's line: its maker's speed, 8N1, no modem lines, no flow control.
// False for an unknown maker, whose line gets the fallback speed.
bool setUnitLine(const UnitInfo& unit, LineSettings& settings)
{
    const GpsMakerTraits* maker = makerTraits(unit.eMfg);
    settings.nBaudRate = maker ? maker->baudRate : FALLBACK_BAUD;
    settings.nDataBits = 8;
    settings.bParity = 0;
    settings.nStopBits = 1;
    settings.bDtr = 0;
    settings.bRts = 0;
    settings.bXonXoff = 0;
    settings.bHardwareFlow = 0;
    return maker != nullptr;
}

void configurePort(int k)
{
    TestDialogBase& dlg = *g_pTestDialog;
    UnitInfo& unit = dlg.units[k];
    SerialDevice& port = *unit.hPort;

    if (!dlg.portSet.open(k)) {
        rememberError(port);
        dlg.MessageBoxOk("Could not open com port");
    }

    // Without its events a port still works, one operation at a time: the
    // set-up goes on.
    if (!port.CreateEvents())
        dlg.MessageBoxOk("Problem creating event handle");

    if (!port.SetQueueSizes(QUEUE_SIZE, QUEUE_SIZE)) {
        rememberError(port);
        dlg.MessageBoxOk("Problem setting com ports receive and transmit buffers");
        ShowLastError();
    }

    LineSettings settings;
    if (!port.GetLineSettings(settings)) {
        rememberError(port);
        dlg.MessageBoxOk("Could not get comm state");
        ShowLastError();
        return;
    }

    if (!setUnitLine(unit, settings))
        dlg.MessageBoxOk("InitializeCommPorts(): Unknown eMfg, setting to 4800");

    if (!port.SetLineSettings(settings)) {
        rememberError(port);
        dlg.MessageBoxOk("Could not set comm state");
        ShowLastError();
    }
}

} // namespace

int InitializeCommPorts()
{
    TestDialogBase& dlg = *g_pTestDialog;
    for (int k = 0; k < UNIT_COUNT; ++k) {
        if (!dlg.bPortEnabled[k])
            continue;
        UnitInfo& unit = dlg.units[k];
        unit.hPort = &dlg.portSet.port(k);
        unit.bInRun = 1;
        configurePort(k);
    }
    return 1;
}

bool SetPortTimeouts(int unit)
{
    CommTimeouts timeouts;
    timeouts.ReadIntervalTimeout = MAXDWORD32;
    timeouts.ReadTotalTimeoutMultiplier = MAXDWORD32;
    timeouts.ReadTotalTimeoutConstant = READ_TOTAL_TIMEOUT_MS;
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = 0;
    SerialDevice& port = *unitAt(unit).hPort;
    if (port.SetTimeouts(timeouts))
        return true;
    rememberError(port);
    return false;
}

bool reopenPort(int unit)
{
    TestDialogBase& dlg = *g_pTestDialog;
    SerialDevice& port = *unitAt(unit).hPort;
    if (!dlg.portSet.open(unit))
        return false;
    port.CreateEvents();
    port.SetQueueSizes(QUEUE_SIZE, QUEUE_SIZE);
    LineSettings settings;
    if (!port.GetLineSettings(settings))
        return false;
    setUnitLine(unitAt(unit), settings);
    return port.SetLineSettings(settings) && SetPortTimeouts(unit);
}

void SendQuery(int unit, int nCount)
{
    UnitInfo& info = unitAt(unit);
    if (!info.bInRun)
        return;
    if (nCount > QUERY_SIZE)
        nCount = QUERY_SIZE;
    info.hPort->Write(info.szQuery, nCount);
}

bool ReadReply(int unit)
{
    UnitInfo& info = unitAt(unit);
    std::memset(info.szReply, 0, sizeof info.szReply);
    if (!info.bInRun)
        return false;
    // Everything that has arrived is taken, so that nothing sent in an
    // earlier cycle, before the batteries died, can pass for an answer in a
    // later one. The buffer is filled round and round: when more arrived than
    // it holds (the run stood still behind a message box), the newest bytes
    // stay, since the answer to this cycle's query is the last to come.
    long long nTotal = 0;
    int nAt = 0;
    while (nTotal < DRAIN_LIMIT) {
        const int n = info.hPort->ReadWaiting(info.szReply + nAt, REPLY_SIZE - nAt);
        if (n <= 0)
            break;
        nTotal += n;
        nAt = (nAt + n) % REPLY_SIZE;
    }
    if (nTotal > REPLY_SIZE)
        std::rotate(info.szReply, info.szReply + nAt, info.szReply + REPLY_SIZE);
    return nTotal > 0;
}

int CloseCommPorts()
{
    for (UnitInfo& unit : g_pTestDialog->units) {
        if (!unit.bInRun)
            continue;
        unit.hPort->Close();
        unit.bInRun = 0;
    }
    return 1;
}

void ShowLastError()
{
    const char* text = g_pTestDialog->szLastError;
    g_pTestDialog->ErrorBox(text[0] ? text : "Unknown error");
}
