#pragma once
// The product's text styles for a test: read from testkit's records and
// installed as the style definitions the objects find, for as long as the
// holder lives.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "foundation/JxCInStrStream.h"
#include "graphics/JxCStyleDef.h"
#include "platform/draw/font.h"
#include "testkit/text_styles.h"

namespace panel_test {

// A character style in the built-in face: every character 7 pixels wide,
// lines 13 high.
inline testkit::CharStyleRecord BuiltinStyle(std::int16_t id)
{
    testkit::CharStyleRecord c;
    c.id = id;
    c.faceName = plat::kBuiltinFaceName;
    return c;
}

class StyleSource {
public:
    explicit StyleSource(const testkit::StyleDefs& defs) : bytes_(defs.Bytes())
    {
        JxCInStrStream in(JxMemoryBlock{bytes_.data(), std::uint32_t(bytes_.size())});
        EXPECT_EQ(styles_.Read(in), 1);
        previous_ = SetStyleDefSource([this] { return &styles_; });
    }
    ~StyleSource() { SetStyleDefSource(previous_); }
    StyleSource(const StyleSource&) = delete;
    StyleSource& operator=(const StyleSource&) = delete;

    JxCStyleDef& styles() { return styles_; }

private:
    std::vector<std::uint8_t> bytes_;
    JxCStyleDef styles_;
    std::optional<JxStyleDefSource> previous_;
};

}  // namespace panel_test
