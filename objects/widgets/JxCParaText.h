#pragma once
// Paragraph text (object type "ParaText"): one paragraph in a paragraph
// style, wrapped to the object's width with the style's indents, alignment
// and spacing. It keeps its own copy of the text, measures how tall the
// wrapped text is and, with auto height, makes its rectangle that tall.
// The rectangle and line height stored in the record are used as they are
// until the text changes. A click raises "on_click". The title's name
// displays derive from it and set their text at run time.

#include <cstdint>
#include <optional>
#include <string>

#include "foundation/JxCPoint.h"
#include "foundation/JxCString.h"
#include "runtime/JxCDisplayObject.h"

class JxCInStream;
class JxCParaStyleObject;
class JxCTextOut;

class JxCParaText : public JxCDisplayObject {
public:
    // The product's default cursor.
    JxCParaText();
    ~JxCParaText() override = default;

    // The display-object record, then the style id, a value, the line
    // height, the text (a 16-bit length and the bytes) and the auto-height
    // word. 0 on a damaged record: a length below 0 or past the record.
    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    // Finds the paragraph style; 0 only when it is missing (an empty text
    // is set later by the title).
    std::int16_t CreateResources() override;
    std::int16_t Draw(JxCSlate* slate, const JxCRect* clip) override;
    std::int16_t MouseDown(const JxCPoint& point) override;
    // The display object's release, then "on_click".
    std::int16_t MouseUp(const JxCPoint& point, std::int16_t flag) override;
    std::int16_t MouseMove(const JxCPoint& point) override;
    // Takes the rectangle and measures.
    void SetRect(const JxCRect& rect) override;
    const JxCString& GetText() const override;

    // Where the character at the offset (in bytes) is drawn: the top-left
    // of its line plus the indent and the width of the text before it on
    // the line; an offset inside a double-byte character stands for that
    // character. An offset at a line's break belongs to that line; outside
    // 0 ... length, or without text, the rectangle's top-left.
    virtual JxCPoint GetCharPosition(std::int32_t offset);
    // The line height and, with auto height, the rectangle's height from
    // the wrapped text (ending at the last coordinate for a text taller
    // than they reach); only with a text and a style. 1.
    virtual std::int16_t Measure();
    // Where the line from the start offset breaks at the width; -1 when the
    // rest fits. A line always takes at least one character.
    virtual std::int32_t FindLineBreak(JxCTextOut& out, std::int32_t start, std::int32_t width);

    // Null for no text. With redraw, the text is measured and the area it
    // had and now has repainted at once. 0 only when the text cannot be
    // held.
    std::int16_t SetText(const char* text, std::int16_t redraw);
    // One line of the stream; 0 at its end, the text kept.
    std::int16_t SetTextFromStream(JxCInStream& in, std::int16_t redraw);
    void SetWidth(std::int32_t width);
    void SetPosition(const JxCPoint& point);

    // The text; null for none.
    const char* GetTextBuffer() const { return text_ ? text_->c_str() : nullptr; }
    std::int32_t GetTextLength() const { return text_ ? std::int32_t(text_->size()) : 0; }
    std::int32_t GetStyleId() const { return styleId_; }
    JxCParaStyleObject* GetStyle() const { return style_; }
    std::int32_t GetLineHeight() const { return lineHeight_; }
    std::int16_t IsMeasured() const { return measured_; }
    std::int16_t GetAutoHeight() const { return autoHeight_; }
    void SetAutoHeight(std::int16_t autoHeight) { autoHeight_ = autoHeight; }

private:
    std::optional<std::string> text_;
    std::int32_t styleId_ = 0;
    JxCParaStyleObject* style_ = nullptr;
    std::uint8_t value_ = 0;
    std::int16_t measured_ = 0;
    std::int16_t autoHeight_ = 0;
    std::int32_t lineHeight_ = -1;
    mutable JxCString textCopy_;
};
