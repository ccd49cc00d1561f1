// The serial ports of Windows, through the system's communications
// functions. The port is opened for overlapped I/O so that no call waits for
// a receiver: a write is handed to the driver and left to finish by itself,
// and a read takes only what the driver's input queue already holds.
#include "serialdevice.h"
#include "utf8.h"

#include <algorithm>
#include <cstdio>
#include <QString>
#include <windows.h>

namespace {

// A query is at most this long; the bytes of a write must stay put until
// the driver has sent them, long after WriteFile has returned.
constexpr DWORD WRITE_BUFFER_SIZE = 512;
// A read of bytes the driver already holds completes at once; this bounds
// the wait should a driver still report it as pending.
constexpr DWORD READ_COMPLETION_MS = 500;

class Win32SerialDevice final : public SerialDevice {
public:
    Win32SerialDevice() = default;
    ~Win32SerialDevice() override { Close(); }
    Win32SerialDevice(const Win32SerialDevice&) = delete;
    Win32SerialDevice& operator=(const Win32SerialDevice&) = delete;

    bool Open(const char* szPath) override;
    bool CreateEvents() override;
    bool SetQueueSizes(int nInput, int nOutput) override;
    bool GetLineSettings(LineSettings& settings) override;
    bool SetLineSettings(const LineSettings& settings) override;
    bool SetTimeouts(const CommTimeouts& timeouts) override;
    void Write(const char* data, int nCount) override;
    int ReadWaiting(char* buf, int nMax) override;
    void Close() override;
    const char* ErrorText() const override { return m_szErrorText; }
    bool hasFailed() const override { return m_bFailed; }

private:
    bool fail();
    bool writePending();
    int failRead();

    HANDLE m_hPort = INVALID_HANDLE_VALUE;
    // One event per direction, so that waiting for a read can never be
    // woken by the end of a write.
    HANDLE m_hWriteEvent = nullptr;
    HANDLE m_hReadEvent = nullptr;
    OVERLAPPED m_osWrite = {};
    OVERLAPPED m_osRead = {};
    bool m_bWriting = false;
    bool m_bFailed = false;
    // The line settings as the port reported them; only what the receivers
    // care about is changed before they are written back.
    DCB m_dcb = {};
    char m_writeBuffer[WRITE_BUFFER_SIZE] = {};
    char m_szErrorText[512] = {};
};

// COM1 to COM9 can be opened by their bare names, COM10 and above only in
// the device namespace, which serves every port alike.
std::wstring devicePath(const QString& device)
{
    const QString path =
        device.startsWith(QLatin1String("\\\\")) ? device : QStringLiteral("\\\\.\\") + device;
    return path.toStdWString();
}

bool Win32SerialDevice::Open(const char* szPath)
{
    // A failed port stays failed until it opens again: the adapter may not
    // be back yet.
    const bool failed = m_bFailed;
    Close();
    const std::wstring path = devicePath(QString::fromUtf8(szPath));
    m_hPort =
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    m_bFailed = failed && m_hPort == INVALID_HANDLE_VALUE;
    return m_hPort != INVALID_HANDLE_VALUE || fail();
}

bool Win32SerialDevice::CreateEvents()
{
    m_osWrite = {};
    m_osRead = {};
    // Auto-reset, not signalled, no name. Without them the port's own handle
    // signals completion, which still works for one operation at a time.
    m_hWriteEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    m_hReadEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!m_hWriteEvent || !m_hReadEvent)
        return fail();
    m_osWrite.hEvent = m_hWriteEvent;
    m_osRead.hEvent = m_hReadEvent;
    return true;
}

// The calls below go to the system whatever the handle holds: after a failed
// opening each one fails with the system's own text for an invalid handle.

bool Win32SerialDevice::SetQueueSizes(int nInput, int nOutput)
{
    return SetupComm(m_hPort, static_cast<DWORD>(nInput), static_cast<DWORD>(nOutput)) || fail();
}

bool Win32SerialDevice::GetLineSettings(LineSettings& settings)
{
    m_dcb = {};
    m_dcb.DCBlength = sizeof m_dcb;
    if (!GetCommState(m_hPort, &m_dcb))
        return fail();
    settings.nBaudRate = static_cast<std::int32_t>(m_dcb.BaudRate);
    settings.nDataBits = m_dcb.ByteSize;
    settings.bParity = m_dcb.Parity != NOPARITY;
    settings.nStopBits = m_dcb.StopBits == TWOSTOPBITS ? 2 : 1;
    settings.bDtr = m_dcb.fDtrControl == DTR_CONTROL_ENABLE;
    settings.bRts = m_dcb.fRtsControl == RTS_CONTROL_ENABLE;
    settings.bXonXoff = m_dcb.fOutX || m_dcb.fInX;
    settings.bHardwareFlow = m_dcb.fOutxCtsFlow && m_dcb.fRtsControl == RTS_CONTROL_HANDSHAKE;
    return true;
}

bool Win32SerialDevice::SetLineSettings(const LineSettings& settings)
{
    DCB dcb = m_dcb;
    dcb.DCBlength = sizeof dcb;
    dcb.BaudRate = static_cast<DWORD>(settings.nBaudRate);
    dcb.ByteSize = static_cast<BYTE>(settings.nDataBits);
    dcb.Parity = settings.bParity ? EVENPARITY : NOPARITY;
    dcb.StopBits = settings.nStopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    dcb.fBinary = TRUE;
    // Parity checking on, with no parity bit on the line, as the program
    // always configured its ports.
    dcb.fParity = TRUE;
    dcb.fDtrControl = settings.bDtr ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
    dcb.fRtsControl = settings.bHardwareFlow ? RTS_CONTROL_HANDSHAKE
                      : settings.bRts        ? RTS_CONTROL_ENABLE
                                             : RTS_CONTROL_DISABLE;
    if (settings.bHardwareFlow)
        dcb.fOutxCtsFlow = TRUE;
    dcb.fOutX = settings.bXonXoff ? TRUE : FALSE;
    dcb.fInX = settings.bXonXoff ? TRUE : FALSE;
    return SetCommState(m_hPort, &dcb) || fail();
}

bool Win32SerialDevice::SetTimeouts(const CommTimeouts& timeouts)
{
    COMMTIMEOUTS system = {};
    system.ReadIntervalTimeout = timeouts.ReadIntervalTimeout;
    system.ReadTotalTimeoutMultiplier = timeouts.ReadTotalTimeoutMultiplier;
    system.ReadTotalTimeoutConstant = timeouts.ReadTotalTimeoutConstant;
    system.WriteTotalTimeoutMultiplier = timeouts.WriteTotalTimeoutMultiplier;
    system.WriteTotalTimeoutConstant = timeouts.WriteTotalTimeoutConstant;
    return SetCommTimeouts(m_hPort, &system) || fail();
}

bool Win32SerialDevice::writePending()
{
    if (!m_bWriting)
        return false;
    DWORD nSent = 0;
    if (!GetOverlappedResult(m_hPort, &m_osWrite, &nSent, FALSE) &&
        GetLastError() == ERROR_IO_INCOMPLETE)
        return true;
    m_bWriting = false;
    return false;
}

void Win32SerialDevice::Write(const char* data, int nCount)
{
    // A write the line has not yet taken still owns the buffer; a second one
    // could not go out before it anyway.
    if (m_hPort == INVALID_HANDLE_VALUE || nCount <= 0 || writePending())
        return;
    const DWORD n = std::min(static_cast<DWORD>(nCount), WRITE_BUFFER_SIZE);
    std::copy(data, data + n, m_writeBuffer);
    if (WriteFile(m_hPort, m_writeBuffer, n, nullptr, &m_osWrite))
        return;
    m_bWriting = GetLastError() == ERROR_IO_PENDING;
}

int Win32SerialDevice::ReadWaiting(char* buf, int nMax)
{
    // The queue's count also clears any line error, which would otherwise
    // fail every later read.
    DWORD errors = 0;
    COMSTAT status = {};
    if (nMax <= 0 || m_hPort == INVALID_HANDLE_VALUE)
        return 0;
    if (!ClearCommError(m_hPort, &errors, &status))
        return failRead();
    if (status.cbInQue == 0)
        return 0;
    const DWORD nWanted = std::min(status.cbInQue, static_cast<DWORD>(nMax));
    DWORD nRead = 0;
    if (ReadFile(m_hPort, buf, nWanted, nullptr, &m_osRead)) {
        GetOverlappedResult(m_hPort, &m_osRead, &nRead, FALSE);
        return static_cast<int>(nRead);
    }
    if (GetLastError() != ERROR_IO_PENDING)
        return failRead();
    // The bytes are in the queue, so the read ends at once; should it not,
    // it is called off rather than let hold the window. Either way it must
    // be over before the buffer goes back to the caller. A block without an
    // event of its own signals its end on the port.
    const HANDLE done = m_osRead.hEvent ? m_osRead.hEvent : m_hPort;
    if (WaitForSingleObject(done, READ_COMPLETION_MS) != WAIT_OBJECT_0)
        CancelIoEx(m_hPort, &m_osRead);
    GetOverlappedResult(m_hPort, &m_osRead, &nRead, TRUE);
    return static_cast<int>(nRead);
}

void Win32SerialDevice::Close()
{
    if (m_hPort != INVALID_HANDLE_VALUE) {
        // A write still under way reads its buffer until it is called off.
        if (writePending()) {
            DWORD nSent = 0;
            CancelIoEx(m_hPort, &m_osWrite);
            GetOverlappedResult(m_hPort, &m_osWrite, &nSent, TRUE);
            m_bWriting = false;
        }
        CloseHandle(m_hPort);
        m_hPort = INVALID_HANDLE_VALUE;
    }
    m_bFailed = false;
    for (HANDLE* event : {&m_hWriteEvent, &m_hReadEvent}) {
        if (*event)
            CloseHandle(*event);
        *event = nullptr;
    }
}

// A port whose queue cannot be asked for or read from has lost its device:
// a USB adapter gone, which the system may enumerate again under the same
// name.
int Win32SerialDevice::failRead()
{
    m_bFailed = true;
    fail();
    return 0;
}

// Keeps the system's own text for the failure, in the language of the
// system, as UTF-8 like every other text of the program.
bool Win32SerialDevice::fail()
{
    const DWORD code = GetLastError();
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                                            FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                        reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    if (length == 0 || !text) {
        std::snprintf(m_szErrorText, sizeof m_szErrorText, "System error %lu",
                      static_cast<unsigned long>(code));
        return false;
    }
    // The system ends its texts with a line break, which a box would show
    // as an empty last line.
    const QString message = QString::fromWCharArray(text, static_cast<int>(length)).trimmed();
    LocalFree(text);
    const QByteArray utf8 = message.toUtf8();
    copyUtf8Truncated(m_szErrorText, sizeof m_szErrorText, utf8.constData(), utf8.size());
    return false;
}

} // namespace

std::unique_ptr<SerialDevice> createSystemSerialDevice()
{
    return std::make_unique<Win32SerialDevice>();
}
