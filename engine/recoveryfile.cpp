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

QByteArray& EarlierLines()
{
    static QByteArray lines;
    return lines;
}

bool Keep(const QByteArray& lines)
{
    QSaveFile file(FileName());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    file.write(lines);
    return file.commit();
}

} // namespace

void startKeeping()
{
    QFile file(FileName());
    QByteArray& earlier = EarlierLines();
    earlier = file.open(QIODevice::ReadOnly | QIODevice::Text) ? file.readAll() : QByteArray();
    if (!earlier.isEmpty() && !earlier.endsWith('\n'))
        earlier += '\n';
}

bool keepFinishedUnits()
{
    // Allocates, unlike the polling: it happens once per unit and run.
    return Keep(EarlierLines() + finishedUnitLines());
}

void discardKeptUnits()
{
    if (EarlierLines().isEmpty())
        QFile::remove(FileName());
    else
        Keep(EarlierLines());
}

void offerRecoveredResults()
{
    QFile file(FileName());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QByteArray lines = file.readAll();
    file.close();
    if (lines.trimmed().isEmpty()) {
        discardKeptUnits();
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
    discardKeptUnits();
}
