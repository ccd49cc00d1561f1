#include "runclock.h"

#include "testdialogbase.h"
#include "timetext.h"

RunClock::RunClock(TestDialogBase& dialog)
    : m_dialog(dialog), m_wallMsAtStart(dialog.wallClockMs()),
      m_monotonicMsAtStart(dialog.monotonicMs())
{
}

std::int64_t RunClock::seconds() const
{
    return wholeSeconds(m_wallMsAtStart + (m_dialog.monotonicMs() - m_monotonicMsAtStart));
}
