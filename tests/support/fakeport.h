#pragma once

#include "serialdevice.h"

#include <cstring>

// A serial port with a scripted receiver behind it: which set-up steps fail,
// and what each read finds waiting. It never allocates.
class FakePort : public SerialDevice {
public:
    bool bFailOpen = false;
    bool bFailEvents = false;
    bool bFailQueues = false;
    bool bFailGet = false;
    bool bFailSet = false;

    // The next nAnswers reads find `reply` waiting, then the receiver is
    // silent; nAnswers < 0 answers for ever. A read takes the reply in as
    // many pieces as it asks for, and ends when nothing is left.
    int nAnswers = 0;
    char reply[1024] = {};
    int nReplyLength = 0;
    void SetReply(const char* data, int length)
    {
        std::memcpy(reply, data, static_cast<std::size_t>(length));
        nReplyLength = length;
    }

    // Or, when set, what each read finds, one character a read: '+' the
    // reply, '-' nothing, 'x' the port failed, its adapter gone, and it opens
    // only for a read that is not 'x'; silent after the last.
    const char* szReads = nullptr;
    bool bFailed = false;

    // What the program did.
    bool bOpen = false;
    int nOpens = 0, nCloses = 0, nWrites = 0, nReads = 0;
    char lastWrite[256] = {};
    int nLastWriteLength = 0;
    LineSettings applied;

    bool Open(const char*) override
    {
        ++nOpens;
        bOpen = !bFailOpen && Scripted(nReads) != 'x';
        bFailed = bFailed && !bOpen;
        if (bOpen)
            applied = LineSettings();
        m_szError = "No such file or directory";
        return bOpen;
    }
    bool hasFailed() const override { return bFailed; }
    // Events belong to the program, not to the port: made even for a port
    // that failed to open.
    bool CreateEvents() override { return !bFailEvents; }
    bool SetQueueSizes(int, int) override { return Step(bFailQueues); }
    bool GetLineSettings(LineSettings& settings) override
    {
        settings = applied;
        return Step(bFailGet);
    }
    bool SetLineSettings(const LineSettings& settings) override
    {
        const bool ok = Step(bFailSet);
        if (ok)
            applied = settings;
        return ok;
    }
    bool SetTimeouts(const CommTimeouts&) override { return Step(false); }
    void Write(const char* data, int nCount) override
    {
        ++nWrites;
        nLastWriteLength = nCount < 256 ? nCount : 256;
        std::memcpy(lastWrite, data, static_cast<std::size_t>(nLastWriteLength));
    }
    int ReadWaiting(char* buf, int nMax) override
    {
        if (m_nTaken < 0) {
            ++nReads;
            const bool waiting = szReads ? Scripted(nReads - 1) == '+' : nAnswers != 0;
            if (Scripted(nReads - 1) == 'x' && bOpen) {
                bOpen = false;
                bFailed = true;
                m_szError = "Input/output error";
            }
            if (!bOpen || !waiting)
                return 0;
            nAnswers -= nAnswers > 0 ? 1 : 0;
            m_nTaken = 0;
        }
        const int left = nReplyLength - m_nTaken;
        const int n = left < nMax ? left : nMax;
        if (n <= 0) {
            m_nTaken = -1;
            return 0;
        }
        std::memcpy(buf, reply + m_nTaken, static_cast<std::size_t>(n));
        m_nTaken += n;
        return n;
    }
    void Close() override
    {
        ++nCloses;
        bOpen = bFailed = false;
    }
    const char* ErrorText() const override { return m_szError; }

private:
    char Scripted(int i) const
    {
        return szReads && std::strlen(szReads) > std::size_t(i) ? szReads[i] : '-';
    }
    // A step on a port that is not open fails as one on an invalid handle.
    bool Step(bool bFails)
    {
        m_szError = bOpen ? "Input/output error" : "Bad file descriptor";
        return bOpen && !bFails;
    }
    const char* m_szError = "";
    int m_nTaken = -1; // bytes of the reply taken by the read under way
};
