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

    // Bytes off the line as text: printable ASCII as it is, the rest <hex>.
    static QString printable(const QByteArray& bytes)
    {
        QString text;
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= 0x20 && byte < 0x7F)
                text += QLatin1Char(c);
            else
                text += QStringLiteral("<%1>").arg(byte, 2, 16, QLatin1Char('0'));
        }
        return text;
    }

private:
    bool m_verbose;
};
