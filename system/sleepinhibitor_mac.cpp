#include "sleepinhibitor.h"

#include <CoreFoundation/CoreFoundation.h>
#include <IOKit/pwr_mgt/IOPMLib.h>

// A power assertion against idle sleep; the display may still turn off.

SleepInhibitor::SleepInhibitor(quintptr /*window*/)
{
    IOPMAssertionID id = kIOPMNullAssertionID;
    const CFStringRef why = reason().toCFString();
    const IOReturn result = IOPMAssertionCreateWithName(
        kIOPMAssertionTypePreventUserIdleSystemSleep, kIOPMAssertionLevelOn, why, &id);
    CFRelease(why);
    m_held = result == kIOReturnSuccess;
    if (m_held)
        m_token = static_cast<qintptr>(id);
    else
        reportUnavailable(QStringLiteral("IOPMAssertionCreateWithName failed: %1").arg(result));
}

SleepInhibitor::~SleepInhibitor()
{
    if (m_held)
        IOPMAssertionRelease(static_cast<IOPMAssertionID>(m_token));
}
