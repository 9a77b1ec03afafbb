#include "objects/widgets/JxCParaText.h"

#include <algorithm>
#include <limits>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxCInStream.h"
#include "foundation/JxCharSteps.h"
#include "graphics/JxCDisplaySlate.h"
#include "graphics/JxCSlate.h"
#include "graphics/JxCStyleDef.h"
#include "graphics/JxCTextOut.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxObjectDC.h"
#include "platform/window/window.h"

namespace {

plat::RECT toRECT(const JxCRect& r)
{
    return plat::RECT{r.left, r.top, r.right, r.bottom};
}

}  // namespace

JxCParaText::JxCParaText()
{
    SetCursorName(DefaultCursorName());
}

std::int16_t JxCParaText::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    if (!JxCDisplayObject::Read(in, container, type))
        return 0;
    std::int32_t value = 0;
    std::int32_t length = 0;
    if (!in.ReadBigEndian16To32(styleId_).ReadBigEndian16To32(value).ReadBigEndian16To32(lineHeight_)
             .ReadBigEndian16To32(length))
        return 0;
    value_ = std::uint8_t(value & 0xFF);
    // The text's length is bounded by what the record holds.
    if (length < 0 || std::uint32_t(length) > in.Remaining())
        return 0;
    text_.reset();
    if (length > 0) {
        std::string text(std::size_t(length), '\0');
        if (!in.ReadBlock(text.data(), std::uint32_t(length)))
            return 0;
        // A zero byte ends the text as it would end the stored copy.
        text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
        text_ = std::move(text);
    }
    if (!in.ReadBigEndian16(autoHeight_))
        return 0;
    measured_ = 1;
    return 1;
}

std::int16_t JxCParaText::CreateResources()
{
    JxCStyleDef* styles = GetProductStyleDef();
    style_ = styles ? styles->FindParagraphStyle(styleId_) : nullptr;
    return style_ ? 1 : 0;
}

// --- The text --------------------------------------------------------------------

const JxCString& JxCParaText::GetText() const
{
    textCopy_ = GetTextBuffer() ? GetTextBuffer() : "";
    return textCopy_;
}

std::int16_t JxCParaText::SetText(const char* text, std::int16_t redraw)
{
    const JxCRect before = GetRect();
    if (text)
        text_ = std::string(text);
    else
        text_.reset();
    measured_ = 0;
    if (redraw && GetContainer()) {
        // The repaint happens at once: it must find the new text measured,
        // and cover both the lines the text had and those it grows into.
        Measure();
        const JxCRect area = UnionOf(before, GetRect());
        if (JxCSlate* slate = GetSlate()) {
            if (auto* display = dynamic_cast<JxCDisplaySlate*>(slate))
                display->InvalidateArea(&area, 0);
            ReleaseSlate(slate);
        }
    }
    return 1;
}

std::int16_t JxCParaText::SetTextFromStream(JxCInStream& in, std::int16_t redraw)
{
    if (in.AtEndOrError())
        return 0;
    JxCString line;
    in.ReadLine(line);
    return SetText(line.GetText() ? line.GetText() : "", redraw);
}

void JxCParaText::SetRect(const JxCRect& rect)
{
    JxCDisplayObject::SetRect(rect);
    Measure();
}

void JxCParaText::SetWidth(std::int32_t width)
{
    JxCRect rect = GetRect();
    rect.right = std::int16_t(rect.left + width);
    JxCDisplayObject::SetRect(rect);
    Measure();
}

void JxCParaText::SetPosition(const JxCPoint& point)
{
    JxCRect rect = GetRect();
    rect.Offset(point.x - rect.left, point.y - rect.top);
    JxCDisplayObject::SetRect(rect);
}

// --- Measuring and drawing ---------------------------------------------------------

std::int16_t JxCParaText::Measure()
{
    if (GetTextLength() <= 0 || !style_)
        return 1;
    JxObjectDC dc(*this);
    JxCRect rect = GetRect();
    const plat::RECT area = toRECT(rect);
    JxCTextOut out(dc.Get(), style_, plat::POINT{rect.left, rect.top}, &area);
    const std::int32_t lines = out.CountLines(GetTextBuffer());
    lineHeight_ = out.GetLineHeight();
    if (autoHeight_ == 1) {
        // A text taller than the coordinates reach ends at their edge.
        const std::int64_t bottom = std::int64_t(rect.top) + out.GetLinesHeight(lines);
        rect.bottom = std::int16_t(std::min<std::int64_t>(bottom, std::numeric_limits<std::int16_t>::max()));
        JxCDisplayObject::SetRect(rect);
    }
    measured_ = 1;
    return 1;
}

std::int16_t JxCParaText::Draw(JxCSlate* slate, const JxCRect*)
{
    if (!measured_)
        Measure();
    if (!slate || !slate->GetHDC() || !style_)
        return 1;
    JxCRect rect = GetRect();
    const JxCPoint origin = slate->GetOrigin();
    rect.Offset(-origin.x, -origin.y);
    const plat::RECT area = toRECT(rect);
    JxCTextOut out(slate->GetHDC(), style_, plat::POINT{rect.left, rect.top}, &area);
    out.DrawParagraph(GetTextBuffer(), 0);
    return 1;
}

std::int32_t JxCParaText::FindLineBreak(JxCTextOut& out, std::int32_t start, std::int32_t width)
{
    const char* text = GetTextBuffer();
    if (!text || start < 0 || start >= GetTextLength())
        return -1;
    const char* brk = out.FindLineBreak(text + start, width);
    if (!brk)
        return -1;
    // Each line takes at least one character, so a walk always ends.
    return std::max<std::int32_t>(std::int32_t(brk - text), start + 1);
}

JxCPoint JxCParaText::GetCharPosition(std::int32_t offset)
{
    const JxCRect rect = GetRect();
    JxCPoint at = rect.TopLeft();
    const std::int32_t length = GetTextLength();
    if (length == 0 || offset < 0 || offset > length)
        return at;
    const std::int32_t firstIndent = style_ ? style_->firstIndent : 0;
    const std::int32_t laterIndent = style_ ? style_->laterIndent : 0;
    std::int32_t y = at.y + (style_ ? style_->spaceBefore : 0);
    if (offset == 0)
        return JxCPoint(std::int16_t(at.x + firstIndent), std::int16_t(y));
    plat::HDC screen = plat::GetDC(nullptr);
    const plat::RECT area = toRECT(rect);
    JxCPoint result = at;
    {
        JxCTextOut out(screen, style_, plat::POINT{rect.left, rect.top}, &area);
        std::int32_t start = 0;
        std::int32_t indent = firstIndent;
        while (start <= length) {
            const std::int32_t brk = FindLineBreak(out, start, rect.Width() - 1 - indent);
            const std::int32_t end = brk < 0 ? length : brk;
            if (offset >= start && offset <= end) {
                // Offsets count bytes; the text output counts characters.
                const std::int32_t chars = CharCountOfBytes(GetTextBuffer() + start, offset - start);
                const std::int32_t x = rect.left + indent + out.MeasureText(GetTextBuffer(), chars, start);
                result = JxCPoint(std::int16_t(x), std::int16_t(y));
                break;
            }
            if (brk < 0)
                break;
            y += out.GetLineHeight();
            start = brk;
            indent = laterIndent;
        }
    }
    plat::ReleaseDC(nullptr, screen);
    return result;
}

// --- The mouse ------------------------------------------------------------------------

std::int16_t JxCParaText::MouseDown(const JxCPoint&)
{
    return 1;
}

std::int16_t JxCParaText::MouseUp(const JxCPoint& point, std::int16_t flag)
{
    JxCDisplayObject::MouseUp(point, flag);
    DispatchEvent(std::int16_t(EventId(JxEventKeyword::on_click)), std::int16_t(GetTypeKey().GetId()));
    return 1;
}

std::int16_t JxCParaText::MouseMove(const JxCPoint&)
{
    if (JxCBaseProduct* product = GetProduct())
        product->SetCursor(TestStateFlags(kStateDisabled) ? DefaultCursorName() : GetCursorName());
    return 1;
}
