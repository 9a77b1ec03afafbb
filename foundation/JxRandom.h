#pragma once
// The engine's small random-number generator: a 32-bit seed multiplied by
// 16807 at every draw.

#include <cstdint>

// Seeds the generator from a tick count in milliseconds (seed = ticks *
// 16807). This happens once from the clock as the program starts.
void SeedRandom(std::uint32_t tickCount);

// A number from 1 to n; 1 when n is below 2 (the seed still advances).
std::int32_t RandomInRange(std::int32_t n);

// The seed as it stands, and setting it directly (tests and replays).
std::uint32_t GetRandomSeed();
void SetRandomSeed(std::uint32_t seed);
