// The case tables of the Windows code pages 1250 (Central European), 1251
// (Cyrillic), 1253 (Greek) and 1254 (Turkish), taken from the published
// charts of those pages: each pair is a capital and its small letter.
//
// Where the program's tables differ from the charts they do so on purpose
// and are kept, because titles were built and tested with them:
// - 1251: the Ukrainian capital I (178) and the capital DZE (189) have no
//   small letter;
// - 1253: the micro sign (181) and the final sigma (242) have no capital;
// - 1254: the table began as a copy of the Cyrillic one, so a few Cyrillic
//   pairs stand where 1254 has symbols; the capital I with dot (221) lowers
//   to the ASCII i, the sharp s (223) and the y with diaeresis (255) are
//   paired, and the capital Y with diaeresis (159) has no small letter.

#include "foundation/JxCharTables.h"

#include <initializer_list>

namespace {

struct CasePair {
    std::uint8_t upper;
    std::uint8_t lower;
};

// Both directions of a pair.
constexpr void addPair(JxCaseTables& t, int upper, int lower)
{
    t.lower[upper - 128] = static_cast<std::uint8_t>(lower);
    t.upper[lower - 128] = static_cast<std::uint8_t>(upper);
}

// The capitals first..last and their small letters 32 above.
constexpr void addRun(JxCaseTables& t, int first, int last, int skip = -1)
{
    for (int c = first; c <= last; ++c)
        if (c != skip)
            addPair(t, c, c + 0x20);
}

constexpr JxCaseTables makeTables(std::initializer_list<CasePair> pairs)
{
    JxCaseTables t{};
    for (const CasePair& p : pairs)
        addPair(t, p.upper, p.lower);
    return t;
}

constexpr JxCaseTables makeCentralEuropean()
{
    JxCaseTables t = makeTables({
        {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F},
        {0xA3, 0xB3}, {0xA5, 0xB9}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xBC, 0xBE},
    });
    addRun(t, 0xC0, 0xDE, 0xD7);  // 215 is the multiplication sign
    return t;
}

// The Cyrillic pairs outside the alphabet's two runs.
constexpr CasePair kCyrillicExtras[] = {
    {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E},
    {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4}, {0xA8, 0xB8}, {0xAA, 0xBA},
    {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
};

constexpr JxCaseTables makeCyrillic()
{
    JxCaseTables t{};
    for (const CasePair& p : kCyrillicExtras)
        addPair(t, p.upper, p.lower);
    addRun(t, 0xC0, 0xDF);
    t.lower[0xB2 - 128] = 0;
    t.lower[0xBD - 128] = 0;
    return t;
}

constexpr JxCaseTables makeGreek()
{
    JxCaseTables t = makeTables({
        // The capitals with tonos and their small letters.
        {0xA2, 0xDC}, {0xB8, 0xDD}, {0xB9, 0xDE}, {0xBA, 0xDF},
        {0xBC, 0xFC}, {0xBE, 0xFD}, {0xBF, 0xFE},
    });
    addRun(t, 0xC1, 0xDB, 0xD2);  // 210 is undefined in the page
    return t;
}

constexpr JxCaseTables makeTurkish()
{
    JxCaseTables t = makeTables({{0x8A, 0x9A}, {0x8C, 0x9C}, {0x9F, 0xFF}});
    addRun(t, 0xC0, 0xDE, 0xD7);
    // The dotted capital I and the dotless small i pair with ASCII letters.
    t.lower[0xDD - 128] = 'i';
    t.upper[0xFD - 128] = 'I';
    // What the Cyrillic origin left.
    addPair(t, 0x80, 0x90);
    t.lower[0x81 - 128] = 0x83;
    t.lower[0xA1 - 128] = 0xA2;
    for (const CasePair& p : {CasePair{0xA3, 0xBC}, {0xA5, 0xB4}, {0xA8, 0xB8}, {0xAA, 0xBA},
                              {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE}})
        addPair(t, p.upper, p.lower);
    t.lower[0xDF - 128] = 0xFF;
    t.upper[0xFF - 128] = 0xDF;
    t.lower[0x9F - 128] = 0;
    return t;
}

constexpr JxCaseTables kCentralEuropean = makeCentralEuropean();
constexpr JxCaseTables kCyrillic = makeCyrillic();
constexpr JxCaseTables kGreek = makeGreek();
constexpr JxCaseTables kTurkish = makeTurkish();

}  // namespace

const JxCaseTables* CodePageCaseTables(int codePage)
{
    switch (codePage) {
    case 1250:
        return &kCentralEuropean;
    case 1251:
        return &kCyrillic;
    case 1253:
        return &kGreek;
    case 1254:
        return &kTurkish;
    default:
        return nullptr;
    }
}
