#pragma once

#include <QString>

// What happens to the receivers, one time-stamped line each on standard
// error: deaths, bad queries and faults always, every query and reply when
// verbose. Standard output stays for the lines a script reads.
class EventLog {
public:
    explicit EventLog(bool bVerbose) : m_bVerbose(bVerbose) {}

    void Note(const QString& text) const;
    void Detail(const QString& text) const;

private:
    bool m_bVerbose;
};
