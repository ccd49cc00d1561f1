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
    // QSerialPort keeps a text for every error it notes, "no error"
    // included, which would cost an allocation in every cycle.
    void forgetError();

    // The POSIX part (qtserialdevice_posix.cpp): writing what the system
    // takes at once, and reading what it holds by now, without waiting; each
    // returns how many bytes. They go past QSerialPort, which would allocate
    // in every cycle and wake the program for every piece of an answer that
    // nobody reads before the end of the wait. A read that finds the line
    // hung up marks the port failed.
    qint64 writeAtOnce(const char* data, qint64 nCount);
    qint64 readFromSystem(char* buf, qint64 nMax);

    QSerialPort m_port;
    QByteArray m_errorText;
    bool m_failed = false;
};
