#include "recoveryfile.h"

#include "logformat.h"
#include "resultlog.h"
#include "testdialogbase.h"

#include <QFile>
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

bool keep(const QByteArray& lines)
{
    QSaveFile file(fileName());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    file.write(lines);
    return file.commit();
}

} // namespace

void RecoveryFile::startKeeping()
{
    QFile file(fileName());
    m_earlierLines =
        file.open(QIODevice::ReadOnly | QIODevice::Text) ? file.readAll() : QByteArray();
    if (!m_earlierLines.isEmpty() && !m_earlierLines.endsWith('\n'))
        m_earlierLines += '\n';
    m_unsettled = true;
}

bool RecoveryFile::keepFinishedUnits()
{
    // Allocates, unlike the polling: it happens once per unit and run.
    return keep(m_earlierLines + finishedUnitLines());
}

void RecoveryFile::discardKeptUnits()
{
    if (!m_unsettled)
        return;
    m_unsettled = false;
    dropRunLines();
}

bool RecoveryFile::appendKeptUnits()
{
    if (!m_unsettled)
        return true;
    // Settled before the writing, which may wait on a box: an end that comes
    // meanwhile must not append the same lines again.
    m_unsettled = false;
    if (!WriteResults())
        return false;
    dropRunLines();
    return true;
}

void RecoveryFile::dropRunLines()
{
    if (m_earlierLines.isEmpty())
        QFile::remove(fileName());
    else
        keep(m_earlierLines);
}

void offerRecoveredResults()
{
    QFile file(fileName());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QByteArray lines = file.readAll();
    file.close();
    if (lines.trimmed().isEmpty()) {
        QFile::remove(fileName());
        return;
    }
    if (!lines.endsWith('\n'))
        lines += '\n';
    const QByteArray question =
        "A test that ended before it could write its results left these lines in " +
        QByteArray(RECOVERY_FILE_NAME) + ":\n\n" + lines.chopped(1) + "\n\nAppend them to " +
        QByteArray(LOG_FILE_NAME) + "? No discards them.";
    const bool append = g_pTestDialog->askToAppendRecoveredResults(question.constData());
    if (g_pTestDialog->isEndRequested() || (append && !appendToResultLog(lines)))
        return;
    QFile::remove(fileName());
}
