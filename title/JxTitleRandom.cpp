#include "title/JxTitleRandom.h"

#include "platform/clock/clock.h"

std::int32_t JxTitleRandom::Next(std::int32_t n)
{
    seed_ *= 16807u;
    if (n < 2)
        return 1;
    const std::uint64_t scaled = std::uint64_t(std::uint32_t(n)) * ((seed_ >> 8) & 0xFFFFu);
    return std::int32_t(scaled >> 16) + 1;
}

JxTitleRandom& TitleRandom()
{
    static JxTitleRandom random;
    return random;
}

void SeedTitleRandomFromClock()
{
    TitleRandom().Seed(plat::GetTickCount() * 16807u);
}
