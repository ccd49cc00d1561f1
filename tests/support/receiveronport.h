#pragma once

#include "pseudoterminal.h"

#include <QByteArray>
#include <QtGlobal>

// A pseudo-terminal standing in for the receiver on COM<k+1>: the port's
// environment variable points at it for the life of the object.
struct ReceiverOnPort {
    explicit ReceiverOnPort(int k) : variable("DUNMERROW_COM" + QByteArray::number(k + 1))
    {
        qputenv(variable.constData(), QByteArray::fromStdString(pty.DeviceName()));
    }
    ~ReceiverOnPort() { qunsetenv(variable.constData()); }
    ReceiverOnPort(const ReceiverOnPort&) = delete;
    ReceiverOnPort& operator=(const ReceiverOnPort&) = delete;

    QByteArray variable;
    PseudoTerminal pty;
};
