#pragma once

#include <QString>

// The stable names DIR/COM1 .. DIR/COM4: symbolic links to whatever
// pseudo-terminal each unit got, so that the program's settings do not
// change from one start of the simulator to the next.
class PortLinks {
public:
    PortLinks() = default;
    ~PortLinks() { removeAll(); }
    PortLinks(const PortLinks&) = delete;
    PortLinks& operator=(const PortLinks&) = delete;

    // Makes the directory when it is missing.
    bool prepare(const QString& dir, QString& error);
    QString linkPath(int port) const { return m_dir + QStringLiteral("/COM%1").arg(port); }
    // Points DIR/COMn at the device. A link left there before is replaced;
    // anything else there is an error.
    bool create(int port, const QString& device, QString& error);
    // Removes DIR/COMn while it still points at our device: another
    // simulator may have taken the name since.
    void remove(int port);
    // Removes every link, and the directory when this object made it and it
    // is now empty.
    void removeAll();

private:
    static constexpr int PORTS = 4;
    QString m_dir;
    bool m_madeDir = false;
    QString m_targets[PORTS];
};
