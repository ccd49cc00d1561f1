#pragma once

#include "serialdevice.h"

#include <QByteArray>
#include <QSerialPort>

// A serial port of the system, through QSerialPort. Writes go out without
// blocking; a read takes only what has already arrived. Calls on a port that
// is not open fail with the system's text for an invalid handle, as they
// would on a port whose opening failed.
class QtSerialDevice final : public SerialDevice {
public:
    QtSerialDevice();
    ~QtSerialDevice() override;

    bool Open(const char* szName) override;
    bool SetQueueSizes(int nInput, int nOutput) override;
    bool GetLineSettings(LineSettings& settings) override;
    bool SetLineSettings(const LineSettings& settings) override;
    bool SetTimeouts(const CommTimeouts& timeouts) override;
    void Write(const char* data, int nCount) override;
    int ReadWaiting(char* buf, int nMax) override;
    void Close() override;
    const char* ErrorText() const override;

private:
    bool failUnlessOpen();
    bool fail();

    QSerialPort m_port;
    QByteArray m_errorText;
};
