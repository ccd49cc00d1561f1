#include "recoveryfile.h"

#include "logformat.h"
#include "resultlog.h"
#include "testdialogbase.h"

#include <memory>
#include <QFile>
#include <QLockFile>
#include <QSaveFile>

namespace {

// The file is named after the log, so that the two sort together.
constexpr bool namedAfterLog(const char* name)
{
    for (const char* log = LOG_FILE_NAME; *log != '\0'; ++log, ++name) {
        if (*name != *log)
            return false;
    }
    return true;
}
static_assert(namedAfterLog(RECOVERY_FILE_NAME));

QString fileName()
{
    return QString::fromLatin1(RECOVERY_FILE_NAME);
}

// One test at a time owns the file: the one under way, or a start offering
// what an ended test left. Another copy of the program run in the same
// folder keeps off it meanwhile. The lock dies with its process, so that
// the lines of a test that crashed go to the next start.
std::unique_ptr<QLockFile> takeLock()
{
    auto lock = std::make_unique<QLockFile>(fileName() + QStringLiteral(".lock"));
    // A test holds it for days: only an owner gone makes it stale, not its age.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        lock.reset();
    return lock;
}

// What the file holds, each line ended.
QByteArray readKept()
{
    QFile file(fileName());
    QByteArray lines =
        file.open(QIODevice::ReadOnly | QIODevice::Text) ? file.readAll() : QByteArray();
    if (!lines.isEmpty() && !lines.endsWith('\n'))
        lines += '\n';
    return lines;
}

// The file holds these lines, whole or not at all: the new copy is written
// beside it, put on the disk and renamed over it. With none it goes.
bool keepOnly(const QByteArray& lines)
{
    if (lines.trimmed().isEmpty())
        return QFile::remove(fileName()) || !QFile::exists(fileName());
    QSaveFile file(fileName());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    file.write(lines);
    return file.commit();
}

} // namespace

RecoveryFile::RecoveryFile() = default;
RecoveryFile::~RecoveryFile() = default;

void RecoveryFile::startKeeping()
{
    m_lock.reset();
    m_earlierLines.clear();
    m_unsettled = true;
    own();
}

bool RecoveryFile::own()
{
    if (m_lock)
        return true;
    m_lock = takeLock();
    if (m_lock)
        m_earlierLines = readKept();
    return m_lock != nullptr;
}

bool RecoveryFile::keepFinishedUnits()
{
    // Allocates, unlike the polling: it happens once per unit and run.
    return own() && keepOnly(m_earlierLines + finishedUnitLines());
}

void RecoveryFile::discardKeptUnits()
{
    if (!m_unsettled)
        return;
    m_unsettled = false;
    settle(QByteArray());
}

bool RecoveryFile::appendKeptUnits()
{
    if (!m_unsettled)
        return true;
    // Settled before the writing, which may wait on a box: an end that comes
    // meanwhile must not append the same lines again.
    m_unsettled = false;
    const QByteArray lines = finishedUnitLines();
    const qsizetype written = appendToResultLog(lines);
    // What the log took goes, so that a part-written append (a disk that
    // filled up) is not offered whole again.
    settle(lines.mid(written));
    return written == lines.size();
}

void RecoveryFile::settle(const QByteArray& runLines)
{
    if (m_lock || (!runLines.isEmpty() && own()))
        keepOnly(m_earlierLines + runLines);
    m_lock.reset();
}

void offerRecoveredResults()
{
    const std::unique_ptr<QLockFile> lock = takeLock();
    if (!lock)
        return;
    const QByteArray lines = readKept();
    if (lines.trimmed().isEmpty()) {
        keepOnly(QByteArray());
        return;
    }
    const QByteArray question =
        "A test that ended before it could write its results left these lines in " +
        QByteArray(RECOVERY_FILE_NAME) + ":\n\n" + lines.chopped(1) + "\n\nAppend them to " +
        QByteArray(LOG_FILE_NAME) + "? No discards them.";
    const bool append = g_pTestDialog->askToAppendRecoveredResults(question.constData());
    if (g_pTestDialog->isEndRequested())
        return;
    // Lines the log could not take stay for the next start; the operator
    // has been told.
    keepOnly(append ? lines.mid(appendToResultLog(lines)) : QByteArray());
}
