#include "graphics/JxCTextOut.h"

#include <algorithm>
#include <cstring>

#include "foundation/JxCBaseString.h"
#include "graphics/JxCSlate.h"
#include "graphics/JxCStyleDef.h"
#include "platform/draw/draw.h"

namespace {

// The next break candidate after p: just past a space, tab or hyphen; null
// at the terminator.
const char* NextCandidate(const char* p)
{
    for (; *p; ++p)
        if (*p == ' ' || *p == '\t' || *p == '-')
            return p + 1;
    return nullptr;
}

std::uint32_t Length(const char* text)
{
    return std::uint32_t(std::strlen(text));
}

// count characters (negative: all) of text, in bytes, never past its end.
std::uint32_t BytesOf(const char* text, std::int32_t count)
{
    const std::uint32_t length = Length(text);
    if (count < 0)
        return length;
    return std::min(JxCBaseString::CharCountToByteCount(text, count), length);
}

}  // namespace

JxCTextOut::JxCTextOut(plat::HDC hdc, JxCCharStyleObject* style, plat::POINT start, const plat::RECT* clip)
    : charStyle_(style), hdc_(hdc)
{
    if (clip) {
        lineWidth_ = clip->right - clip->left - 1;
        clip_ = *clip;
    }
    Begin(start);
}

JxCTextOut::JxCTextOut(plat::HDC hdc, JxCParaStyleObject* style, plat::POINT start, const plat::RECT* clip)
    : JxCTextOut(hdc, style ? style->GetCharStyle() : nullptr, start, clip)
{
    paraStyle_ = style;
}

void JxCTextOut::Begin(plat::POINT start)
{
    if (!hdc_)
        return;
    oldAlign_ = plat::GetTextAlign(hdc_);
    plat::SetTextAlign(hdc_, oldAlign_ | plat::TA_UPDATECP);
    if (charStyle_)
        if (plat::HFONT font = charStyle_->GetFont(hdc_))
            oldFont_ = plat::SelectObject(hdc_, font);
    plat::MoveToEx(hdc_, start.x, start.y, nullptr);
    leftEdge_ = leftEdgeCopy_ = start.x;
    GetLineHeight();
}

JxCTextOut::~JxCTextOut()
{
    if (!hdc_)
        return;
    plat::SetTextAlign(hdc_, oldAlign_);
    if (oldFont_)
        plat::SelectObject(hdc_, oldFont_);
}

std::int16_t JxCTextOut::SelectCharStyle(JxCCharStyleObject* style)
{
    if (!style || !hdc_)
        return 0;
    if (style == charStyle_ && style->GetFontHandle() &&
        plat::GetCurrentObject(hdc_, plat::OBJ_FONT) == style->GetFontHandle())
        return 1;
    plat::HFONT font = style->GetFont(hdc_);
    if (!font)
        return 0;
    if (oldFont_)
        plat::SelectObject(hdc_, oldFont_);
    charStyle_ = style;
    plat::HGDIOBJ previous = plat::SelectObject(hdc_, font);
    if (!oldFont_)
        oldFont_ = previous;
    return 1;
}

plat::POINT JxCTextOut::Position() const
{
    plat::POINT p{};
    plat::GetCurrentPositionEx(hdc_, &p);
    return p;
}

std::int32_t JxCTextOut::GetLineHeight()
{
    if (lineHeight_ < 0 && hdc_) {
        plat::TEXTMETRIC tm;
        if (plat::GetTextMetrics(hdc_, &tm))
            lineHeight_ = tm.tmHeight + tm.tmExternalLeading;
    }
    return std::max(lineHeight_, 0);
}

std::int32_t JxCTextOut::GetLinesHeight(std::int32_t lines)
{
    std::int32_t height = lines * GetLineHeight();
    if (paraStyle_)
        height += paraStyle_->spaceBefore + paraStyle_->spaceAfter;
    return height;
}

std::int32_t JxCTextOut::MeasureBytes(const char* text, std::uint32_t bytes)
{
    if (!hdc_ || !text || bytes == 0)
        return 0;
    plat::SIZE size{};
    plat::GetTextExtentPoint(hdc_, text, int(bytes), &size);
    return size.cx;
}

std::int32_t JxCTextOut::MeasureText(const char* text, std::int32_t count, std::int32_t startOffset)
{
    if (!text || !hdc_ || count == 0)
        return lastWidth_ = 0;
    // A start past the text measures nothing rather than what lies after.
    const std::uint32_t start = std::min(std::uint32_t(std::max(startOffset, 0)), Length(text));
    return lastWidth_ = MeasureBytes(text + start, BytesOf(text + start, count));
}

std::int32_t JxCTextOut::MeasureRunBytes(const char* text, std::uint32_t bytes, const JxCTextRun* runs,
                                         std::int32_t runCount, std::int32_t textOffset)
{
    if (!runs || runCount <= 0)
        return MeasureBytes(text, bytes);
    JxCStyleDef* styles = GetProductStyleDef();
    std::int32_t total = 0;
    std::uint32_t pos = 0;
    while (pos < bytes) {
        const std::int64_t at = std::int64_t(textOffset) + pos;
        std::int32_t run = -1;
        for (std::int32_t i = 0; i < runCount; ++i)
            if (runs[i].start <= at)
                run = i;
        // The piece ends where the next run starts, clamped to the text; a
        // run table out of order ends it at the text's end.
        std::int64_t end = bytes;
        if (run + 1 < runCount)
            end = std::int64_t(runs[run + 1].start) - textOffset;
        if (end <= std::int64_t(pos) || end > std::int64_t(bytes))
            end = bytes;
        if (run >= 0 && styles)
            SelectCharStyle(styles->FindCharacterStyle(runs[run].styleId));
        total += MeasureBytes(text + pos, std::uint32_t(end) - pos);
        pos = std::uint32_t(end);
    }
    return total;
}

std::int32_t JxCTextOut::MeasureText(const char* text, std::int32_t count, const JxCTextRun* runs,
                                     std::int32_t runCount, std::int32_t textOffset)
{
    if (!text || !hdc_ || count == 0)
        return lastWidth_ = 0;
    return lastWidth_ = MeasureRunBytes(text, BytesOf(text, count), runs, runCount, textOffset);
}

const char* JxCTextOut::FindLineBreak(const char* text, std::int32_t width, const JxCTextRun* runs,
                                      std::int32_t runCount, std::int32_t textOffset)
{
    if (!text)
        return nullptr;
    if (width == 0)
        width = lineWidth_;
    if (MeasureRunBytes(text, Length(text), runs, runCount, textOffset) <= width)
        return nullptr;
    const char* kept = nullptr;
    for (const char* c = NextCandidate(text); c; c = NextCandidate(c)) {
        if (MeasureRunBytes(text, std::uint32_t(c - text), runs, runCount, textOffset) > width)
            break;
        kept = c;
    }
    return kept;
}

std::int32_t JxCTextOut::WidthBeside(std::int32_t indent) const
{
    return std::max(lineWidth_ - indent, 1);
}

std::int32_t JxCTextOut::CountLines(const char* text)
{
    if (!text)
        return 0;
    std::int32_t lines = 0;
    std::int32_t indent = paraStyle_ ? paraStyle_->firstIndent : 0;
    while (true) {
        ++lines;
        const char* brk = FindLineBreak(text, WidthBeside(indent));
        if (!brk)
            return lines;
        text = brk;
        indent = paraStyle_ ? paraStyle_->laterIndent : 0;
    }
}

std::int32_t JxCTextOut::FitCharacters(const char* text, std::int32_t limit)
{
    if (!hdc_ || !text || limit <= 0)
        return 0;
    const std::int32_t chars = std::int32_t(JxCBaseString(text).GetCharCount());
    std::int32_t n = 0;
    while (n < chars) {
        ++n;
        if (MeasureBytes(text, BytesOf(text, n)) >= limit)
            break;
    }
    return n;
}

std::int16_t JxCTextOut::DrawRun(std::int32_t count, const char* text, std::int16_t highlight)
{
    if (!text || !hdc_ || count == 0)
        return 0;
    const std::int32_t length = std::int32_t(Length(text));
    if (count < 0 || count > length)
        count = length;
    const plat::RECT* clip = clip_ ? &*clip_ : nullptr;
    const int mode = charStyle_ && (!charStyle_->transparentBackground || highlight) ? plat::OPAQUE
                                                                                      : plat::TRANSPARENT;
    const int oldMode = plat::SetBkMode(hdc_, mode);
    const plat::UINT oldAlign = plat::SetTextAlign(hdc_, plat::TA_UPDATECP);
    plat::COLORREF oldText = 0, oldBack = 0;
    if (charStyle_) {
        const JxCRGB& fore = highlight ? charStyle_->highlightText : charStyle_->text;
        const JxCRGB& back = highlight ? charStyle_->highlightBackground : charStyle_->background;
        oldText = plat::SetTextColor(hdc_, fore.GetPaletteColorRef());
        oldBack = plat::SetBkColor(hdc_, back.GetPaletteColorRef());
    }
    const plat::BOOL result = plat::ExtTextOut(hdc_, 0, 0, plat::ETO_CLIPPED, clip, text, plat::UINT(count), nullptr);
    if (charStyle_) {
        plat::SetBkColor(hdc_, oldBack);
        plat::SetTextColor(hdc_, oldText);
    }
    plat::SetTextAlign(hdc_, oldAlign);
    plat::SetBkMode(hdc_, oldMode);
    return result ? 1 : 0;
}

std::int16_t JxCTextOut::DrawParagraph(const char* text, std::int16_t highlight)
{
    if (!text || !hdc_)
        return 0;
    const JxCParaStyleObject* p = paraStyle_;
    if (p) {
        const plat::POINT at = Position();
        plat::MoveToEx(hdc_, at.x + p->firstIndent, at.y + p->spaceBefore, nullptr);
    }
    std::int32_t indent = p ? p->firstIndent : 0;
    const bool aligned = p && (p->alignment == 'C' || p->alignment == 'R');
    // Moves to where a line of width w starts under the alignment; the
    // offset counts from the left edge and ignores the indents.
    auto align = [&](std::int32_t w) {
        std::int32_t offset = lineWidth_ - w;
        if (p->alignment == 'C')
            offset /= 2;
        plat::MoveToEx(hdc_, leftEdge_ + offset, Position().y, nullptr);
    };
    std::int16_t result = 1;
    while (*text && result) {
        const char* brk = FindLineBreak(text, WidthBeside(indent));
        if (!brk) {
            if (aligned)
                align(MeasureBytes(text, Length(text)));
            result = DrawRun(-1, text, highlight);
            break;
        }
        if (aligned)
            align(MeasureBytes(text, std::uint32_t(brk - text)));
        result = DrawRun(std::int32_t(brk - text), text, highlight);
        plat::MoveToEx(hdc_, leftEdge_ + (p ? p->laterIndent : 0), Position().y + GetLineHeight(), nullptr);
        text = brk;
        indent = p ? p->laterIndent : 0;
    }
    plat::MoveToEx(hdc_, leftEdge_, Position().y + (p ? p->spaceAfter : 0), nullptr);
    return result;
}

std::int16_t DrawStyledText(JxCSlate* slate, const JxCRect& rect, const char* text, JxCCharStyleObject* style,
                            std::int16_t highlight)
{
    if (!slate)
        return 0;
    const JxCPoint origin = slate->GetOrigin();
    const plat::RECT area{rect.left - origin.x, rect.top - origin.y, rect.right - origin.x, rect.bottom - origin.y};
    if (highlight)
        slate->DrawRectangle(rect, style ? style->highlightBackground : JxCRGB());
    JxCTextOut out(slate->GetHDC(), style, plat::POINT{area.left, area.top}, &area);
    return out.DrawRun(-1, text, highlight);
}
