#include "resultsprogram.h"

#include <cerrno>
#include <cstring>
#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>
#include <unistd.h>

namespace {

const QString PROGRAM = QStringLiteral(DUNMERROW_RESULTS_PROGRAM);
const QString INSTALL_BINDIR = QStringLiteral(DUNMERROW_INSTALL_BINDIR);

// Beside this program first (the build puts a link to it there too), then
// where both were installed, then on PATH.
QString find()
{
    for (const QString& dir : {QCoreApplication::applicationDirPath(), INSTALL_BINDIR}) {
        const QString path = QStandardPaths::findExecutable(PROGRAM, {dir});
        if (!path.isEmpty())
            return path;
    }
    return QStandardPaths::findExecutable(PROGRAM);
}

} // namespace

QString becomeResultsProgram(const QString& file)
{
    const QString path = find();
    if (path.isEmpty()) {
        return QStringLiteral("Dunmerrow Results is not installed: there is no %1 in %2, in %3 "
                              "or on PATH.")
            .arg(PROGRAM, QCoreApplication::applicationDirPath(), INSTALL_BINDIR);
    }
    QByteArray program = QFile::encodeName(path);
    QByteArray name = QFile::encodeName(file);
    char endOfOptions[] = "--"; // a file whose name begins with a dash is still a file
    char* argv[] = {program.data(), endOfOptions, name.data(), nullptr};
    if (file.isEmpty())
        argv[1] = nullptr;
    // The same process: whoever started this one (a shell, a desktop, a
    // test) waits for, signals and finds the windows of Dunmerrow Results
    // itself, and nothing stays behind waiting for it.
    ::execv(program.constData(), argv);
    return QStringLiteral("cannot start %1: %2")
        .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
}
