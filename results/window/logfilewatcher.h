#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

// Says when a file may have changed: written to, replaced, removed or
// created. It watches the folder as well as the file, since an editor that
// saves by replacing the file, or a first test that creates it, leaves a
// watch on the file itself with nothing to watch. Bursts of notices (a test
// appends a line per unit) come out as one.
class LogFileWatcher : public QObject {
    Q_OBJECT

public:
    explicit LogFileWatcher(QObject* parent = nullptr);

    void setPath(const QString& path);

signals:
    void changed();

private:
    void noticed();
    void settle();

    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QString m_path;
};
