#include "foundation/JxSortWeights.h"

#include <initializer_list>
#include <utility>

namespace {

using Patch = std::initializer_list<std::pair<int, int>>;

constexpr void apply(JxSortWeightTable& t, Patch patch)
{
    for (auto [c, w] : patch)
        t[std::size_t(c)] = static_cast<std::uint8_t>(w);
}

constexpr void weighLetters(JxSortWeightTable& t, int upperA, int lowerA, int first, int step, int count)
{
    for (int i = 0; i < count; ++i) {
        t[std::size_t(upperA + i)] = static_cast<std::uint8_t>(first + step * i);
        t[std::size_t(lowerA + i)] = static_cast<std::uint8_t>(first + step * i);
    }
}

// The accented letters of 192-255 weigh as their base letter; the AE
// ligatures just after A, the sharp s between s and t.
constexpr void weighLatinAccents(JxSortWeightTable& t)
{
    for (int c = 192; c < 256; ++c)
        t[std::size_t(c)] = 0;
    auto range = [&t](int from, int to, int w) {
        for (int c = from; c <= to; ++c)
            t[std::size_t(c)] = static_cast<std::uint8_t>(w);
    };
    range(192, 197, 4), range(224, 229, 4);
    range(198, 198, 6), range(230, 230, 6);
    range(199, 199, 12), range(231, 231, 12);
    range(200, 203, 20), range(232, 235, 20);
    range(204, 207, 36), range(236, 239, 36);
    range(209, 209, 56), range(241, 241, 56);
    range(210, 214, 60), range(216, 216, 60), range(242, 246, 60), range(248, 248, 60);
    range(217, 220, 84), range(249, 252, 84);
    range(221, 221, 100), range(253, 253, 100), range(255, 255, 100);
    range(223, 223, 77);
}

constexpr JxSortWeightTable makeDefault()
{
    JxSortWeightTable t{};
    weighLetters(t, 'A', 'a', 4, 4, 26);
    apply(t, {{140, 62}, {156, 62}});
    weighLatinAccents(t);
    return t;
}

// Greek: digits first, then blanks and punctuation, the Greek alphabet,
// and the Latin letters last. Accented Greek letters weigh as their base
// letter and the final sigma as sigma.
constexpr JxSortWeightTable makeGreek()
{
    JxSortWeightTable t{};
    for (int d = 0; d < 10; ++d)
        t[std::size_t('0' + d)] = static_cast<std::uint8_t>(1 + d);
    int w = 12;
    for (int c = ' '; c < 128; ++c)
        if ((c < '0' || c > '9') && (c < 'A' || c > 'Z') && (c < 'a' || c > 'z') && c != 127)
            t[std::size_t(c)] = static_cast<std::uint8_t>(w++);
    weighLetters(t, 'A', 'a', 104, 4, 26);
    // Alpha (193) to omega (217) with the gap of 210, which the page leaves
    // undefined; small letters 32 above.
    int letter = 0;
    for (int c = 0xC1; c <= 0xD9; ++c) {
        if (c == 0xD2)
            continue;
        weighLetters(t, c, c + 0x20, 50 + 2 * letter++, 0, 1);
    }
    t[0xF2] = t[0xF3];  // final sigma
    // Letters with tonos or dialytika, by their base letter.
    const std::pair<int, int> accented[] = {
        {0xA2, 0xC1}, {0xB8, 0xC5}, {0xB9, 0xC7}, {0xBA, 0xC9}, {0xBC, 0xCF}, {0xBE, 0xD5},
        {0xBF, 0xD9}, {0xC0, 0xC9}, {0xDA, 0xC9}, {0xDB, 0xD5}, {0xDC, 0xC1}, {0xDD, 0xC5},
        {0xDE, 0xC7}, {0xDF, 0xC9}, {0xE0, 0xD5}, {0xFA, 0xC9}, {0xFB, 0xD5}, {0xFC, 0xCF},
        {0xFD, 0xD5}, {0xFE, 0xD9},
    };
    for (auto [c, base] : accented)
        t[std::size_t(c)] = t[std::size_t(base)];
    return t;
}

constexpr JxSortWeightTable makeRussian()
{
    JxSortWeightTable t{};
    weighLetters(t, 192, 224, 4, 4, 32);
    weighLetters(t, 'A', 'a', 132, 4, 26);
    for (int d = 0; d < 10; ++d)
        t[std::size_t('0' + d)] = static_cast<std::uint8_t>(236 + d);
    apply(t, {{'+', 246}, {'-', 247}, {171, 248}, {187, 249}});
    return t;
}

constexpr JxSortWeightTable kDefault = makeDefault();
constexpr JxSortWeightTable kGreek = makeGreek();
constexpr JxSortWeightTable kRussian = makeRussian();

void patchNordic(JxSortWeightTable& t)
{
    weighLatinAccents(t);
    apply(t, {{196, 130}, {198, 130}, {228, 130}, {230, 130}, {197, 128}, {229, 128}, {214, 136},
              {216, 136}, {246, 136}, {248, 136}, {220, 100}, {252, 100}, {223, 76}});
    apply(t, {{32, 2}, {150, 110}, {151, 112}, {154, 76}});
}

JxSortWeightTable& current()
{
    static JxSortWeightTable table = kDefault;
    return table;
}

}  // namespace

const JxSortWeightTable& DefaultSortWeights()
{
    return kDefault;
}

const JxSortWeightTable& GreekSortWeights()
{
    return kGreek;
}

const JxSortWeightTable& RussianSortWeights()
{
    return kRussian;
}

void PatchSortWeights(std::uint16_t languageId, JxSortWeightTable& t)
{
    switch (languageId) {
    case 1027:  // Catalan
        apply(t, {{191, 106}, {209, 58}, {241, 58}});
        break;
    case 1029:  // Czech
        apply(t, {{138, 78}, {141, 82}, {142, 112}, {154, 78}, {157, 82}, {158, 112}, {175, 112},
                  {191, 112}, {193, 6}, {200, 14}, {201, 21}, {204, 22}, {205, 38}, {207, 18},
                  {210, 58}, {211, 62}, {216, 74}, {217, 86}, {218, 86}, {221, 102}, {225, 6},
                  {232, 14}, {233, 21}, {236, 22}, {237, 38}, {239, 18}, {242, 58}, {243, 62},
                  {248, 74}, {249, 86}, {250, 86}, {253, 102}});
        break;
    case 1030:  // Danish
        weighLatinAccents(t);
        apply(t, {{197, 140}, {229, 140}, {198, 132}, {230, 132}, {216, 136}, {248, 136}, {220, 100},
                  {252, 100}, {223, 76}});
        apply(t, {{197, 118}, {198, 110}, {216, 114}, {229, 120}, {230, 112}, {248, 116}});
        break;
    case 1032:  // Greek
        t = kGreek;
        break;
    case 1035:  // Finnish
        patchNordic(t);
        break;
    case 1039:  // Icelandic
        weighLatinAccents(t);
        apply(t, {{193, 5}, {225, 5}, {198, 106}, {230, 106}, {201, 21}, {233, 21}, {205, 37},
                  {237, 37}, {208, 17}, {240, 17}, {211, 61}, {243, 61}, {214, 107}, {246, 107},
                  {215, 96}, {218, 85}, {250, 85}, {221, 101}, {253, 101}, {222, 105}, {254, 105},
                  {223, 8}, {247, 255}});
        apply(t, {{32, 2}, {45, 255}, {208, 110}, {209, 112}});
        break;
    case 1040:  // Italian
        apply(t, {{32, 2}});
        break;
    case 1044:  // Norwegian
        weighLatinAccents(t);
        apply(t, {{196, 136}, {228, 136}, {197, 148}, {229, 148}, {198, 132}, {230, 132}, {214, 144},
                  {246, 144}, {216, 140}, {248, 140}, {220, 103}, {223, 76}, {252, 101}, {255, 102}});
        apply(t, {{159, 102}});
        break;
    case 1045:  // Polish
        apply(t, {{140, 78}, {143, 108}, {156, 78}, {159, 108}, {163, 50}, {165, 6}, {175, 112},
                  {179, 50}, {185, 6}, {191, 112}, {198, 14}, {202, 22}, {209, 58}, {211, 62},
                  {230, 14}, {234, 22}, {241, 58}, {243, 62}});
        break;
    case 1046:  // Brazilian Portuguese
        apply(t, {{32, 2}, {45, 2}, {46, 3}, {150, 2}, {151, 2}, {195, 4}, {227, 4}});
        break;
    case 1049:  // Russian
        t = kRussian;
        break;
    case 1053:  // Swedish
        patchNordic(t);
        apply(t, {{'W', 88}, {'w', 88}});
        break;
    case 1055:  // Turkish
        apply(t, {{32, 2}, {45, 2}, {46, 3}, {150, 2}, {151, 2}, {199, 15}, {208, 31}, {214, 63},
                  {220, 87}, {221, 39}, {222, 79}, {231, 14}, {240, 30}, {246, 62}, {252, 86},
                  {253, 34}, {254, 78}});
        break;
    case 1060:  // Slovenian
        apply(t, {{138, 78}, {142, 106}, {154, 78}, {158, 106}, {200, 14}, {232, 14}});
        break;
    default:
        break;
    }
}

std::uint8_t GetCharWeight(unsigned char c)
{
    return current()[c];
}

void SetSortWeights(const JxSortWeightTable& table)
{
    current() = table;
}
