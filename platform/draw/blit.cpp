#include "platform/draw/blit.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/draw/brushpaint.h"
#include "platform/draw/dc.h"
#include "platform/draw/index_expander.h"
#include "platform/draw/nearest.h"
#include "platform/draw/palette.h"
#include "platform/draw/raster.h"
#include "platform/draw/rgnobject.h"

namespace plat {

namespace {

// Turns rows of source pixels into pixel values of the destination.
class SourceConverter {
public:
    SourceConverter(const DeviceContext* dest, const Raster& to, const Raster& from) : to_(to), from_(from)
    {
        if (from.bitsPerPixel == 1) {
            // A monochrome source: 0 bits in the text colour, 1 bits in the
            // background colour of the destination.
            lut_[0] = ColourToPixel(dest, to, dest->textColour);
            lut_[1] = ColourToPixel(dest, to, dest->bkColour);
        } else if (from.bitsPerPixel == 8) {
            sameTable_ = to.bitsPerPixel == 8 && to.colours && from.colours &&
                         (to.colours == from.colours ||
                          std::equal(from.colours, from.colours + 256, to.colours,
                                     [](const RGBQUAD& a, const RGBQUAD& b) {
                                         return a.rgbRed == b.rgbRed && a.rgbGreen == b.rgbGreen &&
                                                a.rgbBlue == b.rgbBlue;
                                     }));
            for (int i = 0; i < 256; ++i) {
                const RGBQUAD& q = from.colours[i];
                std::uint32_t rgb = (std::uint32_t(q.rgbRed) << 16) | (std::uint32_t(q.rgbGreen) << 8) | q.rgbBlue;
                lut_[i] = to.bitsPerPixel == 32 ? rgb : sameTable_ ? std::uint32_t(i) : nearestIndex(rgb);
            }
        }
    }

    // Writes n pixels starting at source column sx of row src into the
    // destination row at dx, as plain copies.
    void copyRow(const BYTE* src, int sx, BYTE* dst, int dx, int n)
    {
        if (to_.bitsPerPixel == from_.bitsPerPixel && (to_.bitsPerPixel == 32 || sameTable_)) {
            int bytes = to_.bitsPerPixel / 8;
            std::memmove(dst + std::ptrdiff_t(dx) * bytes, src + std::ptrdiff_t(sx) * bytes, std::size_t(n) * bytes);
            return;
        }
        if (to_.bitsPerPixel == 32) {
            auto* d = reinterpret_cast<std::uint32_t*>(dst) + dx;
            if (from_.bitsPerPixel == 8) {
                expander_.expand(src + sx, d, n);
            } else {
                for (int i = 0; i < n; ++i)
                    d[i] = value(src, sx + i);
            }
            return;
        }
        BYTE* d = dst + dx;
        if (from_.bitsPerPixel == 32) {
            const auto* s = reinterpret_cast<const std::uint32_t*>(src) + sx;
            NearestTable& table = nearestTable();
            for (int i = 0; i < n; ++i)
                d[i] = table.lookup(s[i] & 0xFFFFFF);
        } else {
            for (int i = 0; i < n; ++i)
                d[i] = BYTE(value(src, sx + i));
        }
    }

    // The destination values of the source pixels at the given columns of
    // row src, one depth case per row; columns outside the source are left
    // out (their entries of out are not written).
    void values(const BYTE* src, const int* columns, int n, std::uint32_t* out)
    {
        const int width = from_.width;
        switch (from_.bitsPerPixel) {
        case 1:
            for (int i = 0; i < n; ++i)
                if (const int x = columns[i]; x >= 0 && x < width)
                    out[i] = lut_[(src[x / 8] >> (7 - (x & 7))) & 1];
            break;
        case 8:
            for (int i = 0; i < n; ++i)
                if (const int x = columns[i]; x >= 0 && x < width)
                    out[i] = lut_[src[x]];
            break;
        default:
            for (int i = 0; i < n; ++i)
                if (const int x = columns[i]; x >= 0 && x < width)
                    out[i] = value(src, x);
            break;
        }
    }

    // The destination value of one source pixel.
    std::uint32_t value(const BYTE* src, int x)
    {
        switch (from_.bitsPerPixel) {
        case 1: return lut_[(src[x / 8] >> (7 - (x & 7))) & 1];
        case 8: return lut_[src[x]];
        default: {
            std::uint32_t rgb = reinterpret_cast<const std::uint32_t*>(src)[x] & 0xFFFFFF;
            return to_.bitsPerPixel == 32 ? rgb : nearestTable().lookup(rgb);
        }
        }
    }

private:
    NearestTable& nearestTable()
    {
        return SurfaceNearestTable(*to_.surface);
    }
    std::uint32_t nearestIndex(std::uint32_t rgb) { return NearestSurfaceIndex(*to_.surface, rgb); }

    const Raster& to_;
    const Raster& from_;
    bool sameTable_ = false;
    std::uint32_t lut_[256] = {};
    IndexExpander expander_{lut_};
};

// Where a blit's destination rectangle reads from: the source origin of
// destination (0, 0) of the rectangle, with scaling.
struct Mapping {
    RECT dest;  // target coordinates, normalised
    int srcX, srcY;  // source target coordinates of dest's top-left (unscaled)
    long long srcW, srcH, destW, destH;  // scaling; negative sizes mirror
    bool scaled;
    // The source column or row of a destination one.
    int sourceColumn(int x) const
    {
        if (!scaled)
            return srcX + (x - dest.left);
        long long i = x - dest.left;
        long long s = i * std::abs(srcW) / std::abs(destW);
        return (srcW < 0) != (destW < 0) ? srcX + int(std::abs(srcW) - 1 - s) : srcX + int(s);
    }
    int sourceRow(int y) const
    {
        if (!scaled)
            return srcY + (y - dest.top);
        long long i = y - dest.top;
        long long s = i * std::abs(srcH) / std::abs(destH);
        return (srcH < 0) != (destH < 0) ? srcY + int(std::abs(srcH) - 1 - s) : srcY + int(s);
    }
};

// Copies under a raster operation from a source raster into the
// destination DC, clipped to the destination's drawable area and to the
// source's bounds.
BOOL blitRaster(DeviceContext* dest, const Raster& from, const Mapping& m, DWORD rop)
{
    Raster to = RasterOf(dest);
    if (!to.valid())
        return 1;
    unsigned code = (rop >> 16) & 0xFF;
    bool usesSource = ((code >> 2) & 0x33) != (code & 0x33);
    bool usesPattern = ((code >> 4) & 0x0F) != (code & 0x0F);
    if (usesSource && (!from.top || from.bitsPerPixel == 0))
        return 0;
    // Limit the destination to what the source can give.
    RECT want = m.dest;
    if (usesSource && !m.scaled) {
        RECT srcRect{m.srcX, m.srcY, m.srcX + (m.dest.right - m.dest.left), m.srcY + (m.dest.bottom - m.dest.top)};
        RECT got = IntersectRects(srcRect, from.bounds());
        want = IntersectRects(want, RECT{got.left - m.srcX + m.dest.left, got.top - m.srcY + m.dest.top,
                                         got.right - m.srcX + m.dest.left, got.bottom - m.srcY + m.dest.top});
    }
    Region area = DrawableArea(dest);
    area.intersect(want);
    if (area.empty())
        return 1;

    // A copy within one raster reads a snapshot of the source rectangle so
    // that overlapping parts move whole.
    Raster src = from;
    std::vector<BYTE> snapshot;
    if (usesSource && from.top == to.top && !m.scaled) {
        RECT box = area.box();
        int sx0 = box.left - m.dest.left + m.srcX, sy0 = box.top - m.dest.top + m.srcY;
        int w = box.right - box.left, h = box.bottom - box.top;
        int bytes = from.bitsPerPixel / 8;
        snapshot.resize(std::size_t(w) * h * bytes);
        for (int y = 0; y < h; ++y)
            std::memcpy(&snapshot[std::size_t(y) * w * bytes], from.row(sy0 + y) + std::ptrdiff_t(sx0) * bytes,
                        std::size_t(w) * bytes);
        src.top = snapshot.data() - std::ptrdiff_t(sy0) * w * bytes - std::ptrdiff_t(sx0) * bytes;
        src.stride = std::ptrdiff_t(w) * bytes;
    }

    SourceConverter convert(dest, to, src);
    BrushPaint pattern = usesPattern ? MakeBrushPaint(dest, to, dest->brush) : BrushPaint{};
    if (usesPattern && pattern.null)
        pattern = SolidPaint(0);
    const bool plain = code == 0xCC && !m.scaled;
    const std::uint32_t mask = to.bitsPerPixel == 8 ? 0xFF : 0xFFFFFF;
    std::vector<int> columns;
    std::vector<std::uint32_t> sourceValues;
    for (const RECT& r : area.rects()) {
        if (!plain) {
            columns.resize(std::size_t(r.right - r.left));
            sourceValues.resize(columns.size());
            for (int x = r.left; x < r.right; ++x)
                columns[std::size_t(x - r.left)] = m.sourceColumn(x);
        }
        for (int y = r.top; y < r.bottom; ++y) {
            BYTE* drow = to.row(y);
            int sy = m.sourceRow(y);
            bool rowInSource = !usesSource || (sy >= 0 && sy < src.height);
            const BYTE* srow = usesSource && rowInSource ? src.row(sy) : nullptr;
            if (plain) {
                convert.copyRow(srow, m.sourceColumn(r.left), drow, r.left, r.right - r.left);
                continue;
            }
            if (usesSource && rowInSource)
                convert.values(srow, columns.data(), r.right - r.left, sourceValues.data());
            for (int x = r.left; x < r.right; ++x) {
                std::uint32_t s = 0;
                if (usesSource) {
                    int sx = columns[std::size_t(x - r.left)];
                    if (!rowInSource || sx < 0 || sx >= src.width)
                        continue;
                    s = sourceValues[std::size_t(x - r.left)];
                }
                std::uint32_t p = usesPattern ? pattern.at(x, y) : 0;
                std::uint32_t* d32 = reinterpret_cast<std::uint32_t*>(drow) + x;
                std::uint32_t d = to.bitsPerPixel == 8 ? drow[x] : *d32;
                std::uint32_t v = ApplyRop3(code, p, s, d) & mask;
                if (to.bitsPerPixel == 8)
                    drow[x] = BYTE(v);
                else
                    *d32 = v;
            }
        }
    }
    MarkChanged(dest, area.box());
    return 1;
}

Raster sourceRaster(const DeviceContext* src)
{
    if (!src)
        return {};
    return RasterOf(src);
}

POINT toTargetPoint(const DeviceContext* hdc, int x, int y)
{
    POINT d = hdc->toDevice(POINT{x, y});
    POINT off = TargetOffset(hdc);
    return {d.x + off.x, d.y + off.y};
}

// The far corner is worked out in 64 bits: a rectangle near the edge of
// the coordinate range must not wrap round to the other side.
RECT normalisedTarget(const DeviceContext* hdc, int x, int y, int w, int h)
{
    auto c = DeviceContext::clampCoordinate;
    RECT t = LogicalToTarget(hdc, RECT{c(x), c(y), c((long long)x + w), c((long long)y + h)});
    return SortedRect(t);
}

// The source origin of a blit whose size may be negative (counted from the
// other corner).
int sourceOrigin(int at, int size)
{
    return DeviceContext::clampCoordinate((long long)at + (size < 0 ? size : 0));
}

}  // namespace

BOOL BitBlt(HDC destHandle, int x, int y, int width, int height, HDC srcHandle, int srcX, int srcY, DWORD rop)
{
    DeviceContext* dest = LiveDC(destHandle);
    const DeviceContext* src = LiveDC(srcHandle);
    if (!dest)
        return 0;
    Raster from = sourceRaster(src);
    Mapping m{};
    m.dest = normalisedTarget(dest, x, y, width, height);
    POINT s = src ? toTargetPoint(src, srcX, srcY) : POINT{srcX, srcY};
    // A negative width or height counts from the other corner.
    m.srcX = sourceOrigin(s.x, width);
    m.srcY = sourceOrigin(s.y, height);
    m.scaled = false;
    return blitRaster(dest, from, m, rop);
}

BOOL StretchBlt(HDC destHandle, int x, int y, int width, int height, HDC srcHandle, int srcX, int srcY,
                int srcWidth, int srcHeight, DWORD rop)
{
    DeviceContext* dest = LiveDC(destHandle);
    const DeviceContext* src = LiveDC(srcHandle);
    if (!dest)
        return 0;
    if (width == srcWidth && height == srcHeight && width > 0 && height > 0)
        return BitBlt(destHandle, x, y, width, height, srcHandle, srcX, srcY, rop);
    if (width == 0 || height == 0 || srcWidth == 0 || srcHeight == 0)
        return 1;
    Raster from = sourceRaster(src);
    Mapping m{};
    m.dest = normalisedTarget(dest, x, y, width, height);
    POINT s = src ? toTargetPoint(src, srcX, srcY) : POINT{srcX, srcY};
    m.srcX = sourceOrigin(s.x, srcWidth);
    m.srcY = sourceOrigin(s.y, srcHeight);
    m.srcW = srcWidth;
    m.srcH = srcHeight;
    m.destW = width;
    m.destH = height;
    m.scaled = true;
    return blitRaster(dest, from, m, rop);
}

namespace {

// A packed DIB seen as a raster; false when it cannot be drawn from.
bool dibRaster(const DeviceContext* dest, const void* bits, const BITMAPINFO* info, UINT usage, Raster& out,
               std::array<RGBQUAD, 256>& colours)
{
    if (!bits || !info)
        return false;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if ((h.biBitCount != 8 && h.biBitCount != 32) || h.biCompression != BI_RGB || h.biWidth <= 0 ||
        h.biHeight == 0 || h.biWidth > 32767 || h.biHeight > 32767 || h.biHeight < -32767)
        return false;
    int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    std::ptrdiff_t stride = DibStride(h.biWidth, h.biBitCount);
    auto* base = static_cast<BYTE*>(const_cast<void*>(bits));
    out.width = h.biWidth;
    out.height = height;
    out.bitsPerPixel = h.biBitCount;
    if (h.biHeight < 0) {
        out.top = base;
        out.stride = stride;
    } else {
        out.top = base + std::ptrdiff_t(height - 1) * stride;
        out.stride = -stride;
    }
    if (h.biBitCount == 8) {
        UINT n = DibColourCount(h);
        colours.fill(RGBQUAD{});
        if (usage == DIB_PAL_COLORS) {
            const auto* idx = reinterpret_cast<const WORD*>(info->bmiColors);
            for (UINT i = 0; i < n; ++i) {
                COLORREF c = ResolveColour(dest, PALETTEINDEX(idx[i]));
                colours[i] = {GetBValue(c), GetGValue(c), GetRValue(c), 0};
            }
        } else {
            std::copy_n(info->bmiColors, n, colours.begin());
        }
        out.colours = colours.data();
    }
    return true;
}

}  // namespace

int StretchDIBits(HDC destHandle, int x, int y, int width, int height, int srcX, int srcY,
                  int srcWidth, int srcHeight, const void* bits, const BITMAPINFO* info,
                  UINT usage, DWORD rop)
{
    DeviceContext* dest = LiveDC(destHandle);
    if (!dest)
        return 0;
    Raster from;
    std::array<RGBQUAD, 256> colours;
    if (!dibRaster(dest, bits, info, usage, from, colours))
        return 0;
    if (width == 0 || height == 0 || srcWidth == 0 || srcHeight == 0)
        return 0;
    // Source coordinates of a DIB count from its bottom row when it is
    // stored bottom-up: srcY names the lowest row of the source rectangle.
    const long long rows = std::abs((long long)srcHeight);
    int top = info->bmiHeader.biHeight > 0 ? DeviceContext::clampCoordinate(from.height - (srcY + rows)) : srcY;
    Mapping m{};
    m.dest = normalisedTarget(dest, x, y, width, height);
    m.srcX = sourceOrigin(srcX, srcWidth);
    m.srcY = top;
    m.srcW = srcWidth;
    m.srcH = srcHeight;
    m.destW = width;
    m.destH = height;
    m.scaled = !(width == srcWidth && height == srcHeight && width > 0 && height > 0);
    if (!m.scaled)
        m.srcX = srcX;
    if (!blitRaster(dest, from, m, rop))
        return 0;
    return int(std::min<long long>(rows, 0x7FFFFFFF));
}

int SetDIBitsToDevice(HDC destHandle, int x, int y, DWORD width, DWORD height, int srcX, int srcY,
                      UINT startScan, UINT scanLines, const void* bits, const BITMAPINFO* info,
                      UINT usage)
{
    DeviceContext* dest = LiveDC(destHandle);
    if (!dest || !info)
        return 0;
    Raster from;
    std::array<RGBQUAD, 256> colours;
    // The bits hold scan lines startScan .. startScan + scanLines - 1 only.
    BITMAPINFO part;
    part.bmiHeader = info->bmiHeader;
    UINT n = DibColourCount(info->bmiHeader);
    std::copy_n(info->bmiColors, std::min<UINT>(n, 256), part.bmiColors);
    bool topDown = info->bmiHeader.biHeight < 0;
    LONG fullHeight = topDown ? -info->bmiHeader.biHeight : info->bmiHeader.biHeight;
    if (scanLines == 0 || startScan >= UINT(std::max<LONG>(fullHeight, 0)))
        return 0;
    scanLines = std::min<UINT>(scanLines, UINT(fullHeight) - startScan);
    part.bmiHeader.biHeight = topDown ? -LONG(scanLines) : LONG(scanLines);
    if (!dibRaster(dest, bits, &part, usage, from, colours))
        return 0;
    // Rows of the whole DIB, counted from the top, that these lines hold.
    int firstRow = topDown ? int(startScan) : fullHeight - int(startScan) - int(scanLines);
    const int w = int(std::min<DWORD>(width, 0x7FFFFFFF)), h = int(std::min<DWORD>(height, 0x7FFFFFFF));
    int srcTop = topDown ? srcY : DeviceContext::clampCoordinate(fullHeight - ((long long)srcY + h));
    Mapping m{};
    m.dest = normalisedTarget(dest, x, y, w, h);
    m.srcX = srcX;
    m.srcY = srcTop - firstRow;
    m.scaled = false;
    if (!blitRaster(dest, from, m, SRCCOPY))
        return 0;
    return int(scanLines);
}

BOOL ScrollDC(HDC handle, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN updateRgn,
              RECT* updateRect)
{
    DeviceContext* hdc = LiveDC(handle);
    if (!hdc)
        return 0;
    Raster raster = RasterOf(hdc);
    POINT off = TargetOffset(hdc);
    Region drawable = DrawableArea(hdc);
    RECT scrollT = scroll ? LogicalToTarget(hdc, *scroll) : drawable.box();
    RECT clipT = clip ? LogicalToTarget(hdc, *clip) : scrollT;
    if (!clip && !scroll)
        clipT = RECT{-0x8000000, -0x8000000, 0x8000000, 0x8000000};
    // What may change, and the part of it that receives pixels the DC could
    // draw before the move; the rest is uncovered.
    Region target(IntersectRects(scrollT, clipT));
    target.intersect(drawable);
    Region landed(scrollT);
    landed.intersect(drawable);
    landed.offset(dx, dy);
    landed.intersect(target);
    if (raster.valid() && !landed.empty()) {
        std::optional<Region> oldClip = hdc->clip;
        Region limit = landed;
        limit.offset(-off.x, -off.y);
        hdc->clip = std::move(limit);
        RECT box = landed.box();
        Mapping m{};
        m.dest = box;
        m.srcX = DeviceContext::clampCoordinate((long long)box.left - dx);
        m.srcY = DeviceContext::clampCoordinate((long long)box.top - dy);
        m.scaled = false;
        blitRaster(hdc, raster, m, SRCCOPY);
        hdc->clip = std::move(oldClip);
    }
    Region uncovered = target;
    uncovered.subtract(landed);
    uncovered.offset(-off.x, -off.y);
    if (RegionObject* r = AsGdi<RegionObject>(updateRgn, GdiKind::Region))
        r->region = uncovered;
    if (updateRect) {
        RECT b = uncovered.box();
        POINT a = hdc->toLogical({b.left, b.top}), c = hdc->toLogical({b.right, b.bottom});
        *updateRect = IsRectEmpty(b) ? RECT{} : RECT{a.x, a.y, c.x, c.y};
    }
    return 1;
}

}  // namespace plat
