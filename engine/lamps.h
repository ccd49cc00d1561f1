#pragma once

#include <cstdint>

// One step of the activity lamps. From nLampPos 0 the step darkens all four
// lamps and returns -1; otherwise it returns the index (0..3) of the one lamp
// to light. Either way the position moves on: 0 -> 1, then 1, 2, 3, 4, and a
// position past 4 starts again at 1.
int advanceLampPosition(std::int32_t& nLampPos);
