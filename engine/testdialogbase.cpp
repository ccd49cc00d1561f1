#include "testdialogbase.h"

#include "controlids.h"
#include "utf8.h"

#include <cstring>
#include <QCoreApplication>
#include <QDateTime>
#include <QThread>

TestDialogBase* g_pTestDialog = nullptr;

TestDialogBase::TestDialogBase() = default;
TestDialogBase::~TestDialogBase() = default;

void TestDialogBase::AssignControlIds()
{
    for (int k = 0; k < UNIT_COUNT; ++k) {
        UnitInfo& unit = units[k];
        unit.nMfgCtrl = IDC_GPS_MFG_BASE + k;
        unit.nBatteryMakerCtrl = IDC_BATTERY_MAKER_BASE + k;
        unit.nBatteryTypeCtrl = IDC_BATTERY_TYPE_BASE + k;
        unit.nCapacityCtrl = IDC_CAPACITY_BASE + k;
        unit.nCommentsCtrl = IDC_COMMENTS_BASE + k;
        unit.nUnitLabelCtrl = IDC_UNIT_LABEL_BASE + k;
        unit.nStartTimeCtrl = IDC_START_TIME_BASE + k;
        unit.nLastResponseCtrl = IDC_LAST_RESPONSE_BASE + k;
        unit.nEnduranceCtrl = IDC_ENDURANCE_BASE + k;
    }
}

void TestDialogBase::ResetUnits()
{
    for (UnitInfo& unit : units) {
        unit.bDone = 0;
        unit.tStart = 0;
        unit.tLastResponse = 0;
        unit.dEndurance = 0.0;
        std::memset(unit.szEndurance, 0, sizeof unit.szEndurance);
        SetControlText(unit.nStartTimeCtrl, "");
        SetControlText(unit.nLastResponseCtrl, "");
        SetControlText(unit.nEnduranceCtrl, "");
    }
}

bool TestDialogBase::GetControlText(int nId, char* buf, int cap) const
{
    if (cap <= 0)
        return false;
    buf[0] = '\0';
    QString text;
    if (!ControlText(nId, text))
        return false;
    const QByteArray utf8 = text.toUtf8();
    copyUtf8Truncated(buf, cap, utf8.constData(), utf8.size());
    return true;
}

void TestDialogBase::DispatchPendingMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

std::int64_t TestDialogBase::wallClockMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

SteadyClocks TestDialogBase::steadyClocks()
{
    return readSteadyClocks();
}

void TestDialogBase::Sleep100ms()
{
    QThread::msleep(100);
}

void TestDialogBase::runEnded() {}
