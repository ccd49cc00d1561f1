#pragma once

#include <cstdint>

// The system's two steady clocks, read together, in milliseconds from the
// last boot. Setting the wall clock moves neither. The first runs on while
// the computer is suspended or hibernating, the second stops meanwhile: how
// much further the first has come over a span is the time asleep in it.
struct SteadyClocks {
    std::int64_t withSleepMs = 0;
    std::int64_t awakeMs = 0;
};

SteadyClocks readSteadyClocks();
