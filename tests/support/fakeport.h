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

    // A receiver on the clock rather than a count of reads, once nLifeMs is
    // set: it lives that long from its first query and answers each query
    // late, nLateMs plus a second more for each query before it, up to
    // nLateSpreadMs more (3 to 6 s: 3000 and 3000); or, with nBurstMs, it
    // answers nothing and talks in bursts that far apart.
    long long nLifeMs = -1;
    long long nLateMs = 0, nLateSpreadMs = 0, nBurstMs = 0;

    // What the program did; with a clock, when it last read and got an answer.
    bool bOpen = false;
    int nOpens = 0, nCloses = 0, nWrites = 0, nReads = 0;
    char lastWrite[256] = {};
    int nLastWriteLength = 0;
    LineSettings applied;
    const long long* pClockMs = nullptr;
    long long nLastReadMs = -1, nLastAnswerMs = -1;

    bool Open(const char*) override
    {
        ++nOpens;
        bOpen = !bFailOpen;
        m_szError = "No such file or directory";
        return bOpen;
    }
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
        if (pClockMs) {
            m_queryMs[m_nQueries % QUERIES_KEPT] = *pClockMs;
            m_nFirstQueryMs = m_nQueries++ == 0 ? *pClockMs : m_nFirstQueryMs;
        }
        nLastWriteLength = nCount < 256 ? nCount : 256;
        std::memcpy(lastWrite, data, static_cast<std::size_t>(nLastWriteLength));
    }
    int ReadWaiting(char* buf, int nMax) override
    {
        if (m_nTaken < 0) {
            ++nReads;
            nLastReadMs = pClockMs ? *pClockMs : -1;
            const bool waiting = nLifeMs >= 0 ? TimedBytesWaiting() : nAnswers != 0;
            if (!bOpen || !waiting)
                return 0;
            nAnswers -= nAnswers > 0 ? 1 : 0;
            nLastAnswerMs = nLastReadMs;
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
        bOpen = false;
    }
    const char* ErrorText() const override { return m_szError; }

private:
    // Whether an answer or a burst came, while the receiver lived, since the
    // read before.
    bool TimedBytesWaiting()
    {
        const long long since = m_nTimedReadMs;
        m_nTimedReadMs = nLastReadMs;
        const long long death = m_nFirstQueryMs + nLifeMs;
        if (nBurstMs > 0) {
            const auto bursts = [&](long long t) {
                t = t < death ? t : death;
                return t < m_nFirstQueryMs ? 0 : (t - m_nFirstQueryMs) / nBurstMs + 1;
            };
            return bursts(nLastReadMs) > bursts(since);
        }
        for (int n = m_nQueries - 1; n >= 0 && n >= m_nQueries - QUERIES_KEPT; --n) {
            const long long at =
                m_queryMs[n % QUERIES_KEPT] + nLateMs + (n * 1000LL) % (nLateSpreadMs + 1000);
            if (at > since && at <= nLastReadMs && at <= death)
                return true;
        }
        return false;
    }

    static constexpr int QUERIES_KEPT = 8;
    long long m_queryMs[QUERIES_KEPT] = {};
    int m_nQueries = 0;
    long long m_nFirstQueryMs = -1;
    long long m_nTimedReadMs = -1;

    // A step on a port that is not open fails as one on an invalid handle.
    bool Step(bool bFails)
    {
        m_szError = bOpen ? "Input/output error" : "Bad file descriptor";
        return bOpen && !bFails;
    }
    const char* m_szError = "";
    int m_nTaken = -1; // bytes of the reply taken by the read under way
};
