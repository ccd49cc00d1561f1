#pragma once

#include <QByteArray>

// From the moment a unit finishes until the run appends its line to the log,
// the run keeps the lines of its finished units in this file beside the log,
// so that a program killed mid-test (a crash, a power cut) loses none of
// them. It holds exactly the lines the log would get.
inline constexpr char RECOVERY_FILE_NAME[] = "BATTERY.TXT.recovery";

// A run's side of the file, from its start until it has settled its lines.
// The dialog holds it with the rest of the test state, so that it lives as
// long as the dialog does: an end that comes through the program's exit
// handler (the display gone mid-run) still finds it whole.
class RecoveryFile {
public:
    // At a run's start: lines that an earlier test left in the file, and that
    // the log could not take then, stay in it beside this run's until the next
    // start offers them again.
    void startKeeping();
    // Replaces the file with those earlier lines and the lines of the units
    // finished so far, whole or not at all: the new copy is written beside it,
    // put on the disk and renamed over it. False when that failed; the run goes
    // on all the same.
    bool keepFinishedUnits();
    // The run was cancelled: takes its lines out of the file, removing it when
    // nothing earlier is left.
    void discardKeptUnits();
    // The run has ended, or the program must end in the middle of it: appends
    // the lines of its finished units to the log, and takes them out of the
    // file once the log has them. False when the log could not take them; they
    // stay for the next start. Each run settles its lines once, by this or by
    // discardKeptUnits: after that, neither writes anything, so that an end
    // that comes while the run is still ending never logs a unit twice.
    bool appendKeptUnits();

private:
    // Leaves in the file only what earlier tests left there.
    void dropRunLines();

    QByteArray m_earlierLines;
    bool m_unsettled = false;
};

// At start-up: when a test left its finished units behind, shows their lines
// and asks whether to append them to the log. Yes appends them, No discards
// them. The file stays when appending failed (the operator has been told)
// or the program was asked to end before the answer.
void offerRecoveredResults();
