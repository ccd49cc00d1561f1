#pragma once

#include "portmap.h"
#include "pseudoterminal.h"

// A pseudo-terminal standing in for the receiver on COM<k+1>: the engine's
// port map points that port at it for the life of the object.
struct ReceiverOnPort {
    explicit ReceiverOnPort(int k) : previous(PortMap::active())
    {
        PortMap map = previous;
        map.map(k, QString::fromStdString(pty.deviceName()), PortMap::Origin::CommandLine);
        PortMap::setActive(map);
    }
    ~ReceiverOnPort() { PortMap::setActive(previous); }
    ReceiverOnPort(const ReceiverOnPort&) = delete;
    ReceiverOnPort& operator=(const ReceiverOnPort&) = delete;

    PseudoTerminal pty;
    PortMap previous;
};
