#include "run.h"

#include "gpsmaker.h"
#include "logformat.h"
#include "resultlog.h"
#include "runclock.h"
#include "serial.h"
#include "serialdevice.h"
#include "testdialogbase.h"
#include "timetext.h"
#include "unitwatch.h"
#include "versionqueries.h"

#include <climits>
#include <cstdint>
#include <cstring>

namespace {

// The wait between the queries and the reads, in whole seconds of the clock.
constexpr std::int64_t POLL_WAIT_SECONDS = 2;
// Room for the note on units that fell silent while the computer slept.
constexpr int NOTE_SIZE = 1024;

// What a run keeps beside the units' records, for as long as it lasts.
struct RunState {
    explicit RunState(TestDialogBase& dialog) : clock(dialog) {}

    RunClock clock;
    UnitWatch watches[UNIT_COUNT];
    long cycle = 0;
};

// A unit takes part in a phase while its box is ticked, this run took it in
// at set-up (a port ticked later was never opened by this run), and it is
// not finished: a unit whose silence is not yet confirmed is polled on.
bool isPolled(int k)
{
    const TestDialogBase& dlg = *g_pTestDialog;
    const UnitInfo& unit = dlg.units[k];
    return dlg.bPortEnabled[k] && unit.bInRun && !unit.bDone;
}

void showTime(int nCtrl, std::time_t t)
{
    char text[CTIME_LINE_SIZE];
    formatCtimeLine(t, text);
    g_pTestDialog->SetControlText(nCtrl, text);
}

// Cut into 32 bits; far beyond any real run, but a run left for decades
// must not make the conversion undefined.
int clampedSeconds(std::int64_t seconds)
{
    if (seconds >= INT_MAX)
        return INT_MAX;
    if (seconds <= INT_MIN)
        return INT_MIN;
    return static_cast<int>(seconds);
}

void sendQueryOf(int k)
{
    const UnitInfo& unit = g_pTestDialog->units[k];
    if (const GpsMakerTraits* maker = makerTraits(unit.eMfg))
        SendQuery(k, maker->queryLength(unit.szQuery));
    else
        g_pTestDialog->MessageBoxOk("Transmit message: UNKNOWN GPS MANUFACTURER");
}

void checkReplyOf(int k)
{
    UnitInfo& unit = g_pTestDialog->units[k];
    if (const GpsMakerTraits* maker = makerTraits(unit.eMfg))
        maker->checkReply(k, unit.szReply);
    else
        g_pTestDialog->MessageBoxOk("unknown pInfo->eMfg");
}

// The unit whose silence began at `t` is finished: its endurance runs from
// its start to then. Its line is kept at once, in case the program dies
// before the run ends.
void finishUnit(int k, std::time_t t)
{
    UnitInfo& unit = g_pTestDialog->units[k];
    unit.bDone = 1;
    StampLastResponse(k, t);
    unit.dEndurance = clampedSeconds(static_cast<std::int64_t>(t) - unit.tStart);
    char text[ENDURANCE_SIZE];
    formatEndurance(static_cast<int>(unit.dEndurance), text, sizeof text);
    g_pTestDialog->SetControlText(unit.nEnduranceCtrl, text);
    std::memcpy(unit.szEndurance, text, sizeof unit.szEndurance);
    g_pTestDialog->recoveryFile().keepFinishedUnits();
}

// A port that failed while open, its USB adapter gone with a resume or a
// loose plug, is opened again by the same name before every query while the
// unit's silence is being confirmed: the system enumerates the adapter anew,
// and the same name (a link under /dev/serial/by-id/, or COMn) leads to it
// once it is back, with the receiver still running behind it.
void reopenIfFailed(int k, const UnitWatch& watch)
{
    if (watch.confirming() && g_pTestDialog->units[k].hPort->hasFailed())
        reopenPort(k);
}

// Gives the receivers about two seconds to answer, handling window events
// about ten times a second. The clock counts whole seconds, so the wait
// lasts between one and two seconds and a little more. An end asked for by
// the system cuts it short.
void waitForReplies(RunClock& clock)
{
    TestDialogBase& dlg = *g_pTestDialog;
    const std::time_t start = clock.now();
    std::int64_t elapsed = 0;
    do {
        PumpMessages();
        elapsed = clock.now() - start;
        dlg.Sleep100ms();
    } while (elapsed < POLL_WAIT_SECONDS && !dlg.isEndRequested());
}

void setUp(int& nLive, RunState& run)
{
    TestDialogBase& dlg = *g_pTestDialog;
    nLive = 0;
    dlg.ResetUnits();
    BuildVersionQueries();
    InitializeCommPorts();
    dlg.nLampPos = 0;
    dlg.StepActivityLights();
    for (int k = 0; k < UNIT_COUNT; ++k) {
        if (dlg.units[k].bInRun && !SetPortTimeouts(k))
            ShowLastError();
    }
    // Every box of the set-up has been answered before any unit starts: the
    // time an operator takes to read them is no unit's endurance.
    for (int k = 0; k < UNIT_COUNT; ++k) {
        UnitInfo& unit = dlg.units[k];
        if (!unit.bInRun)
            continue;
        unit.bDone = 0;
        unit.tStart = run.clock.now();
        showTime(unit.nStartTimeCtrl, unit.tStart);
        ++nLive;
    }
}

// Unit k's read, and what it tells. The time is taken at the read, before
// a check's box may wait for the operator.
void readUnit(int k, RunState& run)
{
    const bool answered = ReadReply(k);
    const std::time_t readAt = run.clock.now();
    UnitWatch& watch = run.watches[k];
    watch.read(answered, readAt, run.clock, run.cycle);
    // Any bytes are an answer; the check only decides the version text.
    if (answered)
        checkReplyOf(k);
    // The endurance ends at the first read of the silence, a few reads back.
    if (watch.confirmed())
        finishUnit(k, watch.silentSince());
    else
        StampLastResponse(k, readAt);
}

// One poll cycle; returns how many units were queried in it.
int pollCycle(RunState& run)
{
    TestDialogBase& dlg = *g_pTestDialog;
    int nLive = 0;
    // A sleep since the last reads belongs before these queries.
    run.clock.now();
    ++run.cycle;
    for (int k = 0; k < UNIT_COUNT; ++k) {
        if (!isPolled(k))
            continue;
        ++nLive;
        reopenIfFailed(k, run.watches[k]);
        run.watches[k].queried(run.clock);
        sendQueryOf(k);
    }
    dlg.StepActivityLights();
    PumpMessages();
    if (nLive != 0)
        waitForReplies(run.clock);
    // The flags are looked up again: the operator may have changed them
    // during the wait. Once the end is asked for (after a wait cut short,
    // or in a box of an earlier unit's reply), no unit finishes any more:
    // a live one could look silent, and the finished ones are logged.
    for (int k = 0; k < UNIT_COUNT && !dlg.isEndRequested(); ++k) {
        if (isPolled(k))
            readUnit(k, run);
    }
    return nLive;
}

// After the completion box: the units whose silence began while the
// computer slept, when there are any.
void noteSleeps(const RunState& run)
{
    char note[NOTE_SIZE];
    if (noteSilencesAsleep(run.watches, note, sizeof note))
        g_pTestDialog->MessageBoxOk(note);
}

// The finished units' lines go to the log, unless the operator cancelled
// the run: then nothing of it is logged.
void settleKeptUnits()
{
    RecoveryFile& kept = g_pTestDialog->recoveryFile();
    if (g_pTestDialog->bCancel)
        kept.discardKeptUnits();
    else
        kept.appendKeptUnits();
}

} // namespace

int PumpMessages()
{
    g_pTestDialog->DispatchPendingMessages();
    return 0;
}

void StampLastResponse(int unit, std::time_t t)
{
    UnitInfo& info = g_pTestDialog->units[unit];
    info.tLastResponse = t;
    showTime(info.nLastResponseCtrl, info.tLastResponse);
}

int RunEnduranceTest()
{
    TestDialogBase& dlg = *g_pTestDialog;
    RunState run(dlg);
    dlg.recoveryFile().startKeeping();
    int nLive = 0;
    setUp(nLive, run);

    // The cycle in which the last unit goes silent still counted it, so one
    // more cycle follows: it queries nobody, skips the wait and ends the loop.
    while (!dlg.bCancel && !dlg.isEndRequested() && nLive != 0)
        nLive = pollCycle(run);

    CloseCommPorts();
    settleKeptUnits();
    // Before any box waits for the operator, who may not come before
    // morning: whatever a run holds from the system is let go here.
    dlg.runEnded();
    // Ended by the system, the program is about to go: nothing may wait for
    // the operator, and endRunNow has logged what there was to log.
    if (dlg.isEndRequested())
        return 1;
    if (dlg.bCancel) {
        dlg.MessageBoxOk("Test cancelled by user");
        dlg.nLampPos = 0;
        dlg.StepActivityLights();
    } else {
        dlg.MessageBoxOk("Test completed... all units did not reply");
        noteSleeps(run);
    }
    return 1;
}

void endRunNow()
{
    TestDialogBase& dlg = *g_pTestDialog;
    dlg.requestEnd();
    settleKeptUnits();
}
