#include "recoveryfile.h"

#include "resultlog.h"
#include "testdialogbase.h"

#include <QFile>
#include <QSaveFile>

namespace {

QString FileName()
{
    return QString::fromLatin1(RECOVERY_FILE_NAME);
}

// The run's side of the file, from its start until it has settled its lines.
struct Kept {
    QByteArray earlierLines;
    bool unsettled = false;
};

Kept& State()
{
    static Kept kept;
    return kept;
}

bool Keep(const QByteArray& lines)
{
    QSaveFile file(FileName());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    file.write(lines);
    return file.commit();
}

// Leaves in the file only what earlier tests left there.
void DropRunLines(const Kept& kept)
{
    if (kept.earlierLines.isEmpty())
        QFile::remove(FileName());
    else
        Keep(kept.earlierLines);
}

} // namespace

void startKeeping()
{
    QFile file(FileName());
    QByteArray& earlier = State().earlierLines;
    earlier = file.open(QIODevice::ReadOnly | QIODevice::Text) ? file.readAll() : QByteArray();
    if (!earlier.isEmpty() && !earlier.endsWith('\n'))
        earlier += '\n';
    State().unsettled = true;
}

bool keepFinishedUnits()
{
    // Allocates, unlike the polling: it happens once per unit and run.
    return Keep(State().earlierLines + finishedUnitLines());
}

void discardKeptUnits()
{
    Kept& kept = State();
    if (!kept.unsettled)
        return;
    kept.unsettled = false;
    DropRunLines(kept);
}

bool appendKeptUnits()
{
    Kept& kept = State();
    if (!kept.unsettled)
        return true;
    // Settled before the writing, which may wait on a box: an end that comes
    // meanwhile must not append the same lines again.
    kept.unsettled = false;
    if (!WriteResults())
        return false;
    DropRunLines(kept);
    return true;
}

void offerRecoveredResults()
{
    QFile file(FileName());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QByteArray lines = file.readAll();
    file.close();
    if (lines.trimmed().isEmpty()) {
        QFile::remove(FileName());
        return;
    }
    if (!lines.endsWith('\n'))
        lines += '\n';
    const QByteArray question =
        "A test that ended before it could write its results left these lines in " +
        QByteArray(RECOVERY_FILE_NAME) + ":\n\n" + lines.chopped(1) +
        "\n\nAppend them to BATTERY.TXT? No discards them.";
    const bool append = g_pTestDialog->askToAppendRecoveredResults(question.constData());
    if (g_pTestDialog->isEndRequested() || (append && !appendToResultLog(lines)))
        return;
    QFile::remove(FileName());
}
