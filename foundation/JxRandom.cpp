#include "foundation/JxRandom.h"

namespace {

constexpr std::uint32_t kMultiplier = 16807;

std::uint32_t& Seed()
{
    static std::uint32_t seed = 0;
    return seed;
}

}  // namespace

void SeedRandom(std::uint32_t tickCount) { Seed() = tickCount * kMultiplier; }

std::int32_t RandomInRange(std::int32_t n)
{
    std::uint32_t& seed = Seed();
    seed *= kMultiplier;
    if (n < 2)
        return 1;
    // In 64 bits so that ranges above 65,536 cannot overflow; for smaller
    // ranges the result is the same as in 32 bits.
    const std::uint64_t scaled = std::uint64_t(n) * ((seed >> 8) & 0xFFFFu);
    return std::int32_t(scaled >> 16) + 1;
}

std::uint32_t GetRandomSeed() { return Seed(); }

void SetRandomSeed(std::uint32_t seed) { Seed() = seed; }
