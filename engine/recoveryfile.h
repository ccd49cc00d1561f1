#pragma once

#include <memory>
#include <QByteArray>

class QLockFile;

// From the moment a unit finishes until the run appends its line to the log,
// the run keeps the lines of its finished units in this file beside the log,
// so that a program killed mid-test (a crash, a power cut) loses none of
// them. It holds exactly the lines the log would get.
inline constexpr char RECOVERY_FILE_NAME[] = "BATTERY.TXT.recovery";

// A run's side of the file, from its start until it has settled its lines.
// The dialog holds it with the rest of the test state, so that it lives as
// long as the dialog does: an end that comes through the program's exit
// handler (the display gone mid-run) still finds it whole. The file holds
// only lines that are not in the log yet, and one test at a time owns it: a
// second copy of the program run in the same folder, while a test of the
// first is under way, neither offers, rewrites nor appends that test's lines.
class RecoveryFile {
public:
    RecoveryFile();
    ~RecoveryFile();
    RecoveryFile(const RecoveryFile&) = delete;
    RecoveryFile& operator=(const RecoveryFile&) = delete;

    // At a run's start: lines that an earlier test left in the file, and that
    // the log could not take then, stay in it beside this run's until the next
    // start offers them again.
    void startKeeping();
    // Replaces the file with those earlier lines and the lines of the units
    // finished so far, whole or not at all: the new copy is written beside it,
    // put on the disk and renamed over it. False when that failed, or a test
    // of another copy owns the file; the run goes on all the same.
    bool keepFinishedUnits();
    // The run was cancelled: takes its lines out of the file, removing it when
    // nothing earlier is left.
    void discardKeptUnits();
    // The run has ended, or the program must end in the middle of it: appends
    // the lines of its finished units to the log, and takes out of the file
    // those the log has. False when the log could not take them all; the rest
    // stay for the next start. Each run settles its lines once, by this or by
    // discardKeptUnits: after that, neither writes anything, so that an end
    // that comes while the run is still ending never logs a unit twice.
    bool appendKeptUnits();

private:
    // Whether this run owns the file; takes it when no other test does, and
    // then reads what earlier tests left in it.
    bool own();
    // Leaves in the file what earlier tests left there and these lines of
    // this run, and lets it go.
    void settle(const QByteArray& runLines);

    std::unique_ptr<QLockFile> m_lock;
    QByteArray m_earlierLines;
    bool m_unsettled = false;
};

// At start-up: when a test left its finished units behind, shows their lines
// and asks whether to append them to the log. Yes appends them, No discards
// them. The lines the log could not take stay (the operator has been told),
// all of them when the program was asked to end before the answer. Nothing
// is offered while a test of another copy owns the file.
void offerRecoveredResults();
