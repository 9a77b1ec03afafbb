#pragma once
// The built-in face: a fixed 7 by 13 cell bitmap font covering ASCII, Latin-1,
// Latin Extended-A, Greek and the punctuation of the Windows code pages. It
// serves the stock fonts and every test whose pixels must not depend on the
// installed fonts. It has one size; every height asks for the same cells.

#include <unordered_map>

#include "platform/draw/font.h"

namespace plat {

class BuiltinFont : public FontInstance {
public:
    static constexpr int kCellWidth = 7;
    static constexpr int kCellHeight = 13;
    static constexpr int kAscent = 10;
    static constexpr int kEm = 11;

    explicit BuiltinFont(bool bold);
    const TEXTMETRIC& metrics() const override { return metrics_; }
    const Glyph& glyph(char32_t ch) override;
    std::string sourceFile() const override { return {}; }

private:
    bool bold_;
    TEXTMETRIC metrics_;
    std::unordered_map<char32_t, Glyph> cache_;
};

}  // namespace plat
