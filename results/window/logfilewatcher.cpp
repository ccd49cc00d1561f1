#include "logfilewatcher.h"

#include <QFileInfo>

namespace {

// Long enough for a test to write its lines, short enough to look at once.
constexpr int SETTLE_MS = 150;

} // namespace

LogFileWatcher::LogFileWatcher(QObject* parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(SETTLE_MS);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &LogFileWatcher::noticed);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &LogFileWatcher::noticed);
    connect(&m_settle, &QTimer::timeout, this, &LogFileWatcher::settle);
}

void LogFileWatcher::setPath(const QString& path)
{
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_path = path;
    if (path.isEmpty())
        return;
    const QFileInfo info(path);
    m_watcher.addPath(info.absolutePath());
    if (info.exists())
        m_watcher.addPath(info.absoluteFilePath());
}

void LogFileWatcher::noticed()
{
    m_settle.start();
}

void LogFileWatcher::settle()
{
    // A file replaced or created anew needs its watch again.
    const QFileInfo info(m_path);
    if (info.exists() && !m_watcher.files().contains(info.absoluteFilePath()))
        m_watcher.addPath(info.absoluteFilePath());
    emit changed();
}
