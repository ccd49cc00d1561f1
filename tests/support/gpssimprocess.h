#pragma once

#include <QByteArrayList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// gpssim in a process of its own, its receivers made known to the engine the
// way an operator does it: each DUNMERROW_COMn line it prints goes into the
// environment, naming the pseudo-terminal itself rather than the link (a
// serial port's lock file is named after the last part of its path, and
// every simulator running beside this one names its links COM1..COM4).
class GpssimProcess {
public:
    explicit GpssimProcess(const QString& program) : m_program(program) {}
    ~GpssimProcess();
    GpssimProcess(const GpssimProcess&) = delete;
    GpssimProcess& operator=(const GpssimProcess&) = delete;

    // Starts it with these arguments and a --dir of its own; true once it
    // has printed a line for every --comN among them.
    bool start(const QStringList& arguments);
    // Stops it as Ctrl-C would; its summary line for each of COM1..COM4,
    // empty for a port it did not play.
    QStringList stop();
    // The number a summary line gives `name`, such as "queries_bad"; -1 when
    // the line has none.
    static int field(const QString& summary, const QString& name);

private:
    QString m_program;
    QTemporaryDir m_dir;
    QProcess m_process;
    QByteArrayList m_variables;
};
