#include "eventlog.h"

#include <cstdio>
#include <QTime>

void EventLog::Note(const QString& text) const
{
    const QByteArray line =
        (QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz ")) + text + '\n').toUtf8();
    std::fputs(line.constData(), stderr);
    std::fflush(stderr);
}

void EventLog::Detail(const QString& text) const
{
    if (m_bVerbose)
        Note(text);
}
