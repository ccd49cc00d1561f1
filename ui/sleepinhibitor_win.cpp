#include "sleepinhibitor.h"

#include <windows.h>

// The thread's execution state: ES_CONTINUOUS keeps the request until it is
// replaced; the display may still turn off.

SleepInhibitor::SleepInhibitor(QWidget* /*window*/)
{
    m_held = SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED) != 0;
    if (!m_held)
        reportUnavailable(QStringLiteral("SetThreadExecutionState failed"));
}

SleepInhibitor::~SleepInhibitor()
{
    if (m_held)
        SetThreadExecutionState(ES_CONTINUOUS);
}
