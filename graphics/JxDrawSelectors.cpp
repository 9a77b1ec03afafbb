#include "graphics/JxDrawSelectors.h"

#include <algorithm>

#include "graphics/JxCFontDesc.h"
#include "graphics/JxCSlate.h"
#include "platform/draw/draw.h"

namespace {

plat::HBRUSH MakePatternBrush(const std::array<std::uint8_t, 8>& bytes)
{
    // One-bit bitmaps have 16-bit rows.
    std::array<std::uint8_t, 16> rows{};
    for (std::size_t y = 0; y < bytes.size(); ++y)
        rows[2 * y] = bytes[y];
    plat::HBITMAP bitmap = plat::CreateBitmap(8, 8, 1, 1, rows.data());
    if (!bitmap)
        return nullptr;
    plat::HBRUSH brush = plat::CreatePatternBrush(bitmap);
    plat::DeleteObject(bitmap);
    return brush;
}

}  // namespace

// --- JxCBrushSelector --------------------------------------------------------

JxCBrushSelector::JxCBrushSelector(plat::HDC hdc, const JxCBrushSpec& brush, const JxCRGB& background,
                                   std::int32_t transparent)
    : hdc_(hdc)
{
    if (!hdc_)
        return;
    plat::HGDIOBJ chosen;
    if (brush.pattern)
        chosen = made_ = MakePatternBrush(brush.bytes);
    else if (brush.colour.IsBlack())
        chosen = plat::GetStockObject(plat::BLACK_BRUSH);
    else if (brush.colour.IsWhite())
        chosen = plat::GetStockObject(plat::WHITE_BRUSH);
    else
        chosen = made_ = plat::CreateSolidBrush(brush.colour.GetPaletteColorRef());
    if (chosen)
        oldBrush_ = plat::SelectObject(hdc_, chosen);
    oldPen_ = plat::SelectObject(hdc_, plat::GetStockObject(plat::NULL_PEN));
    oldBack_ = plat::SetBkColor(hdc_, background.GetPaletteColorRef());
    oldMode_ = plat::SetBkMode(hdc_, transparent ? plat::TRANSPARENT : plat::OPAQUE);
}

JxCBrushSelector::~JxCBrushSelector()
{
    if (!hdc_)
        return;
    plat::SetBkMode(hdc_, oldMode_);
    plat::SetBkColor(hdc_, oldBack_);
    if (oldPen_)
        plat::SelectObject(hdc_, oldPen_);
    if (oldBrush_)
        plat::SelectObject(hdc_, oldBrush_);
    if (made_)
        plat::DeleteObject(made_);
}

// --- JxCTextSelector ---------------------------------------------------------

const JxCFontRecord* ScaledFont(const JxCFontRecord* font, float scale)
{
    font = ResolveFont(font);
    if (scale == 1.0f)
        return font;
    JxCFontDesc desc = font->desc;
    // A size that truncates to nothing still draws, at one pixel (as does
    // the font of a slate without a usable mapping).
    const float scaled = float(desc.GetPointSize()) * scale;
    desc.SetScaledSize(scaled >= 1.0f ? std::int16_t(std::min(scaled, 32767.0f)) : std::int16_t(1));
    return FindOrAddFont(desc);
}

JxCTextSelector::JxCTextSelector(JxCSlate* slate, plat::HDC hdc, bool colours) : hdc_(hdc), colours_(colours)
{
    if (!hdc_ || !slate)
        return;
    const JxCDrawState& state = slate->GetState();
    font_ = ScaledFont(state.font, state.forward.d);
    if (plat::HFONT handle = font_->GetHandle())
        oldFont_ = plat::SelectObject(hdc_, handle);
    if (!colours_)
        return;
    oldText_ = plat::SetTextColor(hdc_, state.textColour.GetPaletteColorRef());
    oldBack_ = plat::SetBkColor(hdc_, state.backColour.GetPaletteColorRef());
    oldMode_ = plat::SetBkMode(hdc_, state.transparentBack ? plat::TRANSPARENT : plat::OPAQUE);
    oldAlign_ = plat::SetTextAlign(hdc_, plat::TA_BASELINE);
}

JxCTextSelector::~JxCTextSelector()
{
    if (!hdc_)
        return;
    if (colours_ && font_) {
        plat::SetTextAlign(hdc_, oldAlign_);
        plat::SetBkMode(hdc_, oldMode_);
        plat::SetBkColor(hdc_, oldBack_);
        plat::SetTextColor(hdc_, oldText_);
    }
    if (oldFont_)
        plat::SelectObject(hdc_, oldFont_);
}
