#pragma once

#include <memory>
#include <QString>
#include <QtGlobal>

class PortalInhibition;

// Keeps the computer from going to sleep, and the desktop from logging out
// or shutting down without first naming the test, for as long as it exists.
// A test runs for hours, and a computer that suspends on idle in the middle
// of it ends every unit's endurance there and then. Where the system cannot
// be asked, the test goes on all the same and standard error says so, once
// per program run. The platform's part is in sleepinhibitor_<system>.cpp;
// on Linux and other freedesktop systems it asks logind and, where one
// answers, the desktop portal.
class SleepInhibitor {
public:
    // window: the main window's native handle (0 for none), which some
    // systems name as the one that asks (a shutdown block reason belongs to
    // a window on Windows).
    explicit SleepInhibitor(quintptr window);
    ~SleepInhibitor();
    SleepInhibitor(const SleepInhibitor&) = delete;
    SleepInhibitor& operator=(const SleepInhibitor&) = delete;

    // What the system is told, where it asks why.
    static QString reason();

private:
    static void reportUnavailable(const QString& why);

    bool m_held = false;
    // The system's token for the request: logind's file descriptor, an
    // IOKit assertion, the window that holds Windows' shutdown block reason;
    // unused where the request needs none.
    qintptr m_token = -1;
    // The desktop portal's request, on systems that have one; shared with
    // its answer, which may come after this object has gone.
    std::shared_ptr<PortalInhibition> m_portal;
};
