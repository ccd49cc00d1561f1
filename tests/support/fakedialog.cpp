#include "fakedialog.h"

#include "fakeport.h"
#include "lamps.h"

#include <cstdio>

FakeDialog::FakeDialog() : m_current(this)
{
    for (int i = 0; i < ID_COUNT; ++i) {
        m_exists[i] = true;
        m_text[i][0] = '\0';
    }
    AssignControlIds();
}

FakeDialog::~FakeDialog() = default;

void FakeDialog::setText(int nId, const char* szUtf8)
{
    std::snprintf(m_text[nId - FIRST_ID], TEXT_SIZE, "%s", szUtf8);
}

const char* FakeDialog::text(int nId) const
{
    return m_text[nId - FIRST_ID];
}

void FakeDialog::attach(int k, FakePort& port)
{
    portSet.setDevice(k, &port);
}

bool FakeDialog::ControlText(int nId, QString& text) const
{
    const int i = nId - FIRST_ID;
    if (i < 0 || i >= ID_COUNT || !m_exists[i])
        return false;
    text = QString::fromUtf8(m_text[i]);
    return true;
}

void FakeDialog::SetControlText(int nId, const char* szText)
{
    const int i = nId - FIRST_ID;
    if (i >= 0 && i < ID_COUNT && m_exists[i])
        setText(nId, szText);
}

void FakeDialog::StepActivityLights()
{
    ++lampSteps;
    litLamp = advanceLampPosition(nLampPos);
}

void FakeDialog::DispatchPendingMessages()
{
    ++pumps;
    if (onPump)
        onPump(*this);
}

std::int64_t FakeDialog::wallClockMs()
{
    return realClock ? TestDialogBase::wallClockMs() : nowMs;
}

SteadyClocks FakeDialog::steadyClocks()
{
    return realClock ? TestDialogBase::steadyClocks() : SteadyClocks{bootMs, awakeMs};
}

void FakeDialog::Sleep100ms()
{
    if (realClock) {
        TestDialogBase::Sleep100ms();
        return;
    }
    nowMs += 100;
    bootMs += 100;
    awakeMs += 100;
}
