#include "foundation/JxRandom.h"

#include "platform/clock/clock.h"

namespace {

constexpr std::uint32_t kMultiplier = 16807;

// Zero is the one seed the multiplication never leaves: every draw would be
// 1. A seed that would be zero (a clock that starts at 0) takes the value of
// tick 1 instead.
std::uint32_t NonZero(std::uint32_t seed) { return seed != 0 ? seed : kMultiplier; }

std::uint32_t& Seed()
{
    static std::uint32_t seed = kMultiplier;
    return seed;
}

}  // namespace

// Seeded once from the clock while the program starts.
[[maybe_unused]] static const bool seededAtStart = (SeedRandom(plat::GetTickCount()), true);

void SeedRandom(std::uint32_t tickCount) { Seed() = NonZero(tickCount * kMultiplier); }

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

void SetRandomSeed(std::uint32_t seed) { Seed() = NonZero(seed); }
