#include "sleepinhibitor.h"

#include <QCoreApplication>

QString SleepInhibitor::reason()
{
    return QStringLiteral("Battery endurance test in progress");
}

void SleepInhibitor::reportUnavailable(const QString& why)
{
    static bool reported = false;
    if (reported)
        return;
    reported = true;
    qWarning("%s: cannot keep the computer awake during the test (%s). Make sure it does not "
             "go to sleep by itself while a test runs.",
             qPrintable(QCoreApplication::applicationName()), qPrintable(why));
}
