#pragma once
// Text output in a character style and a paragraph style into a device
// context, from a current position that advances as text is drawn: single
// runs, and whole paragraphs wrapped at a line width with first-line and
// later-line indents, left, centred or right aligned, optionally clipped to
// a rectangle.

#include <cstdint>
#include <optional>

#include "events/JxCRunTimeObject.h"
#include "foundation/JxCRect.h"
#include "platform/core/types.h"

class JxCCharStyleObject;
class JxCParaStyleObject;
class JxCSlate;

// A run of a styled text: the character style id and the run's start
// offset (bytes) within the whole text; a run ends where the next starts.
struct JxCTextRun {
    std::int32_t styleId = 0;
    std::int32_t start = 0;
};

class JxCTextOut : public JxCRunTimeObject {
public:
    // With a clip rectangle the line width is its width less one; without
    // one it is 1000 and nothing is clipped. The style's font is selected
    // (made when missing) and the current position moved to start.
    JxCTextOut(plat::HDC hdc, JxCCharStyleObject* style, plat::POINT start, const plat::RECT* clip);
    // The paragraph style's character style is the one drawn with.
    JxCTextOut(plat::HDC hdc, JxCParaStyleObject* style, plat::POINT start, const plat::RECT* clip);
    JxCTextOut(const JxCTextOut&) = delete;
    JxCTextOut& operator=(const JxCTextOut&) = delete;
    // Restores the text alignment and the font.
    ~JxCTextOut() override;

    // 0 for null or when its font cannot be made.
    std::int16_t SelectCharStyle(JxCCharStyleObject* style);

    // count bytes (negative or past the end: all) at the current position.
    std::int16_t DrawRun(std::int32_t count, const char* text, std::int16_t highlight);
    std::int16_t DrawParagraph(const char* text, std::int16_t highlight);

    // Width of count characters (-1: all) from the start offset (bytes,
    // clamped to the text); 0 for a count of 0.
    std::int32_t MeasureText(const char* text, std::int32_t count, std::int32_t startOffset);
    // The same, each run in its own character style; textOffset is where
    // text starts within the text the runs count in.
    std::int32_t MeasureText(const char* text, std::int32_t count, const JxCTextRun* runs, std::int32_t runCount,
                             std::int32_t textOffset);
    // Where a line of width (0: the line width) ends: just after its last
    // space, tab or hyphen that fits; null when the whole text fits or not
    // even the first candidate does.
    const char* FindLineBreak(const char* text, std::int32_t width, const JxCTextRun* runs = nullptr,
                              std::int32_t runCount = 0, std::int32_t textOffset = 0);
    // Lines of the text wrapped at the line width; 0 for null.
    std::int32_t CountLines(const char* text);
    // How many characters it takes to reach the limit.
    std::int32_t FitCharacters(const char* text, std::int32_t limit);

    std::int32_t GetLineHeight();
    std::int32_t GetLinesHeight(std::int32_t lines);
    std::int32_t GetLineWidth() const { return lineWidth_; }
    std::int32_t GetLastWidth() const { return lastWidth_; }

private:
    void Begin(plat::POINT start);
    std::int32_t MeasureBytes(const char* text, std::uint32_t bytes);
    std::int32_t MeasureRunBytes(const char* text, std::uint32_t bytes, const JxCTextRun* runs,
                                 std::int32_t runCount, std::int32_t textOffset);
    // The width left beside an indent (never 0, which would mean the full
    // line width).
    std::int32_t WidthBeside(std::int32_t indent) const;
    plat::POINT Position() const;

    JxCCharStyleObject* charStyle_ = nullptr;
    JxCParaStyleObject* paraStyle_ = nullptr;
    plat::HDC hdc_ = nullptr;
    std::int32_t lineHeight_ = -1;
    std::int32_t lineWidth_ = 1000;
    std::int32_t leftEdge_ = 0;
    std::int32_t leftEdgeCopy_ = 0;
    std::int32_t lastWidth_ = 0;
    std::optional<plat::RECT> clip_;
    plat::UINT oldAlign_ = 0;
    plat::HGDIOBJ oldFont_ = nullptr;
};

// A line of a list: the text in the style (or the device context's own font
// and colours), clipped to the rectangle (logical coordinates of the slate);
// highlighted, the rectangle is first filled with the style's highlight
// background (black without a style).
std::int16_t DrawStyledText(JxCSlate* slate, const JxCRect& rect, const char* text, JxCCharStyleObject* style,
                            std::int16_t highlight);
