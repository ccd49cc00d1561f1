#pragma once

#include <cstdio>
#include <QString>
#include <QTime>

// What happens to the receivers, one time-stamped line each on standard
// error: deaths, bad queries and faults always, every query and reply when
// verbose. Standard output stays for the lines a script reads.
class EventLog {
public:
    explicit EventLog(bool verbose) : m_verbose(verbose) {}

    void note(const QString& text) const
    {
        const QString time = QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz "));
        std::fputs((time + text + QLatin1Char('\n')).toUtf8().constData(), stderr);
        std::fflush(stderr);
    }
    void detail(const QString& text) const
    {
        if (m_verbose)
            note(text);
    }

private:
    bool m_verbose;
};
