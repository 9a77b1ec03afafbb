#pragma once
// The start-up probe of the wave output device.

#include <cstdint>

// Opens and closes the wave output device once; reports its own failure and
// answers 0 when no device can be opened, which makes start-up fail.
std::int16_t CheckWaveDevice();
