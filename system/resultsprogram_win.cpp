#include "resultsprogram.h"

#include <cstdlib>
#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

// Windows cannot replace a process with another: Dunmerrow Results runs as
// a child with this program's standard channels, waited for, and its exit
// status becomes this one's. Both are installed in one folder.
QString becomeResultsProgram(const QString& file)
{
    const QString dir = QCoreApplication::applicationDirPath();
    const QString path =
        QStandardPaths::findExecutable(QStringLiteral(DUNMERROW_RESULTS_PROGRAM), {dir});
    if (path.isEmpty()) {
        return QStringLiteral("Dunmerrow Results is not installed: there is no %1.exe in %2.")
            .arg(QStringLiteral(DUNMERROW_RESULTS_PROGRAM), dir);
    }
    QProcess results;
    results.setProcessChannelMode(QProcess::ForwardedChannels);
    results.setInputChannelMode(QProcess::ForwardedInputChannel);
    // A file whose name begins with a dash is still a file.
    results.start(path, file.isEmpty() ? QStringList() : QStringList{QStringLiteral("--"), file});
    if (!results.waitForStarted(-1))
        return QStringLiteral("cannot start %1: %2").arg(path, results.errorString());
    results.waitForFinished(-1);
    std::exit(results.exitStatus() == QProcess::NormalExit ? results.exitCode() : 1);
}
