#include "sleepinhibitor.h"

#include <windows.h>

// The thread's execution state: ES_CONTINUOUS keeps the request until it is
// replaced; the display may still turn off. The shutdown block reason is
// what Windows shows beside the program when signing out or shutting down
// is held up, for as long as the window has one; the program holds it up by
// answering the system's question no while a test runs. Where the system
// keeps no reasons, the test goes on without.

SleepInhibitor::SleepInhibitor(quintptr window)
{
    m_held = SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED) != 0;
    if (!m_held)
        reportUnavailable(QStringLiteral("SetThreadExecutionState failed"));
    if (window == 0)
        return;
    // Taken back at the end whether or not the system kept it: taking back
    // a reason a window does not have does nothing.
    const HWND handle = reinterpret_cast<HWND>(window);
    const QString why = reason();
    ShutdownBlockReasonCreate(handle, reinterpret_cast<LPCWSTR>(why.utf16()));
    m_token = reinterpret_cast<qintptr>(handle);
}

SleepInhibitor::~SleepInhibitor()
{
    if (m_held)
        SetThreadExecutionState(ES_CONTINUOUS);
    if (m_token != -1)
        ShutdownBlockReasonDestroy(reinterpret_cast<HWND>(m_token));
}
