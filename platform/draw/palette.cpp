#include "platform/draw/palette.h"

#include <algorithm>
#include <mutex>

#include "platform/draw/dc.h"

namespace plat {

const std::array<PALETTEENTRY, 20>& StaticSystemColours()
{
    static const std::array<PALETTEENTRY, 20> colours = {{
        {0x00, 0x00, 0x00, 0}, {0x80, 0x00, 0x00, 0}, {0x00, 0x80, 0x00, 0}, {0x80, 0x80, 0x00, 0},
        {0x00, 0x00, 0x80, 0}, {0x80, 0x00, 0x80, 0}, {0x00, 0x80, 0x80, 0}, {0xC0, 0xC0, 0xC0, 0},
        {0xC0, 0xDC, 0xC0, 0}, {0xA6, 0xCA, 0xF0, 0},
        {0xFF, 0xFB, 0xF0, 0}, {0xA0, 0xA0, 0xA4, 0}, {0x80, 0x80, 0x80, 0}, {0xFF, 0x00, 0x00, 0},
        {0x00, 0xFF, 0x00, 0}, {0xFF, 0xFF, 0x00, 0}, {0x00, 0x00, 0xFF, 0}, {0xFF, 0x00, 0xFF, 0},
        {0x00, 0xFF, 0xFF, 0}, {0xFF, 0xFF, 0xFF, 0},
    }};
    return colours;
}

namespace {

PaletteObject* livePalette(HPALETTE p)
{
    return AsGdi<PaletteObject>(p, GdiKind::Palette);
}

// The system palette as the last foreground realisation left it.
struct SystemPalette {
    std::mutex mutex;
    std::array<PALETTEENTRY, 256> entries{};
    SystemPalette()
    {
        const auto& s = StaticSystemColours();
        std::copy_n(s.begin(), 10, entries.begin());
        std::copy_n(s.begin() + 10, 10, entries.begin() + 246);
    }
};

SystemPalette& systemPalette()
{
    static SystemPalette p;
    return p;
}

}  // namespace

HPALETTE CreatePalette(const LOGPALETTE* palette)
{
    if (!palette || palette->palNumEntries == 0 || palette->palNumEntries > 256)
        return nullptr;
    auto* p = new PaletteObject;
    p->entries.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
    return RegisterGdiObject(p);
}

UINT GetPaletteEntries(HPALETTE palette, UINT first, UINT count, PALETTEENTRY* out)
{
    PaletteObject* p = livePalette(palette);
    if (!p)
        return 0;
    UINT size = UINT(p->entries.size());
    if (!out)
        return size;  // the number of entries, as asked with no buffer
    if (first >= size)
        return 0;
    UINT n = std::min(count, size - first);
    std::copy_n(p->entries.begin() + first, n, out);
    return n;
}

UINT SetPaletteEntries(HPALETTE palette, UINT first, UINT count, const PALETTEENTRY* entries)
{
    PaletteObject* p = livePalette(palette);
    if (!p || !entries || first >= p->entries.size() || p->stock)
        return 0;
    UINT n = std::min<UINT>(count, UINT(p->entries.size()) - first);
    std::copy_n(entries, n, p->entries.begin() + first);
    return n;
}

BOOL ResizePalette(HPALETTE palette, UINT count)
{
    PaletteObject* p = livePalette(palette);
    if (!p || p->stock || count == 0 || count > 256)
        return 0;
    p->entries.resize(count);
    return 1;
}

int NearestColourIndex(const PALETTEENTRY* table, int n, BYTE r, BYTE g, BYTE b)
{
    int best = -1;
    long bestDistance = 0;
    for (int i = 0; i < n; ++i) {
        long dr = long(table[i].peRed) - r, dg = long(table[i].peGreen) - g, db = long(table[i].peBlue) - b;
        long d = dr * dr + dg * dg + db * db;
        if (best < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF colour)
{
    PaletteObject* p = livePalette(palette);
    if (!p || p->entries.empty())
        return CLR_INVALID;
    return UINT(NearestColourIndex(p->entries.data(), int(p->entries.size()), GetRValue(colour),
                                   GetGValue(colour), GetBValue(colour)));
}

HPALETTE SelectPalette(HDC hdc, HPALETTE palette, BOOL forceBackground)
{
    DeviceContext* dc = LiveDC(hdc);
    PaletteObject* p = livePalette(palette);
    if (!dc || !p)
        return nullptr;
    PaletteObject* old = dc->palette;
    HPALETTE oldHandle = HandleOf(old);
    NoteSelected(p);
    dc->palette = p;
    dc->paletteBackground = forceBackground != 0;
    NoteDeselected(old);
    return oldHandle;
}

UINT RealizePalette(HDC hdc)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc)
        return GDI_ERROR;
    PaletteObject* p = dc->palette;
    if (!p)
        return 0;
    if (!dc->paletteBackground && !p->stock) {
        auto& sys = systemPalette();
        std::lock_guard lock(sys.mutex);
        // The entries between the static colours follow the palette, index
        // for index, as an identity palette on an 8-bit display would.
        for (std::size_t i = 10; i < 246 && i < p->entries.size(); ++i) {
            PALETTEENTRY e = p->entries[i];
            e.peFlags = 0;
            sys.entries[i] = e;
        }
    }
    return UINT(p->entries.size());
}

UINT GetSystemPaletteEntries(HDC, UINT first, UINT count, PALETTEENTRY* out)
{
    if (!out)
        return 256;
    if (first >= 256)
        return 0;
    auto& sys = systemPalette();
    std::lock_guard lock(sys.mutex);
    UINT n = std::min<UINT>(count, 256 - first);
    std::copy_n(sys.entries.begin() + first, n, out);
    return n;
}

COLORREF ResolveColour(const DeviceContext* dc, COLORREF colour)
{
    DWORD kind = colour >> 24;
    if (kind == 0x01) {
        // An index into the DC's palette.
        HPALETTE pal = dc && dc->palette ? HandleOf(dc->palette)
                                         : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
        PALETTEENTRY e{};
        if (GetPaletteEntries(pal, colour & 0xFFFF, 1, &e) != 1)
            GetPaletteEntries(pal, 0, 1, &e);
        if (e.peFlags & PC_EXPLICIT) {
            PALETTEENTRY s{};
            GetSystemPaletteEntries(dc ? dc->handle : nullptr, WORD(e.peRed | (e.peGreen << 8)) & 0xFF, 1, &s);
            e = s;
        }
        return RGB(e.peRed, e.peGreen, e.peBlue);
    }
    // On a true-colour display a palette-relative colour is the colour itself.
    return colour & 0xFFFFFF;
}

}  // namespace plat
