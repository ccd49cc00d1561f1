#include "portlinks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool PortLinks::prepare(const QString& dir, QString& error)
{
    m_dir = QDir(dir).absolutePath();
    if (QFileInfo(m_dir).isDir())
        return true;
    m_madeDir = QDir().mkpath(m_dir);
    if (!m_madeDir)
        error = QStringLiteral("could not make the directory %1").arg(m_dir);
    return m_madeDir;
}

bool PortLinks::create(int port, const QString& device, QString& error)
{
    const QString link = linkPath(port);
    const QFileInfo existing(link);
    if (existing.isSymLink() && !QFile::remove(link)) {
        error = QStringLiteral("could not replace the old link %1").arg(link);
        return false;
    }
    if (!existing.isSymLink() && existing.exists()) {
        error = QStringLiteral("%1 exists and is not a link; choose another --dir").arg(link);
        return false;
    }
    if (!QFile::link(device, link)) {
        error = QStringLiteral("could not make the link %1 -> %2").arg(link, device);
        return false;
    }
    m_targets[port - 1] = device;
    return true;
}

void PortLinks::remove(int port)
{
    QString& target = m_targets[port - 1];
    const QFileInfo info(linkPath(port));
    if (!target.isEmpty() && info.isSymLink() && info.symLinkTarget() == target)
        QFile::remove(info.filePath());
    target.clear();
}

void PortLinks::removeAll()
{
    for (int port = 1; port <= PORTS; ++port)
        remove(port);
    if (m_madeDir)
        QDir().rmdir(m_dir);
    m_madeDir = false;
}
