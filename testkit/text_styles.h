#pragma once
// Writer of the title's style definitions: the character style list, then
// the paragraph style list, big-endian, as the product data file holds
// them.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testkit {

using StyleRgb = std::array<std::uint8_t, 3>;

struct CharStyleRecord {
    std::int16_t id = 0;
    std::int16_t secondId = 0;
    StyleRgb background{255, 255, 255};
    StyleRgb text{0, 0, 0};
    StyleRgb highlightBackground{0, 0, 0};
    StyleRgb highlightText{0, 0, 0};
    std::int16_t size = 200;  // twips
    std::int16_t bold = 0;
    std::int16_t italic = 0;
    std::int16_t underline = 0;
    std::int16_t transparentBackground = 1;
    std::string faceName = "Arial";
    std::int16_t weight = 0;
    // Written as the face name's length when set, to make damaged records.
    std::optional<std::int16_t> claimedNameLength;
};

struct ParaStyleRecord {
    std::int16_t id = 0;
    std::int16_t secondId = 0;
    std::int16_t charStyleId = 0;
    char alignment = 'L';
    std::int16_t spaceBefore = 0;
    std::int16_t spaceAfter = 0;
    std::int16_t firstIndent = 0;
    std::int16_t laterIndent = 0;
};

struct StyleDefs {
    std::vector<CharStyleRecord> characters;
    std::vector<ParaStyleRecord> paragraphs;
    // Written as the list counts when set.
    std::optional<std::int16_t> claimedCharacterCount;
    std::optional<std::int16_t> claimedParagraphCount;

    std::vector<std::uint8_t> Bytes() const;
};

}  // namespace testkit
