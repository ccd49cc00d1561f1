#include "portlinks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

PortLinks::~PortLinks()
{
    RemoveAll();
}

bool PortLinks::Prepare(const QString& dir, QString& error)
{
    QDir directory(dir);
    m_dir = directory.absolutePath();
    if (directory.exists())
        return true;
    if (!QDir().mkpath(m_dir)) {
        error = QStringLiteral("could not make the directory %1").arg(m_dir);
        return false;
    }
    m_bMadeDir = true;
    return true;
}

QString PortLinks::LinkPath(int port) const
{
    return m_dir + QStringLiteral("/COM%1").arg(port);
}

bool PortLinks::Create(int port, const QString& device, QString& error)
{
    const QString link = LinkPath(port);
    const QFileInfo existing(link);
    if (existing.isSymLink()) {
        if (!QFile::remove(link)) {
            error = QStringLiteral("could not replace the old link %1").arg(link);
            return false;
        }
    } else if (existing.exists()) {
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

void PortLinks::Remove(int port)
{
    QString& target = m_targets[port - 1];
    if (target.isEmpty())
        return;
    const QString link = LinkPath(port);
    const QFileInfo info(link);
    if (info.isSymLink() && info.symLinkTarget() == target)
        QFile::remove(link);
    target.clear();
}

void PortLinks::RemoveAll()
{
    for (int port = 1; port <= PORTS; ++port)
        Remove(port);
    if (m_bMadeDir) {
        QDir().rmdir(m_dir);
        m_bMadeDir = false;
    }
}
