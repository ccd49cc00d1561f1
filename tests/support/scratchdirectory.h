#pragma once

#include <cstdlib>
#include <ctime>
#include <QDir>
#include <QTemporaryDir>
#include <QtGlobal>

// A test's working directory for as long as it lives, where BATTERY.TXT
// and its neighbours are written, on UTC so that the times in a log do not
// depend on where the test runs. The previous directory comes back after.
class ScratchDirectory {
public:
    ScratchDirectory() : m_previous(QDir::currentPath())
    {
        qputenv("TZ", "UTC");
        tzset();
        if (!m_dir.isValid() || !QDir::setCurrent(m_dir.path()))
            qFatal("No scratch directory to work in");
    }
    ~ScratchDirectory() { QDir::setCurrent(m_previous); }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};
