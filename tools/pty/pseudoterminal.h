#pragma once

#include <string>

// The line settings of a pseudo-terminal as its far end sees them.
struct PtyLineSettings {
    int baudRate = 0;
    int dataBits = 0;
    bool parity = false;
    int stopBits = 0;
    bool raw = false; // no echo, no line editing, no CR/LF translation
    bool xonXoff = false;
    bool hardwareFlow = false;
};

// A pseudo-terminal pair that stands in for a receiver on a serial line: the
// program opens deviceName() as its port, and the owner of this object is the
// receiver at the other end. Closing it is the receiver being unplugged.
class PseudoTerminal {
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool isOpen() const { return m_master >= 0; }
    // The port's path, such as /dev/pts/3.
    const std::string& deviceName() const { return m_deviceName; }
    // The receiver's end, for poll().
    int descriptor() const { return m_master; }

    // Sends bytes to the program. Returns the count written, -1 on failure.
    int write(const void* data, int count);
    // Takes what the program has sent, waiting at most msTimeout for the
    // first byte (0: do not wait). Returns the count, 0 when nothing came.
    int read(void* buf, int size, int msTimeout = 0);
    // Bytes sent to the program that wait in the port's input queue, not yet
    // taken by it.
    int waitingAtPort() const;
    // Reads the settings the program gave the line.
    bool lineSettings(PtyLineSettings& settings) const;
    // The receiver disappears, as an unplugged USB adapter does.
    void close();

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_deviceName;
};
