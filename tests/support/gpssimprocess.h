#pragma once

#include "portmap.h"

#include <QFileInfo>
#include <QProcess>
#include <QStringList>

// Starts gpssim (the executable at path) and points COMn of `map` at its
// pseudo-terminals: at the device rather than the link, for a serial port's
// lock file is named after the last part of its path, and every simulator
// running beside this one names its links COM1..COM4.
inline bool startGpssim(QProcess& sim, const QString& path, const QString& dir,
                        const QStringList& receivers, PortMap& map)
{
    // The ports stay until the test ends gpssim: a port gone during a run
    // is an adapter gone, which the run opens again, and by then its number
    // may be any other program's pseudo-terminal.
    QStringList arguments{"--dir", dir, "--linger", "3600"};
    for (int k = 0; k < receivers.size(); ++k)
        arguments << QString("--com%1").arg(k + 1) << receivers[k];
    sim.start(path, arguments);
    for (int k = 0; k < receivers.size(); ++k) {
        if (!sim.canReadLine() && !sim.waitForReadyRead(10000))
            return false;
        const QByteArrayList line = sim.readLine().trimmed().split('=');
        if (line.size() != 2 || line[0] != "DUNMERROW_COM" + QByteArray::number(k + 1))
            return false;
        map.map(k, QFileInfo(QString::fromUtf8(line[1])).canonicalFilePath(),
                PortMap::Origin::CommandLine);
    }
    return true;
}
