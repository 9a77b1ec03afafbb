#pragma once
// The text of an edit box: a single line with a caret and an anchor (the
// selection lies between them), the edit that replaces the selection, the
// cursor commands, and a limit flag that, while set, refuses any edit that
// would make the text longer than the text it replaces. Positions count
// bytes, from 0 to the length, and always stand between characters: a
// double-byte character is moved over, selected and removed whole.

#include <cstdint>
#include <string>

#include "foundation/JxCObject.h"
#include "foundation/JxCString.h"

class JxCEditString : public JxCObject {
public:
    // Cursor commands.
    enum Command : std::int16_t {
        kCollapse = 1,       // caret and anchor to the selection's start
        kCollapseAfter = 2,  // caret and anchor just after the selection's start
        kLeft = 3,
        kRight = 4,
        kStart = 5,
        kEnd = 6,
        kExtendLeft = 7,
        kExtendRight = 8,
        kExtendToStart = 9,
        kExtendToEnd = 10,
    };

    // Empty, caret and anchor at 0, no limit.
    JxCEditString() = default;
    // The text with the anchor at 0 and the caret at its end.
    explicit JxCEditString(const char* text);

    // Replaces the text; caret and anchor stay where they are (callers
    // place them), pulled back to the end of a shorter text. 0 for a null
    // text, which changes nothing.
    std::int16_t SetText(const char* text);
    // Replaces the selection by the text. Without keep, caret and anchor
    // move to the end of the inserted text; with keep they stay. 0 when
    // nothing is removed or added, or when the limit refuses a longer text.
    std::int16_t ReplaceSelection(const char* text, std::int16_t keep);

    // Clamped to 0 ... length and put at the start of the character there;
    // the stored value.
    std::int32_t SetAnchor(std::int32_t position);
    std::int32_t SetCaret(std::int32_t position);
    std::int32_t GetAnchor() const { return anchor_; }
    std::int32_t GetCaret() const { return caret_; }
    std::int32_t GetSize() const { return std::int32_t(text_.size()); }
    std::int32_t GetLength() const { return std::int32_t(text_.size()); }
    const char* GetBuffer() const { return text_.c_str(); }
    JxCString GetString() const { return JxCString(text_.c_str()); }
    bool IsSelectionEmpty() const { return anchor_ == caret_; }
    std::int32_t GetSelectionStart() const { return anchor_ < caret_ ? anchor_ : caret_; }
    std::int32_t GetSelectionEnd() const { return anchor_ < caret_ ? caret_ : anchor_; }

    // Returns the previous flag.
    std::int16_t SetLimit(std::int16_t limit);
    std::int16_t GetLimit() const { return limit_; }

    // 1 for any non-zero command (even one that moves nothing), 0 for 0;
    // moving left or right collapses a selection and moves from the caret.
    std::int16_t MoveCursor(std::int16_t command);

private:
    // Clamped, on a character boundary.
    std::int32_t clamp(std::int32_t position) const;
    std::int32_t previous(std::int32_t position) const;
    std::int32_t next(std::int32_t position) const;

    std::int32_t anchor_ = 0;
    std::int32_t caret_ = 0;
    std::string text_;
    std::int16_t limit_ = 0;
};
