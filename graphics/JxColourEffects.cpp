#include "graphics/JxColourEffects.h"

#include <algorithm>
#include <cstring>

#include "foundation/JxProductLink.h"
#include "foundation/JxWinHelpers.h"
#include "platform/draw/draw.h"
#include "platform/window/window.h"

namespace {

struct Rgb {
    int r, g, b;
};

Rgb Split(plat::COLORREF c)
{
    return {int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)};
}

plat::COLORREF Join(int r, int g, int b)
{
    auto clamp = [](int v) { return plat::COLORREF(std::clamp(v, 0, 255)); };
    return clamp(r) | clamp(g) << 8 | clamp(b) << 16;
}

plat::COLORREF Colourise(const Rgb& c, int level)
{
    return Join(c.r + level * (255 - c.r) / 255, c.g + level * (255 - c.g) / 255, c.b + level * (255 - c.b) / 255);
}

bool KeepsWhite(std::int16_t effect)
{
    switch (effect) {
    case kEffectTintKeepWhite:
    case kEffectColouriseKeepWhite:
    case kEffectFlat:
    case kEffectGrey:
    case kEffectThresholdColourise:
    case kEffectGreyNotDarker:
        return true;
    default:
        return false;
    }
}

// The colour of palette entry index, through the system palette for an
// entry that names a system colour.
plat::COLORREF EntryColour(const std::vector<plat::PALETTEENTRY>& entries, std::size_t index)
{
    plat::PALETTEENTRY e = entries[index];
    if (e.peFlags & plat::PC_EXPLICIT) {
        plat::HDC screen = GetScreenDC();
        plat::GetSystemPaletteEntries(screen, plat::UINT(index), 1, &e);
        ReleaseScreenDC(screen);
    }
    return Join(e.peRed, e.peGreen, e.peBlue);
}

}  // namespace

int Luminance(plat::COLORREF colour)
{
    const Rgb c = Split(colour);
    return (30 * c.r + 59 * c.g + 11 * c.b) / 100;
}

bool ApplyColourEffect(std::int16_t effect, plat::COLORREF colour, plat::COLORREF c, plat::COLORREF t,
                       plat::COLORREF& result)
{
    if (effect < kEffectNone || effect > kEffectDimmedGrey)
        return false;
    const Rgb p = Split(colour);
    const Rgb k = Split(c);
    const int level = Luminance(colour);
    if (KeepsWhite(effect) && p.r == 255 && p.g == 255 && p.b == 255) {
        result = colour & 0xFFFFFF;
        return true;
    }
    switch (effect) {
    case kEffectNone:
        result = colour & 0xFFFFFF;
        break;
    case kEffectTint:
    case kEffectTintKeepWhite:
        result = Join(p.r * k.r / 255, p.g * k.g / 255, p.b * k.b / 255);
        break;
    case kEffectColourise:
    case kEffectColouriseKeepWhite:
        result = Colourise(k, level);
        break;
    case kEffectFlat:
        result = c & 0xFFFFFF;
        break;
    case kEffectGrey:
        result = Join(level, level, level);
        break;
    case kEffectThresholdColourise: {
        int threshold = Luminance(t);
        if (threshold >= 255)
            threshold = 254;
        result = Colourise(k, (std::max(level, threshold) - threshold) * 255 / (255 - threshold));
        break;
    }
    case kEffectGreyNotDarker: {
        const int m = std::max(level, Luminance(c));
        result = Join(m, m, m);
        break;
    }
    case kEffectTintedGrey:
        result = Join(level * k.r / 255, level * k.g / 255, level * k.b / 255);
        break;
    case kEffectDimmedGrey: {
        const int g = std::min(int(double(level) * 0.75), 170);
        result = Join(g, g, g);
        break;
    }
    }
    return true;
}

std::unique_ptr<JxCMappedPalette> BuildMappedPalette(plat::HPALETTE palette, const std::uint16_t* indexTable,
                                                     std::int16_t effect, plat::COLORREF c, plat::COLORREF t)
{
    if (!palette || effect < kEffectNone || effect > kEffectDimmedGrey)
        return nullptr;
    std::vector<plat::PALETTEENTRY> entries(256);
    entries.resize(plat::GetPaletteEntries(palette, 0, 256, entries.data()));
    if (entries.empty() || entries.size() > 256)
        return nullptr;
    auto block = std::make_unique<JxCMappedPalette>();
    for (std::size_t i = 0; i < block->indices.size(); ++i) {
        std::size_t index = indexTable ? indexTable[i] : i;
        // An index the palette does not have reads its first entry rather
        // than memory past its end.
        if (index >= entries.size())
            index = 0;
        plat::COLORREF result = 0;
        ApplyColourEffect(effect, EntryColour(entries, index), c, t, result);
        block->indices[i] =
            std::uint16_t(plat::GetNearestPaletteIndex(palette, result | 0x02000000u));
    }
    return block;
}

std::int16_t GetDibPalette(plat::HPALETTE palette, std::int16_t effect, plat::COLORREF c, plat::COLORREF t,
                           std::uint16_t* out)
{
    plat::HDC screen = GetScreenDC();
    const std::vector<std::uint8_t> probe = CopyScreenAreaToDib(screen, plat::RECT{0, 0, 9, 9});
    ReleaseScreenDC(screen);
    if (probe.empty())
        return 0;
    const std::unique_ptr<JxCMappedPalette> block = BuildMappedPalette(palette, nullptr, effect, c, t);
    if (!block || !out)
        return 0;
    std::copy(block->indices.begin(), block->indices.end(), out);
    return 1;
}

std::vector<std::uint8_t> CopyScreenAreaToDib(plat::HDC hdc, const plat::RECT& area)
{
    const int width = area.right - area.left + 1;
    const int height = area.bottom - area.top + 1;
    if (!hdc || width <= 0 || height <= 0)
        return {};
    const std::size_t stride = std::size_t(plat::DibStride(width, 8));
    std::vector<std::uint8_t> block(kScreenDibBitsOffset + 4 + stride * std::size_t(height));

    plat::HDC memory = plat::CreateCompatibleDC(hdc);
    plat::HBITMAP bitmap = memory ? plat::CreateCompatibleBitmap(hdc, width, height) : nullptr;
    bool ok = bitmap != nullptr;
    if (ok) {
        const plat::HPALETTE palette = ProductPalette();
        plat::HGDIOBJ oldBitmap = plat::SelectObject(memory, bitmap);
        plat::HPALETTE oldSource = palette ? plat::SelectPalette(hdc, palette, 0) : nullptr;
        plat::HPALETTE oldMemory = palette ? plat::SelectPalette(memory, palette, 0) : nullptr;
        if (palette) {
            plat::RealizePalette(hdc);
            plat::RealizePalette(memory);
        }
        ok = plat::BitBlt(memory, 0, 0, width, height, hdc, area.left, area.top, plat::SRCCOPY);
        plat::SelectObject(memory, oldBitmap);
        plat::BITMAPINFO info;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = height;
        info.bmiHeader.biBitCount = 8;
        ok = ok && plat::GetDIBits(memory, bitmap, 0, plat::UINT(height), block.data() + kScreenDibBitsOffset,
                                   &info, plat::DIB_PAL_COLORS) >= height;
        if (oldMemory)
            plat::SelectPalette(memory, oldMemory, 0);
        if (oldSource)
            plat::SelectPalette(hdc, oldSource, 0);
    }
    if (bitmap)
        plat::DeleteObject(bitmap);
    if (memory)
        plat::DeleteDC(memory);
    if (!ok)
        return {};
    plat::BITMAPINFOHEADER header;
    header.biWidth = width;
    header.biHeight = height;
    header.biBitCount = 8;
    std::memcpy(block.data(), &header, sizeof header);
    return block;
}
