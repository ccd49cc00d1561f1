#include "fakedialog.h"

#include "fakeport.h"
#include "lamps.h"

#include <cstdio>
#include <cstring>

FakeDialog::FakeDialog()
{
    for (int i = 0; i < ID_COUNT; ++i) {
        m_exists[i] = true;
        m_text[i][0] = '\0';
    }
    g_pTestDialog = this;
    AssignControlIds();
}

FakeDialog::~FakeDialog()
{
    if (g_pTestDialog == this)
        g_pTestDialog = nullptr;
}

void FakeDialog::SetText(int nId, const char* szUtf8)
{
    const int i = nId - FIRST_ID;
    if (i >= 0 && i < ID_COUNT)
        std::snprintf(m_text[i], TEXT_SIZE, "%s", szUtf8);
}

const char* FakeDialog::Text(int nId) const
{
    const int i = nId - FIRST_ID;
    return i >= 0 && i < ID_COUNT && m_exists[i] ? m_text[i] : "";
}

void FakeDialog::RemoveControl(int nId)
{
    const int i = nId - FIRST_ID;
    if (i >= 0 && i < ID_COUNT)
        m_exists[i] = false;
}

std::vector<std::string> FakeDialog::Messages() const
{
    std::vector<std::string> texts;
    for (const Box& box : boxes)
        texts.push_back((box.bError ? "Error: " : "") + box.text);
    return texts;
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
        std::snprintf(m_text[i], TEXT_SIZE, "%s", szText);
}

void FakeDialog::StepActivityLights()
{
    ++nLampSteps;
    nLitLamp = AdvanceLampPosition(nLampPos);
}

void FakeDialog::MessageBoxOk(const char* szText)
{
    Record(false, szText);
}

void FakeDialog::ErrorBox(const char* szText)
{
    Record(true, szText);
}

void FakeDialog::Record(bool bError, const char* szText)
{
    Box box;
    box.bError = bError;
    box.text = szText;
    box.atMs = nowMs;
    if (onBox)
        onBox(*this, box);
    boxes.push_back(box);
}

void FakeDialog::DispatchPendingMessages()
{
    ++nPumps;
    if (onPump)
        onPump(*this);
}

std::time_t FakeDialog::CurrentTime()
{
    if (bRealClock)
        return TestDialogBase::CurrentTime();
    // Floor, so that a clock set back before the epoch still counts whole
    // seconds the way time() does.
    return static_cast<std::time_t>(nowMs >= 0 ? nowMs / 1000 : -((-nowMs + 999) / 1000));
}

void FakeDialog::Sleep100ms()
{
    if (bRealClock)
        TestDialogBase::Sleep100ms();
    else
        nowMs += 100;
}

void FakeDialog::Attach(int k, FakePort& port)
{
    devices[k] = &port;
    port.pClockMs = &nowMs;
}

SerialDevice& FakeDialog::CommDevice(int k)
{
    return devices[k] ? *devices[k] : TestDialogBase::CommDevice(k);
}
