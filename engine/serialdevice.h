#pragma once

#include <cstdint>
#include <memory>

// Line settings of a serial port, as far as the receivers care.
struct LineSettings {
    std::int32_t nBaudRate = 0;
    std::int32_t nDataBits = 0;     // 5..8
    std::int32_t bParity = 0;       // 0: no parity bit on the line
    std::int32_t nStopBits = 0;     // 1 or 2
    std::int32_t bDtr = 0;          // DTR line asserted
    std::int32_t bRts = 0;          // RTS line asserted
    std::int32_t bXonXoff = 0;      // software flow control
    std::int32_t bHardwareFlow = 0; // RTS/CTS flow control
};

// Read and write time-outs in milliseconds, in the classic serial-driver
// sense: with interval and multiplier at their maximum a read returns at
// once with whatever has arrived.
struct CommTimeouts {
    std::uint32_t ReadIntervalTimeout = 0;
    std::uint32_t ReadTotalTimeoutMultiplier = 0;
    std::uint32_t ReadTotalTimeoutConstant = 0;
    std::uint32_t WriteTotalTimeoutMultiplier = 0;
    std::uint32_t WriteTotalTimeoutConstant = 0;
};

// One serial port as the channel uses it. No operation may wait for the
// receiver: the run keeps the window alive between its steps and relies on
// every call returning at once. After a failed call ErrorText() holds the
// operating system's text for that failure.
class SerialDevice {
public:
    virtual ~SerialDevice() = default;

    // szPath is the system's name for the port, in UTF-8: /dev/ttyUSB0,
    // COM7. PortSet works it out for each unit.
    virtual bool Open(const char* szPath) = 0;
    // What signals the end of a write or read left to finish by itself; a
    // port that needs none has nothing to create. Called after Open, whether
    // or not the opening succeeded.
    virtual bool CreateEvents() = 0;
    // Sizes of the input and output queues.
    virtual bool SetQueueSizes(int nInput, int nOutput) = 0;
    virtual bool GetLineSettings(LineSettings& settings) = 0;
    virtual bool SetLineSettings(const LineSettings& settings) = 0;
    virtual bool SetTimeouts(const CommTimeouts& timeouts) = 0;
    // Starts sending the bytes and returns; the outcome is not reported.
    virtual void Write(const char* data, int nCount) = 0;
    // Takes at most nMax of the bytes that have arrived, oldest first: those
    // the port has buffered, then those the driver holds. Returns how many
    // were taken: 0 when none are left or the port has failed.
    virtual int ReadWaiting(char* buf, int nMax) = 0;
    // Closing a port that is not open does nothing.
    virtual void Close() = 0;
    virtual const char* ErrorText() const = 0;
    // The open port broke: its line hung up or a read failed, as when its
    // USB adapter went away. It stays so, reading nothing, until it is
    // opened again or closed; ErrorText() says why.
    virtual bool hasFailed() const = 0;
};

// The platform's own serial port: QSerialPort, or the communications
// functions of Windows. One of the two device files defines it.
std::unique_ptr<SerialDevice> createSystemSerialDevice();
