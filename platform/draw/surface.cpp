#include "platform/draw/surface.h"

#include <algorithm>
#include <cstring>

#include "platform/draw/blit.h"
#include "platform/draw/dc.h"
#include "platform/draw/font.h"
#include "platform/draw/nearest.h"
#include "platform/draw/palette.h"

namespace plat {

namespace {

// Larger surfaces than this are refused rather than half made.
constexpr long long kMaxSurfaceBytes = 256ll << 20;
constexpr int kMaxDimension = 32767;

bool sizeAcceptable(long long width, long long height, int bpp)
{
    if (width <= 0 || height <= 0 || width > kMaxDimension || height > kMaxDimension)
        return false;
    return (long long)DibStride(LONG(width), bpp) * height <= kMaxSurfaceBytes;
}

BitmapObject* newSurface(int width, int height, int bpp, bool topDown, LONG stride)
{
    auto* b = new BitmapObject(width, height, bpp, topDown, stride);
    return RegisterGdiObject(b) ? b : nullptr;
}

}  // namespace

BitmapObject::BitmapObject(int w, int h, int bpp, bool td, LONG s)
    : GdiObject(GdiKind::Bitmap), width(w), height(h), bitsPerPixel(bpp), topDown(td), stride(s),
      bits(MakeZeroedArray<BYTE>(std::size_t(s) * std::size_t(h)))
{
}

BitmapObject::~BitmapObject() = default;

void BitmapObject::setColours(UINT first, UINT count, const RGBQUAD* entries)
{
    for (UINT i = 0; i < count && first + i < 256; ++i)
        colours[first + i] = entries[i];
    ++coloursVersion;
    nearest.reset();
}

UINT DibColourCount(const BITMAPINFOHEADER& h)
{
    if (h.biClrUsed != 0)
        return std::min<DWORD>(h.biClrUsed, h.biBitCount <= 8 ? (1u << h.biBitCount) : 256u);
    switch (h.biBitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

namespace {

// The colour table a DIB header announces, its entries read as RGB colours
// or as indices into the DC's palette.
void loadColourTable(DeviceContext* dc, const BITMAPINFO* info, UINT usage, BitmapObject& surface)
{
    UINT n = DibColourCount(info->bmiHeader);
    std::array<RGBQUAD, 256> table{};
    if (usage == DIB_PAL_COLORS) {
        const auto* indices = reinterpret_cast<const WORD*>(info->bmiColors);
        HPALETTE pal = dc && dc->palette ? HandleOf(dc->palette)
                                         : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
        for (UINT i = 0; i < n; ++i) {
            PALETTEENTRY e{};
            GetPaletteEntries(pal, indices[i], 1, &e);
            table[i] = {e.peBlue, e.peGreen, e.peRed, 0};
        }
    } else {
        std::copy_n(info->bmiColors, n, table.begin());
    }
    surface.setColours(0, 256, table.data());
}

}  // namespace

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits)
{
    if (bits)
        *bits = nullptr;
    if (!info)
        return nullptr;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    int bpp = h.biBitCount;
    if ((bpp != 8 && bpp != 32) || (h.biCompression != BI_RGB && !(bpp == 32 && h.biCompression == BI_BITFIELDS)))
        return nullptr;
    long long height = h.biHeight < 0 ? -(long long)h.biHeight : h.biHeight;
    if (!sizeAcceptable(h.biWidth, height, bpp))
        return nullptr;
    BitmapObject* b = newSurface(h.biWidth, int(height), bpp, h.biHeight < 0, DibStride(h.biWidth, bpp));
    if (!b)
        return nullptr;
    if (bpp == 8)
        loadColourTable(LiveDC(hdc), info, usage, *b);
    if (bits)
        *bits = b->bits.get();
    return HandleOf(b);
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    if (planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 8 && bitsPerPixel != 32))
        return nullptr;
    if (!sizeAcceptable(width, height, int(bitsPerPixel)))
        return nullptr;
    int bpp = int(bitsPerPixel);
    // Device-dependent bitmaps pad rows to 2 bytes; the deeper ones are made
    // in the DIB layout so that every blit sees one kind of surface.
    LONG stride = bpp == 1 ? ((width + 15) / 16) * 2 : DibStride(width, bpp);
    BitmapObject* b = newSurface(width, height, bpp, true, stride);
    if (!b)
        return nullptr;
    if (bpp == 8) {
        // The default palette's colours, as a new 8-bit device bitmap shows.
        std::array<RGBQUAD, 256> table{};
        const auto& s = StaticSystemColours();
        for (int i = 0; i < 10; ++i) {
            table[i] = {s[i].peBlue, s[i].peGreen, s[i].peRed, 0};
            table[246 + i] = {s[10 + i].peBlue, s[10 + i].peGreen, s[10 + i].peRed, 0};
        }
        b->setColours(0, 256, table.data());
    }
    if (bits)
        std::memcpy(b->bits.get(), bits, b->sizeBytes());
    return HandleOf(b);
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height)
{
    DeviceContext* dc = LiveDC(hdc);
    if (!dc)
        return nullptr;
    BitmapObject* src = dc->target == DeviceContext::Target::Memory ? dc->bitmap : nullptr;
    int bpp = src ? src->bitsPerPixel : 32;
    if (bpp == 1) {
        return CreateBitmap(width, height, 1, 1, nullptr);
    }
    if (!sizeAcceptable(width, height, bpp))
        return nullptr;
    BitmapObject* b = newSurface(width, height, bpp, true, DibStride(width, bpp));
    if (!b)
        return nullptr;
    if (bpp == 8)
        b->setColours(0, 256, src->colours.data());
    return HandleOf(b);
}

namespace {

int copyOut(const void* what, int bytes, int size, void* out)
{
    if (!out)
        return bytes;
    if (size < bytes)
        return 0;
    std::memcpy(out, what, std::size_t(bytes));
    return bytes;
}

}  // namespace

int GetObject(HGDIOBJ object, int size, void* out)
{
    if (auto* f = AsGdi<FontObject>(object, GdiKind::Font))
        return copyOut(&f->logFont, int(sizeof(LOGFONT)), size, out);
    if (auto* p = AsGdi<PaletteObject>(object, GdiKind::Palette)) {
        WORD n = WORD(p->entries.size());
        return copyOut(&n, int(sizeof n), size, out);
    }
    auto* b = AsGdi<BitmapObject>(object, GdiKind::Bitmap);
    if (!b)
        return 0;
    if (!out)
        return int(sizeof(BITMAP));
    if (size < int(sizeof(BITMAP)))
        return 0;
    BITMAP bm;
    bm.bmWidth = b->width;
    bm.bmHeight = b->height;
    bm.bmWidthBytes = b->stride;
    bm.bmBitsPixel = WORD(b->bitsPerPixel);
    bm.bmBits = b->bits.get();
    std::memcpy(out, &bm, sizeof bm);
    return int(sizeof(BITMAP));
}

namespace {

BitmapObject* selectedSurface(DeviceContext* dc)
{
    if (!dc || dc->target != DeviceContext::Target::Memory)
        return nullptr;
    return dc->bitmap;
}

}  // namespace

UINT GetDIBColorTable(HDC hdc, UINT first, UINT count, RGBQUAD* out)
{
    BitmapObject* b = selectedSurface(LiveDC(hdc));
    if (!b || b->bitsPerPixel != 8 || first >= 256 || !out)
        return 0;
    UINT n = std::min(count, 256 - first);
    std::copy_n(b->colours.begin() + first, n, out);
    return n;
}

UINT SetDIBColorTable(HDC hdc, UINT first, UINT count, const RGBQUAD* entries)
{
    BitmapObject* b = selectedSurface(LiveDC(hdc));
    if (!b || b->bitsPerPixel != 8 || first >= 256 || !entries)
        return 0;
    UINT n = std::min(count, 256 - first);
    b->setColours(first, n, entries);
    return n;
}

int GetDIBits(HDC hdc, HBITMAP bitmap, UINT startScan, UINT scanLines, void* bits,
              BITMAPINFO* info, UINT usage)
{
    DeviceContext* dc = LiveDC(hdc);
    auto* b = AsGdi<BitmapObject>(bitmap, GdiKind::Bitmap);
    if (!b || !info || b->bitsPerPixel == 1)
        return 0;
    BITMAPINFOHEADER& h = info->bmiHeader;
    if (!bits) {
        // Only the description is asked for.
        h.biSize = 40;
        h.biWidth = b->width;
        h.biHeight = b->topDown ? -b->height : b->height;
        h.biPlanes = 1;
        h.biBitCount = WORD(b->bitsPerPixel);
        h.biCompression = BI_RGB;
        h.biSizeImage = DWORD(b->sizeBytes());
        h.biClrUsed = b->bitsPerPixel == 8 ? 256 : 0;
        if (b->bitsPerPixel == 8)
            std::copy(b->colours.begin(), b->colours.end(), info->bmiColors);
        return 1;
    }
    int bpp = h.biBitCount;
    if ((bpp != 8 && bpp != 32) || h.biCompression != BI_RGB || h.biWidth <= 0)
        return 0;
    bool destTopDown = h.biHeight < 0;
    long long destHeight = destTopDown ? -(long long)h.biHeight : h.biHeight;
    if (startScan >= destHeight)
        return 0;
    UINT lines = UINT(std::min<long long>(scanLines, destHeight - startScan));
    LONG destStride = DibStride(h.biWidth, bpp);
    int w = std::min<int>(h.biWidth, b->width);

    // The destination's colour table: for 8-bit output, the surface's own
    // table when it is 8-bit, else the DC's palette.
    std::array<RGBQUAD, 256> table{};
    if (bpp == 8) {
        if (b->bitsPerPixel == 8) {
            table = b->colours;
        } else {
            HPALETTE pal = dc && dc->palette ? HandleOf(dc->palette)
                                             : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
            std::array<PALETTEENTRY, 256> e{};
            UINT n = GetPaletteEntries(pal, 0, 256, e.data());
            for (UINT i = 0; i < n; ++i)
                table[i] = {e[i].peBlue, e[i].peGreen, e[i].peRed, 0};
        }
        if (usage == DIB_PAL_COLORS) {
            auto* idx = reinterpret_cast<WORD*>(info->bmiColors);
            for (int i = 0; i < 256; ++i)
                idx[i] = WORD(i);
        } else {
            std::copy(table.begin(), table.end(), info->bmiColors);
        }
        h.biClrUsed = 256;
    }
    std::shared_ptr<NearestTable> nearest = bpp == 8 && b->bitsPerPixel == 32 ? NearestTableFor(table.data(), 256) : nullptr;
    for (UINT i = 0; i < lines; ++i) {
        // Scan line numbers count from the bottom of a bottom-up DIB.
        long long scan = startScan + i;
        long long y = destTopDown ? scan : destHeight - 1 - scan;
        auto* out = static_cast<BYTE*>(bits) + std::ptrdiff_t(scan) * destStride;
        if (y >= b->height) {
            std::memset(out, 0, std::size_t(destStride));
            continue;
        }
        const BYTE* in = b->row(int(y));
        if (bpp == b->bitsPerPixel && (bpp == 32 || table == b->colours)) {
            std::memcpy(out, in, std::size_t(w) * (bpp / 8));
        } else if (bpp == 32) {
            auto* o = reinterpret_cast<std::uint32_t*>(out);
            for (int x = 0; x < w; ++x) {
                const RGBQUAD& q = b->colours[in[x]];
                o[x] = (std::uint32_t(q.rgbRed) << 16) | (std::uint32_t(q.rgbGreen) << 8) | q.rgbBlue;
            }
        } else {
            const auto* s = reinterpret_cast<const std::uint32_t*>(in);
            for (int x = 0; x < w; ++x)
                out[x] = nearest->lookup(s[x]);
        }
    }
    return int(lines);
}

int SetDIBits(HDC hdc, HBITMAP bitmap, UINT startScan, UINT scanLines, const void* bits,
              const BITMAPINFO* info, UINT usage)
{
    const DeviceContext* from = LiveDC(hdc);
    auto* b = AsGdi<BitmapObject>(bitmap, GdiKind::Bitmap);
    if (!b || !info || !bits || b->bitsPerPixel == 1)
        return 0;
    // Drawn through a memory DC of its own, with the palette of hdc; a
    // bitmap selected into a DC cannot be written this way.
    HDC dc = CreateCompatibleDC(nullptr);
    if (from && from->palette)
        SelectPalette(dc, HandleOf(from->palette), 1);
    bool selected = SelectObject(dc, bitmap) != nullptr;
    int lines = 0;
    LONG height = info->bmiHeader.biHeight < 0 ? -info->bmiHeader.biHeight : info->bmiHeader.biHeight;
    if (selected)
        lines = SetDIBitsToDevice(dc, 0, 0, DWORD(std::max<LONG>(info->bmiHeader.biWidth, 0)), DWORD(height), 0, 0,
                                  startScan, scanLines, bits, info, usage);
    DeleteDC(dc);
    return lines;
}

BOOL RecommendDIBFormat(BITMAPINFO* info)
{
    if (!info)
        return 0;
    info->bmiHeader = BITMAPINFOHEADER{};
    info->bmiHeader.biWidth = 1;
    info->bmiHeader.biHeight = -1;
    info->bmiHeader.biBitCount = 8;
    return 1;
}

void* GetSurfaceBits(HBITMAP bitmap)
{
    auto* b = AsGdi<BitmapObject>(bitmap, GdiKind::Bitmap);
    return b ? b->bits.get() : nullptr;
}

}  // namespace plat
