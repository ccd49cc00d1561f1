#pragma once

#include "portset.h"
#include "pseudoterminal.h"

// A pseudo-terminal standing in for the receiver on COM<k+1>: the port set
// leads that port to it.
struct ReceiverOnPort {
    ReceiverOnPort(PortSet& ports, int k)
    {
        PortMap map = ports.map();
        map.map(k, QString::fromStdString(pty.deviceName()), PortMap::Origin::CommandLine);
        ports.setMap(map);
    }

    PseudoTerminal pty;
};
