#pragma once
// The title's named text styles: character styles (font, size, weight,
// colours) and paragraph styles (alignment, spacing, indents and the
// character style they use), each found by its numeric id. The style
// definitions are one object read from the product data file and kept by
// the title's product data.

#include <cstdint>
#include <functional>
#include <optional>

#include "foundation/JxCList.h"
#include "foundation/JxCObject.h"
#include "foundation/JxCRGB.h"
#include "foundation/JxCString.h"
#include "platform/core/types.h"
#include "platform/draw/font.h"

class JxCInStrStream;
class JxCStyleDef;

class JxCCharStyleObject : public JxCObject {
public:
    JxCCharStyleObject() = default;
    JxCCharStyleObject(const JxCCharStyleObject&) = delete;
    JxCCharStyleObject& operator=(const JxCCharStyleObject&) = delete;
    ~JxCCharStyleObject() override;

    // One stored record; false when the stream fails or the face name's
    // length is negative or runs past the data.
    bool Read(JxCInStrStream& in);

    // The logical font on a device of logPixelsY dots per inch.
    plat::LOGFONT MakeLogFont(int logPixelsY) const;
    // The style's font, made for the device context on first use; null
    // when it cannot be made.
    plat::HFONT GetFont(plat::HDC hdc);
    plat::HFONT GetFontHandle() const { return font_; }

    std::int32_t id = 0;
    std::int32_t secondId = 0;
    JxCRGB background{255, 255, 255};
    JxCRGB text;
    JxCRGB highlightBackground;
    JxCRGB highlightText;
    std::int32_t size = 200;  // twips
    std::int16_t bold = 0;
    std::int16_t italic = 0;
    std::int16_t underline = 0;
    std::int16_t transparentBackground = 1;
    JxCString faceName{"Arial"};
    std::int32_t weight = 0;  // 0: from the bold flag

private:
    plat::HFONT font_ = nullptr;
};

class JxCParaStyleObject : public JxCObject {
public:
    bool Read(JxCInStrStream& in);

    // The character style of the style definitions with the character
    // style id, looked up on first use and remembered; null when there is
    // none.
    JxCCharStyleObject* GetCharStyle();

    std::int32_t id = 0;
    std::int32_t secondId = 0;
    std::int32_t charStyleId = 0;
    char alignment = 'L';  // 'L', 'C' centred or 'R'
    std::int32_t spaceBefore = 0;
    std::int32_t spaceAfter = 0;
    std::int32_t firstIndent = 0;
    std::int32_t laterIndent = 0;

private:
    JxCCharStyleObject* charStyle_ = nullptr;
};

class JxCCharacterStyleList : public JxCTypedList<JxCCharStyleObject> {};
class JxCParagraphStyleList : public JxCTypedList<JxCParaStyleObject> {};

class JxCStyleDef : public JxCObject {
public:
    // The stored form: the character style list, then the paragraph style
    // list, each a 16-bit count and that many records. 0 when the data is
    // damaged (a negative count, a record cut short) or memory runs out;
    // the styles read before stay.
    std::int16_t Read(JxCInStrStream& in);

    // The first style in list order with the id, or null.
    JxCCharStyleObject* FindCharacterStyle(std::int32_t id);
    JxCParaStyleObject* FindParagraphStyle(std::int32_t id);

    JxCCharacterStyleList& GetCharacterStyles() { return characterStyles_; }
    JxCParagraphStyleList& GetParagraphStyles() { return paragraphStyles_; }

private:
    JxCCharacterStyleList characterStyles_;
    JxCParagraphStyleList paragraphStyles_;
};

// Where the title's style definitions are: the product data installs the
// source when it has read them. Returns the previous source.
using JxStyleDefSource = std::function<JxCStyleDef*()>;
std::optional<JxStyleDefSource> SetStyleDefSource(std::optional<JxStyleDefSource> source);
// The title's style definitions; null when there is no product data or it
// has none.
JxCStyleDef* GetProductStyleDef();
