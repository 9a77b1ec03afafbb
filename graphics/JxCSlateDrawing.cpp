// The drawing primitives of a slate.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "graphics/JxCFontDesc.h"
#include "graphics/JxCSlate.h"
#include "graphics/JxDrawSelectors.h"
#include "platform/draw/draw.h"

namespace {

JxCBrushSpec BrushOf(const JxCDrawState& state, const JxCRGB& colour)
{
    JxCBrushSpec brush;
    brush.colour = colour;
    brush.pattern = state.brushPattern;
    brush.bytes = state.patternBytes;
    return brush;
}

// A slate whose logical area is empty has no usable scale: lengths then
// stay as they are.
bool Usable(float scale)
{
    return std::isfinite(scale) && scale != 0.0f;
}

std::int32_t Scaled(std::int32_t value, float scale)
{
    if (!Usable(scale))
        return value;
    return std::int32_t(std::clamp(std::floor(double(value) * scale + 0.5), -32768.0, 32767.0));
}

// A device length back in logical units.
std::int32_t Unscaled(std::int32_t value, float scale)
{
    if (!Usable(scale) || scale == 1.0f)
        return value;
    return std::int32_t(std::clamp(double(value) / scale, -32768.0, 32767.0));
}

std::int32_t TextLength(const char* text, std::int32_t length)
{
    return length < 0 ? std::int32_t(std::strlen(text)) : length;
}

}  // namespace

std::int16_t JxCSlate::DrawRectangle(const JxCRect& rect, const JxCRGB& colour)
{
    if (!hdc_)
        return 0;
    JxCScopedClip clip(this);
    JxCBrushSelector brush(hdc_, BrushOf(state_, colour), state_.backColour, state_.transparentBack);
    const plat::RECT r = TransformRect(rect);
    return std::int16_t(plat::Rectangle(hdc_, r.left, r.top, r.right + 1, r.bottom + 1) ? 1 : 0);
}

std::int16_t JxCSlate::DrawRectangleEx(const JxCRect& rect, const JxCRGB& colour)
{
    if (!hdc_)
        return 0;
    JxCScopedClip clip(this);
    JxCBrushSpec solid;
    solid.colour = colour;
    JxCBrushSelector brush(hdc_, solid, state_.backColour, state_.transparentBack);
    const plat::RECT r = TransformRect(rect);
    const std::int32_t w = Scaled(state_.penWidth, state_.forward.a);
    const std::int32_t h = Scaled(state_.penWidth, state_.forward.d);
    const std::int32_t l = r.left, t = r.top, rt = r.right, b = r.bottom;
    bool ok = plat::Rectangle(hdc_, l, t, rt + 1, t + 1 + h);
    ok = plat::Rectangle(hdc_, l, b - h, rt + 1, b + 1) && ok;
    ok = plat::Rectangle(hdc_, l, t + h, l + 1 + w, b - h + 1) && ok;
    ok = plat::Rectangle(hdc_, rt - w, t + h, rt + 1, b - h + 1) && ok;
    return ok ? 1 : 0;
}

std::int16_t JxCSlate::DrawText(const JxCPoint& at, const char* text, std::int32_t length)
{
    if (!hdc_ || !text)
        return 0;
    JxCScopedClip clip(this);
    JxCTextSelector selector(this, hdc_, true);
    const plat::POINT p = TransformPoint(at);
    return std::int16_t(plat::TextOut(hdc_, p.x, p.y, text, TextLength(text, length)) ? 1 : 0);
}

std::int16_t JxCSlate::DrawText(const JxCRect& rect, const char* text, std::int32_t length,
                                std::int16_t horizontal, std::int16_t vertical)
{
    if (!hdc_ || !text)
        return 0;
    length = TextLength(text, length);
    std::int32_t width = 0, ascent = 0, descent = 0;
    {
        JxCTextSelector selector(this, hdc_, false);
        plat::SIZE extent{};
        plat::GetTextExtentPoint(hdc_, text, length, &extent);
        width = Unscaled(extent.cx, state_.forward.identity ? 1.0f : state_.forward.a);
        plat::TEXTMETRIC tm;
        plat::GetTextMetrics(hdc_, &tm);
        ascent = Unscaled(tm.tmAscent - tm.tmInternalLeading, state_.forward.d);
        descent = Unscaled(tm.tmDescent, state_.forward.d);
    }
    std::int32_t x = rect.left;
    if (horizontal == 1)
        x = (rect.left + rect.right - width) / 2;
    else if (horizontal == 2)
        x = rect.right - width;
    std::int32_t y = rect.top + ascent;
    if (vertical == 1)
        y = (rect.top + rect.bottom - ascent - descent) / 2 + ascent;
    else if (vertical == 2)
        y = rect.bottom - descent;
    return DrawText(JxCPoint(std::int16_t(x), std::int16_t(y)), text, length);
}

void DrawRectOutline(plat::HDC hdc, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
{
    plat::MoveToEx(hdc, left, top, nullptr);
    plat::LineTo(hdc, right, top);
    plat::LineTo(hdc, right, bottom);
    plat::LineTo(hdc, left, bottom);
    plat::LineTo(hdc, left, top);
}
