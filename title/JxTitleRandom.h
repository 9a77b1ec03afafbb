#pragma once
// The title's own random numbers (the idle tick, the random pages): each
// draw multiplies the seed by 16807 (wrapping at 32 bits) and answers
// ((n x ((seed >> 8) & 0xFFFF)) >> 16) + 1, that is 1 to n; 1 when n is
// below 2. The program seeds it once at start with the tick count x 16807;
// tests give a seed of their own.

#include <cstdint>

class JxTitleRandom {
public:
    explicit JxTitleRandom(std::uint32_t seed = 0) : seed_(seed) {}
    std::int32_t Next(std::int32_t n);
    void Seed(std::uint32_t seed) { seed_ = seed; }
    std::uint32_t GetSeed() const { return seed_; }

private:
    std::uint32_t seed_;
};

// The title's one generator.
JxTitleRandom& TitleRandom();
// Seeds it from the tick count, as the program's start does.
void SeedTitleRandomFromClock();
