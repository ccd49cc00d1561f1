#include "qtserialdevice.h"

#include <cerrno>
#include <cstring>

QtSerialDevice::QtSerialDevice() = default;

QtSerialDevice::~QtSerialDevice()
{
    Close();
}

bool QtSerialDevice::Open(const char* szPath)
{
    // A failed port stays failed until it opens again: the adapter may not
    // be back yet.
    const bool failed = m_failed;
    Close();
    m_port.setPortName(QString::fromUtf8(szPath));
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_failed = failed;
        return fail();
    }
    return true;
}

bool QtSerialDevice::SetQueueSizes(int nInput, int /*nOutput*/)
{
    if (!failUnlessOpen())
        return false;
    // QSerialPort's output buffer grows as needed; only input is bounded.
    m_port.setReadBufferSize(nInput);
    return true;
}

bool QtSerialDevice::GetLineSettings(LineSettings& settings)
{
    if (!failUnlessOpen())
        return false;
    settings.nBaudRate = m_port.baudRate();
    settings.nDataBits = m_port.dataBits();
    settings.bParity = m_port.parity() != QSerialPort::NoParity;
    settings.nStopBits = m_port.stopBits() == QSerialPort::TwoStop ? 2 : 1;
    settings.bXonXoff = m_port.flowControl() == QSerialPort::SoftwareControl;
    settings.bHardwareFlow = m_port.flowControl() == QSerialPort::HardwareControl;
    // Adapters and pseudo-terminals without modem lines cannot report them.
    settings.bDtr = m_port.isDataTerminalReady();
    settings.bRts = m_port.isRequestToSend();
    forgetError();
    return true;
}

bool QtSerialDevice::SetLineSettings(const LineSettings& settings)
{
    if (!failUnlessOpen())
        return false;
    const QSerialPort::FlowControl flow = settings.bHardwareFlow ? QSerialPort::HardwareControl
                                          : settings.bXonXoff    ? QSerialPort::SoftwareControl
                                                                 : QSerialPort::NoFlowControl;
    const bool applied =
        m_port.setBaudRate(settings.nBaudRate) &&
        m_port.setDataBits(static_cast<QSerialPort::DataBits>(settings.nDataBits)) &&
        m_port.setParity(settings.bParity ? QSerialPort::EvenParity : QSerialPort::NoParity) &&
        m_port.setStopBits(settings.nStopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) &&
        m_port.setFlowControl(flow);
    if (!applied)
        return fail();
    // A line without modem control (a pseudo-terminal, many USB adapters)
    // refuses DTR and RTS; that leaves them off, which is what is wanted.
    m_port.setDataTerminalReady(settings.bDtr != 0);
    m_port.setRequestToSend(settings.bRts != 0);
    forgetError();
    return true;
}

bool QtSerialDevice::SetTimeouts(const CommTimeouts& /*timeouts*/)
{
    // Reads here never wait: ReadWaiting takes what has arrived and returns,
    // which is what the maximal interval and multiplier ask for. Only the
    // port's validity is left to check.
    return failUnlessOpen();
}

void QtSerialDevice::Write(const char* data, int nCount)
{
    if (!m_port.isOpen() || nCount <= 0)
        return;
    // Straight to the system while nothing waits before it in QSerialPort.
    const qint64 nAtOnce = m_port.bytesToWrite() == 0 ? writeAtOnce(data, nCount) : 0;
    if (nAtOnce < nCount) {
        m_port.write(data + nAtOnce, nCount - nAtOnce);
        // Hands as much as the driver takes right now to the port, without
        // waiting; the rest follows from the event loop.
        m_port.flush();
    }
    forgetError();
}

int QtSerialDevice::ReadWaiting(char* buf, int nMax)
{
    if (!m_port.isOpen() || nMax <= 0)
        return 0;
    // What QSerialPort has taken in already comes first; once that is used
    // up, whatever the driver holds by now, without waiting for more.
    // QSerialPort's buffer is bounded by the queue size, so the driver may
    // hold the newer bytes.
    const qint64 nRead =
        m_port.bytesAvailable() > 0 ? m_port.read(buf, nMax) : readFromSystem(buf, nMax);
    forgetError();
    return nRead > 0 ? static_cast<int>(nRead) : 0;
}

void QtSerialDevice::Close()
{
    if (m_port.isOpen())
        m_port.close();
    m_failed = false;
}

const char* QtSerialDevice::ErrorText() const
{
    return m_errorText.constData();
}

bool QtSerialDevice::failUnlessOpen()
{
    if (m_port.isOpen())
        return true;
    // The same text the system gives for an operation on an invalid handle.
    m_errorText = std::strerror(EBADF);
    return false;
}

void QtSerialDevice::forgetError()
{
    if (m_port.error() != QSerialPort::NoError)
        m_port.clearError();
}

bool QtSerialDevice::fail()
{
    m_errorText = m_port.errorString().toUtf8();
    m_port.clearError();
    return false;
}

std::unique_ptr<SerialDevice> createSystemSerialDevice()
{
    return std::make_unique<QtSerialDevice>();
}
