#pragma once

#include "serialdevice.h"

#include <cstring>

// A serial port with a receiver behind it that the test scripts: which set-up
// steps fail, and what each read finds waiting. It never allocates, so runs
// over it can be checked for allocations.
class FakePort : public SerialDevice {
public:
    // Set-up steps that fail, with the system's text they report.
    bool bFailOpen = false;
    bool bFailQueues = false;
    bool bFailGet = false;
    bool bFailSet = false;
    bool bFailTimeouts = false;
    const char* szFailureText = "Input/output error";

    // The receiver: the next nAnswers reads find `reply` waiting (then it is
    // silent); nAnswers < 0 answers for ever.
    int nAnswers = 0;
    char reply[512] = {};
    int nReplyLength = 0;
    void SetReply(const char* data, int length)
    {
        std::memcpy(reply, data, static_cast<std::size_t>(length));
        nReplyLength = length;
    }

    // What the program did.
    bool bOpen = false;
    int nOpens = 0;
    int nCloses = 0;
    int nWrites = 0;
    int nReads = 0;
    char lastWrite[256] = {};
    int nLastWriteLength = 0;
    LineSettings applied;
    // With a clock to look at, the times of the last read and last answer.
    const long long* pClockMs = nullptr;
    long long nLastReadMs = -1;
    long long nLastAnswerMs = -1;
    char szOpenedName[16] = {};

    bool Open(const char* szName) override
    {
        ++nOpens;
        std::strncpy(szOpenedName, szName, sizeof szOpenedName - 1);
        bOpen = !bFailOpen;
        if (!bOpen)
            m_szError = szFailureText;
        return bOpen;
    }
    bool SetQueueSizes(int, int) override { return Step(bFailQueues); }
    bool GetLineSettings(LineSettings& settings) override
    {
        if (!Step(bFailGet))
            return false;
        settings = applied;
        return true;
    }
    bool SetLineSettings(const LineSettings& settings) override
    {
        if (!Step(bFailSet))
            return false;
        applied = settings;
        return true;
    }
    bool SetTimeouts(const CommTimeouts&) override { return Step(bFailTimeouts); }
    void Write(const char* data, int nCount) override
    {
        ++nWrites;
        nLastWriteLength = nCount < 256 ? nCount : 256;
        std::memcpy(lastWrite, data, static_cast<std::size_t>(nLastWriteLength));
    }
    int ReadWaiting(char* buf, int nMax) override
    {
        ++nReads;
        if (pClockMs)
            nLastReadMs = *pClockMs;
        if (!bOpen || nAnswers == 0)
            return 0;
        if (nAnswers > 0)
            --nAnswers;
        if (pClockMs)
            nLastAnswerMs = *pClockMs;
        const int n = nReplyLength < nMax ? nReplyLength : nMax;
        std::memcpy(buf, reply, static_cast<std::size_t>(n));
        return n;
    }
    void Close() override
    {
        ++nCloses;
        bOpen = false;
    }
    const char* ErrorText() const override { return m_szError; }

private:
    // A step on a port that is not open fails as one on an invalid handle.
    bool Step(bool bFails)
    {
        if (!bOpen)
            m_szError = "Bad file descriptor";
        else if (bFails)
            m_szError = szFailureText;
        return bOpen && !bFails;
    }
    const char* m_szError = "";
};
