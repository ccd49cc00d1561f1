#include "resultsprogram.h"

#include <cstdio>
#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

const QString PROGRAM = QStringLiteral(DUNMERROW_RESULTS_PROGRAM);

void complain(const QString& why)
{
    std::fprintf(stderr, "%s: cannot open the results: %s\n",
                 qPrintable(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName()),
                 qPrintable(why));
}

} // namespace

QString ResultsProgram::find()
{
    for (const QString& dir :
         {QCoreApplication::applicationDirPath(), QStringLiteral(DUNMERROW_INSTALL_BINDIR)}) {
        const QString path = QStandardPaths::findExecutable(PROGRAM, {dir});
        if (!path.isEmpty())
            return path;
    }
    return QStandardPaths::findExecutable(PROGRAM);
}

int ResultsProgram::run(const QString& file)
{
    const QString path = find();
    if (path.isEmpty()) {
        complain(QStringLiteral("%1 is neither in %2 nor in %3 nor on PATH")
                     .arg(PROGRAM, QCoreApplication::applicationDirPath(),
                          QStringLiteral(DUNMERROW_INSTALL_BINDIR)));
        return 1;
    }
    QProcess results;
    results.setProcessChannelMode(QProcess::ForwardedChannels);
    results.setInputChannelMode(QProcess::ForwardedInputChannel);
    // "--": a file whose name begins with a dash is still a file.
    results.start(path, file.isEmpty() ? QStringList() : QStringList{QStringLiteral("--"), file});
    if (!results.waitForStarted(-1)) {
        complain(QStringLiteral("%1: %2").arg(path, results.errorString()));
        return 1;
    }
    results.waitForFinished(-1);
    return results.exitStatus() == QProcess::NormalExit ? results.exitCode() : 1;
}
