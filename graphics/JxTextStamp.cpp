#include "graphics/JxTextStamp.h"

#include <cstring>

#include "graphics/JxCDevice.h"
#include "graphics/JxCSlate.h"
#include "platform/draw/draw.h"

namespace {

constexpr int kStampPoints = 16;

// The icon-title font at 16 points on the device context, made for each
// stamp and deleted after. The icon titles are set in the desktop's
// proportional sans-serif face, which a font without a face name of the
// swiss family asks for.
plat::HFONT MakeStampFont(plat::HDC hdc)
{
    plat::LOGFONT lf;
    lf.lfHeight = -(kStampPoints * plat::GetDeviceCaps(hdc, plat::LOGPIXELSY) / 72);
    lf.lfWeight = plat::FW_NORMAL;
    lf.lfPitchAndFamily = plat::VARIABLE_PITCH | plat::FF_SWISS;
    return plat::CreateFontIndirect(&lf);
}

class StampFont {
public:
    explicit StampFont(plat::HDC hdc) : hdc_(hdc), font_(hdc ? MakeStampFont(hdc) : nullptr)
    {
        if (font_)
            old_ = plat::SelectObject(hdc_, font_);
    }
    StampFont(const StampFont&) = delete;
    StampFont& operator=(const StampFont&) = delete;
    ~StampFont()
    {
        if (old_)
            plat::SelectObject(hdc_, old_);
        if (font_)
            plat::DeleteObject(font_);
    }
    bool Ok() const { return old_ != nullptr; }

private:
    plat::HDC hdc_;
    plat::HFONT font_;
    plat::HGDIOBJ old_ = nullptr;
};

std::int32_t MeasureStamp(const char* text)
{
    JxCSlate* scratch = GetScreenScratchSlate();
    plat::HDC hdc = scratch ? scratch->GetHDC() : nullptr;
    StampFont font(hdc);
    plat::SIZE size{};
    if (!font.Ok() || !plat::GetTextExtentPoint(hdc, text, int(std::strlen(text)), &size))
        return 0;
    return size.cx;
}

void DrawStamp(JxCSlate& slate, const JxCRect& band, const char* text)
{
    plat::HDC hdc = slate.GetHDC();
    StampFont font(hdc);
    if (!font.Ok())
        return;
    const plat::RECT r = slate.TransformRect(band);
    plat::TEXTMETRIC tm;
    plat::GetTextMetrics(hdc, &tm);
    const int oldMode = plat::SetBkMode(hdc, plat::TRANSPARENT);
    const plat::COLORREF oldColour = plat::SetTextColor(hdc, JxCRGB(0, 0, 0).GetPaletteColorRef());
    const plat::UINT oldAlign = plat::SetTextAlign(hdc, plat::TA_LEFT | plat::TA_TOP);
    plat::TextOut(hdc, r.left, r.top + (r.bottom - r.top - tm.tmHeight) / 2, text, int(std::strlen(text)));
    plat::SetTextAlign(hdc, oldAlign);
    plat::SetTextColor(hdc, oldColour);
    plat::SetBkMode(hdc, oldMode);
}

}  // namespace

JxTextStamper MakeTextOutStamper()
{
    JxTextStamper stamper;
    stamper.measure = &MeasureStamp;
    stamper.draw = &DrawStamp;
    return stamper;
}
