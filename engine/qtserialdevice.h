#pragma once

#include "serialdevice.h"

#include <QByteArray>
#include <QSerialPort>

// A serial port of a Unix system, through QSerialPort. Writes go out without
// blocking; a read takes only what has already arrived. Calls on a port that
// is not open fail with the system's text for an invalid handle, as they
// would on a port whose opening failed.
class QtSerialDevice final : public SerialDevice {
public:
    QtSerialDevice();
    ~QtSerialDevice() override;

    bool Open(const char* szPath) override;
    // QSerialPort's notifiers tell when a port is ready; there is nothing else to wait on.
    bool CreateEvents() override { return true; }
    bool SetQueueSizes(int nInput, int nOutput) override;
    bool GetLineSettings(LineSettings& settings) override;
    bool SetLineSettings(const LineSettings& settings) override;
    bool SetTimeouts(const CommTimeouts& timeouts) override;
    void Write(const char* data, int nCount) override;
    int ReadWaiting(char* buf, int nMax) override;
    void Close() override;
    const char* ErrorText() const override;
    bool hasFailed() const override { return m_failed; }

private:
    bool failUnlessOpen();
    bool fail();
    // Forgets what QSerialPort noted of the last call (a look that found
    // nothing is a time-out to it), so that only a failure of the call at
    // hand reaches ErrorText.
    void forgetError();
    // Takes note when the last call found the line broken.
    void noteFailure();

    QSerialPort m_port;
    QByteArray m_errorText;
    bool m_failed = false;
};
