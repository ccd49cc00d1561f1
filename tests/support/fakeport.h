#pragma once

#include "serialdevice.h"

#include <cstring>

// A serial port with a scripted receiver behind it: which set-up steps fail,
// and what each read finds waiting. It never allocates.
class FakePort : public SerialDevice {
public:
    // The set-up step that fails: "open", "events", "queues", "get" or "set".
    const char* failStep = "";

    // The next answers reads find `reply` waiting, then the receiver is
    // silent; answers < 0 answers for ever. A read takes the reply in as
    // many pieces as it asks for, and ends when nothing is left.
    int answers = 0;
    char reply[1024] = {};
    int replyLength = 0;
    void setReply(const char* data, int length)
    {
        std::memcpy(reply, data, static_cast<std::size_t>(length));
        replyLength = length;
    }

    // Or, when set, what each read finds, one character a read: '+' the
    // reply, '-' nothing, 'x' the port failed, its adapter gone, and it opens
    // only for a read that is not 'x'; silent after the last.
    const char* readScript = nullptr;
    bool failed = false;

    // What the program did.
    bool opened = false;
    int opens = 0, closes = 0, writes = 0, reads = 0;
    LineSettings applied;

    bool Open(const char*) override
    {
        ++opens;
        opened = !fails("open") && scripted(reads) != 'x';
        failed = failed && !opened;
        if (opened)
            applied = LineSettings();
        m_error = "No such file or directory";
        return opened;
    }
    bool hasFailed() const override { return failed; }
    // Events belong to the program, not to the port: made even for a port
    // that failed to open.
    bool CreateEvents() override { return !fails("events"); }
    bool SetQueueSizes(int, int) override { return step(fails("queues")); }
    bool GetLineSettings(LineSettings& settings) override
    {
        settings = applied;
        return step(fails("get"));
    }
    bool SetLineSettings(const LineSettings& settings) override
    {
        const bool ok = step(fails("set"));
        if (ok)
            applied = settings;
        return ok;
    }
    bool SetTimeouts(const CommTimeouts&) override { return step(false); }
    void Write(const char*, int) override { ++writes; }
    int ReadWaiting(char* buf, int nMax) override
    {
        if (m_taken < 0) {
            ++reads;
            const bool waiting = readScript ? scripted(reads - 1) == '+' : answers != 0;
            if (scripted(reads - 1) == 'x' && opened) {
                opened = false;
                failed = true;
                m_error = "Input/output error";
            }
            if (!opened || !waiting)
                return 0;
            answers -= answers > 0 ? 1 : 0;
            m_taken = 0;
        }
        const int left = replyLength - m_taken;
        const int n = left < nMax ? left : nMax;
        if (n <= 0) {
            m_taken = -1;
            return 0;
        }
        std::memcpy(buf, reply + m_taken, static_cast<std::size_t>(n));
        m_taken += n;
        return n;
    }
    void Close() override
    {
        ++closes;
        opened = failed = false;
    }
    const char* ErrorText() const override { return m_error; }

private:
    bool fails(const char* step) const { return std::strcmp(failStep, step) == 0; }
    char scripted(int i) const
    {
        return readScript && std::strlen(readScript) > std::size_t(i) ? readScript[i] : '-';
    }
    // A step on a port that is not open fails as one on an invalid handle.
    bool step(bool fails)
    {
        m_error = opened ? "Input/output error" : "Bad file descriptor";
        return opened && !fails;
    }
    const char* m_error = "";
    int m_taken = -1; // bytes of the reply taken by the read under way
};
