#include "lamps.h"

#include "controlids.h"

int advanceLampPosition(std::int32_t& nLampPos)
{
    if (nLampPos == 0) {
        nLampPos = 1;
        return -1;
    }
    if (nLampPos > LAMP_COUNT)
        nLampPos = 1;
    const int lit = nLampPos - 1;
    ++nLampPos;
    return lit;
}
