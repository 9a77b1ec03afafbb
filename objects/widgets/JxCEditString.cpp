#include "objects/widgets/JxCEditString.h"

#include <cstring>

#include "foundation/JxCharSteps.h"

JxCEditString::JxCEditString(const char* text) : text_(text ? text : "")
{
    caret_ = GetLength();
}

std::int16_t JxCEditString::SetText(const char* text)
{
    if (!text)
        return 0;
    text_ = text;
    // Positions past a shorter text would point outside it.
    anchor_ = clamp(anchor_);
    caret_ = clamp(caret_);
    return 1;
}

std::int32_t JxCEditString::clamp(std::int32_t position) const
{
    return CharStartAt(text_.c_str(), GetLength(), position);
}

std::int32_t JxCEditString::previous(std::int32_t position) const
{
    return PreviousCharPosition(text_.c_str(), GetLength(), position);
}

std::int32_t JxCEditString::next(std::int32_t position) const
{
    return NextCharPosition(text_.c_str(), GetLength(), position);
}

std::int32_t JxCEditString::SetAnchor(std::int32_t position)
{
    return anchor_ = clamp(position);
}

std::int32_t JxCEditString::SetCaret(std::int32_t position)
{
    return caret_ = clamp(position);
}

std::int16_t JxCEditString::SetLimit(std::int16_t limit)
{
    const std::int16_t previous = limit_;
    limit_ = limit;
    return previous;
}

std::int16_t JxCEditString::ReplaceSelection(const char* text, std::int16_t keep)
{
    const std::int32_t lo = GetSelectionStart();
    const std::int32_t hi = GetSelectionEnd();
    // Both ends stand between characters, so the selection's bytes are
    // whole characters.
    const std::uint32_t removed = std::uint32_t(hi - lo);
    const std::size_t added = text ? std::strlen(text) : 0;
    if (removed == 0 && added == 0)
        return 0;
    if (limit_ && std::int64_t(added) > hi - lo)
        return 0;
    std::string edited = text_.substr(0, std::size_t(lo));
    edited.append(text ? text : "", added);
    edited.append(text_, std::size_t(lo) + removed, std::string::npos);
    text_ = std::move(edited);
    if (!keep)
        caret_ = anchor_ = lo + std::int32_t(added);
    return 1;
}

std::int16_t JxCEditString::MoveCursor(std::int16_t command)
{
    const std::int32_t length = GetLength();
    switch (command) {
    case kCollapse: caret_ = anchor_ = GetSelectionStart(); break;
    case kCollapseAfter: caret_ = anchor_ = next(GetSelectionStart()); break;
    case kLeft: caret_ = anchor_ = previous(caret_); break;
    case kRight: caret_ = anchor_ = next(caret_); break;
    case kStart: caret_ = anchor_ = 0; break;
    case kEnd: caret_ = anchor_ = length; break;
    case kExtendLeft: caret_ = previous(caret_); break;
    case kExtendRight: caret_ = next(caret_); break;
    case kExtendToStart: caret_ = 0; break;
    case kExtendToEnd: caret_ = length; break;
    default: break;
    }
    return command != 0 ? 1 : 0;
}
