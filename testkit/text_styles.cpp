#include "testkit/text_styles.h"

namespace testkit {

std::vector<std::uint8_t> StyleDefs::Bytes() const
{
    std::vector<std::uint8_t> out;
    const auto be16 = [&](int v) {
        out.push_back(std::uint8_t(unsigned(v) >> 8));
        out.push_back(std::uint8_t(v));
    };
    const auto rgb = [&](const StyleRgb& c) { out.insert(out.end(), c.begin(), c.end()); };
    be16(claimedCharacterCount.value_or(std::int16_t(characters.size())));
    for (const CharStyleRecord& c : characters) {
        be16(c.id);
        be16(c.secondId);
        rgb(c.background);
        rgb(c.text);
        rgb(c.highlightBackground);
        rgb(c.highlightText);
        be16(c.size);
        be16(c.bold);
        be16(c.italic);
        be16(c.underline);
        be16(c.transparentBackground);
        be16(c.claimedNameLength.value_or(std::int16_t(c.faceName.size())));
        out.insert(out.end(), c.faceName.begin(), c.faceName.end());
        be16(c.weight);
    }
    be16(claimedParagraphCount.value_or(std::int16_t(paragraphs.size())));
    for (const ParaStyleRecord& p : paragraphs) {
        be16(p.id);
        be16(p.secondId);
        be16(p.charStyleId);
        out.push_back(std::uint8_t(p.alignment));
        be16(p.spaceBefore);
        be16(p.spaceAfter);
        be16(p.firstIndent);
        be16(p.laterIndent);
    }
    return out;
}

}  // namespace testkit
