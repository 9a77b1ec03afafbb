// The default case tables: the upper/lower pairs of Windows code page 1252 in
// the range 128 to 255. Z with caron (142, 158) is left without another case.

#include "foundation/JxCharTables.h"

namespace {

struct CasePair {
    std::uint8_t upper;
    std::uint8_t lower;
};

constexpr CasePair kSinglePairs[] = {
    {0x8A, 0x9A},  // S with caron
    {0x8C, 0x9C},  // ligature OE
    {0x9F, 0xFF},  // Y with diaeresis
};

constexpr JxCaseTables makeDefaultTables()
{
    JxCaseTables t{};
    auto pair = [&t](int upper, int lower) {
        t.lower[upper - 128] = static_cast<std::uint8_t>(lower);
        t.upper[lower - 128] = static_cast<std::uint8_t>(upper);
    };
    for (const CasePair& p : kSinglePairs)
        pair(p.upper, p.lower);
    // The accented capitals 192-222 and their small letters 32 above, except
    // the multiplication sign 215 and the division sign 247.
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7)
            pair(c, c + 0x20);
    return t;
}

constexpr JxCaseTables kDefaultTables = makeDefaultTables();

}  // namespace

const JxCaseTables& DefaultCaseTables()
{
    return kDefaultTables;
}
