#include "graphics/JxDibUtils.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#include "graphics/JxGraphicsLink.h"
#include "graphics/JxPixelCopy.h"
#include "graphics/JxRunDecoders.h"
#include "platform/draw/draw.h"
#include "platform/window/window.h"

namespace {

constexpr std::size_t kHeaderSize = sizeof(plat::BITMAPINFOHEADER);
constexpr plat::DWORD kSrcCopy = 0x00CC0020;

std::int32_t Rows(const plat::BITMAPINFOHEADER& h)
{
    return std::int32_t(std::llabs(std::int64_t(h.biHeight)));
}

// The screen's depth and reserved colours, as the palette rules need them.
struct ScreenCaps {
    int bitsPerPixel = 32;
    int numColours = -1;
    int numReserved = 0;
};

ScreenCaps QueryScreen()
{
    ScreenCaps caps;
    plat::HDC screen = plat::GetDC(nullptr);
    if (!screen)
        return caps;
    caps.bitsPerPixel = plat::GetDeviceCaps(screen, plat::BITSPIXEL);
    caps.numColours = plat::GetDeviceCaps(screen, plat::NUMCOLORS);
    caps.numReserved = plat::GetDeviceCaps(screen, plat::NUMRESERVED);
    plat::ReleaseDC(nullptr, screen);
    return caps;
}

// A palette of the DIB's colours; with 256 colours on an 8-bit display the
// reserved entries at both ends name the system palette's.
plat::HPALETTE PaletteOfColours(const plat::RGBQUAD* colours, std::uint32_t count, int reservedEachEnd)
{
    if (count == 0 || count > 256)
        return nullptr;
    const ScreenCaps screen = QueryScreen();
    plat::LOGPALETTE log;
    log.palVersion = 0x300;
    log.palNumEntries = plat::WORD(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        plat::PALETTEENTRY& e = log.palPalEntry[i];
        e.peRed = colours[i].rgbRed;
        e.peGreen = colours[i].rgbGreen;
        e.peBlue = colours[i].rgbBlue;
        e.peFlags = (count == 256) ? plat::PC_NOCOLLAPSE : 0;
        if (count == 256 && screen.bitsPerPixel == 8 &&
            (int(i) < reservedEachEnd || int(i) >= 256 - reservedEachEnd)) {
            // Names system palette index i.
            e.peRed = plat::BYTE(i & 0xFF);
            e.peGreen = plat::BYTE(i >> 8);
            e.peBlue = 0;
            e.peFlags = plat::PC_EXPLICIT;
        }
    }
    return plat::CreatePalette(&log);
}

std::array<plat::RGBQUAD, 256> ColourTable(const std::uint8_t* dib)
{
    std::array<plat::RGBQUAD, 256> table{};
    const plat::BITMAPINFOHEADER h = GetDibHeader(dib);
    std::memcpy(table.data(), dib + h.biSize, std::size_t(GetDibColorCount(dib)) * 4);
    return table;
}

}  // namespace

// --- Packed DIBs -------------------------------------------------------------

std::uint32_t DibHeaderColorCount(const plat::BITMAPINFOHEADER& h)
{
    if (h.biClrUsed)
        return h.biClrUsed;
    switch (h.biBitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

bool CheckPackedDib(std::span<const std::uint8_t> dib)
{
    if (dib.size() < kHeaderSize)
        return false;
    plat::BITMAPINFOHEADER h;
    std::memcpy(&h, dib.data(), kHeaderSize);
    if (h.biSize < kHeaderSize || h.biSize > dib.size())
        return false;
    if (h.biBitCount != 8 || (h.biCompression != plat::BI_RGB && h.biCompression != plat::BI_RLE8))
        return false;
    if (h.biWidth <= 0 || h.biWidth > kMaxDibSide || h.biHeight == 0 || Rows(h) > kMaxDibSide)
        return false;
    const std::uint32_t colours = DibHeaderColorCount(h);
    if (colours > 256)
        return false;
    const std::uint64_t bitsOffset = std::uint64_t(h.biSize) + colours * 4u;
    if (bitsOffset > dib.size())
        return false;
    const std::uint64_t pixelBytes = std::uint64_t(plat::DibStride(h.biWidth, 8)) * std::uint64_t(Rows(h));
    if (pixelBytes > kMaxDibPixelBytes)
        return false;
    if (h.biCompression == plat::BI_RGB && bitsOffset + pixelBytes > dib.size())
        return false;
    return true;
}

plat::BITMAPINFOHEADER GetDibHeader(const std::uint8_t* dib)
{
    plat::BITMAPINFOHEADER h;
    std::memcpy(&h, dib, kHeaderSize);
    return h;
}

const std::uint8_t* GetDibBits(const std::uint8_t* dib)
{
    return dib + GetDibHeader(dib).biSize + GetDibColorTableSize(dib);
}

std::uint16_t GetDibColorCount(const std::uint8_t* dib)
{
    return std::uint16_t(DibHeaderColorCount(GetDibHeader(dib)));
}

std::uint32_t GetDibColorTableSize(const std::uint8_t* dib)
{
    return std::uint32_t(GetDibColorCount(dib)) * 4u;
}

std::int32_t GetDibWidth(const std::uint8_t* dib)
{
    return std::int16_t(GetDibHeader(dib).biWidth);
}

std::int32_t GetDibHeight(const std::uint8_t* dib)
{
    return Rows(GetDibHeader(dib));
}

// --- Palettes ----------------------------------------------------------------

plat::HPALETTE CreateDibPalette(const std::uint8_t* dib)
{
    if (!dib)
        return nullptr;
    const auto table = ColourTable(dib);
    return PaletteOfColours(table.data(), GetDibColorCount(dib), 10);
}

plat::HPALETTE CreateIdentityPalette(const std::uint8_t* dib)
{
    if (!dib)
        return nullptr;
    const auto table = ColourTable(dib);
    return PaletteOfColours(table.data(), GetDibColorCount(dib), QueryScreen().numReserved / 2);
}

plat::HPALETTE CreatePaletteFromResourceData(std::span<const std::uint8_t> data)
{
    if (data.size() < 4)
        return nullptr;
    const std::uint32_t count = std::uint32_t(data[2]) | (std::uint32_t(data[3]) << 8);
    if (count == 0 || count > 256 || data.size() < 4 + 4 * std::size_t(count))
        return nullptr;
    plat::LOGPALETTE log;
    log.palVersion = plat::WORD(data[0] | (data[1] << 8));
    log.palNumEntries = plat::WORD(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t* e = data.data() + 4 + 4 * i;
        log.palPalEntry[i] = {e[0], e[1], e[2], e[3]};
    }
    return plat::CreatePalette(&log);
}

// --- Sections and bitmap records ---------------------------------------------

plat::BITMAPINFO DibSectionInfoForPalette(std::int32_t width, std::int32_t height, plat::HPALETTE palette)
{
    plat::BITMAPINFO info;
    if (GraphicsUseWinG()) {
        plat::RecommendDIBFormat(&info);
        info.bmiHeader.biHeight = height < 0 ? height : height * info.bmiHeader.biHeight;
    } else {
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 8;
        info.bmiHeader.biHeight = height;
    }
    info.bmiHeader.biSize = kHeaderSize;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biCompression = plat::BI_RGB;
    info.bmiHeader.biClrUsed = 256;
    info.bmiHeader.biClrImportant = 256;

    if (palette) {
        std::array<plat::PALETTEENTRY, 256> entries{};
        const plat::UINT n = plat::GetPaletteEntries(palette, 0, 256, entries.data());
        const ScreenCaps screen = QueryScreen();
        const auto put = [&info](int i, const plat::PALETTEENTRY& e) {
            info.bmiColors[i] = {e.peBlue, e.peGreen, e.peRed, 0};
        };
        for (plat::UINT i = 0; i < n; ++i)
            put(int(i), entries[i]);
        if (screen.bitsPerPixel == 8) {
            std::array<plat::PALETTEENTRY, 256> system{};
            plat::HDC hdc = plat::GetDC(nullptr);
            plat::GetSystemPaletteEntries(hdc, 0, 256, system.data());
            plat::ReleaseDC(nullptr, hdc);
            const int half = std::max(screen.numColours, 0) / 2;
            for (int i = 0; i < half; ++i) {
                put(i, system[std::size_t(i)]);
                put(255 - i, system[std::size_t(255 - i)]);
            }
        } else if (n == 256) {
            info.bmiColors[0] = {0, 0, 0, 0};
            info.bmiColors[255] = {255, 255, 255, 0};
        } else if (n == 255) {
            info.bmiColors[255] = {255, 255, 255, 0};
        }
    }
    return info;
}

JxObjectRef CreateDibSectionForPalette(std::int32_t width, std::int32_t height, plat::HPALETTE palette)
{
    return CreateDibSectionFromInfo(DibSectionInfoForPalette(width, height, palette));
}

JxObjectRef CreateDibSectionFromInfo(const plat::BITMAPINFO& info)
{
    void* bits = nullptr;
    JxObjectRef record;
    record.handle = plat::CreateDIBSection(nullptr, &info, plat::DIB_RGB_COLORS, &bits);
    if (!record.handle)
        return {};
    record.bits = bits;
    record.topDown = info.bmiHeader.biHeight < 0 ? 1 : 0;
    return record;
}

void DeleteBitmapRecord(JxObjectRef& record)
{
    if (record.handle)
        plat::DeleteObject(record.handle);
    record = JxObjectRef();
}

JxObjectRef CreateBitmapFromDib(std::span<const std::uint8_t> dib, plat::HPALETTE palette)
{
    if (!CheckPackedDib(dib))
        return {};
    const plat::BITMAPINFOHEADER h = GetDibHeader(dib.data());
    const std::int32_t width = h.biWidth;
    const std::int32_t rows = Rows(h);
    JxObjectRef record = CreateDibSectionForPalette(width, rows, palette);
    if (!record.handle || !record.bits)
        return DeleteBitmapRecord(record), JxObjectRef();

    plat::BITMAPINFOHEADER section = h;
    section.biHeight = record.topDown ? -rows : rows;
    section.biCompression = plat::BI_RGB;
    auto* target = static_cast<std::uint8_t*>(record.bits);
    const std::size_t targetSize = std::size_t(plat::DibStride(width, 8)) * std::size_t(rows);
    const std::uint8_t* bits = GetDibBits(dib.data());
    const std::size_t available = std::size_t(dib.data() + dib.size() - bits);
    bool ok;
    if (h.biCompression == plat::BI_RLE8) {
        std::size_t codeSize = available;
        if (h.biSizeImage && h.biSizeImage < codeSize)
            codeSize = h.biSizeImage;
        // The code runs from the picture's first stored row; it lands upside
        // down when the section is stored the other way round.
        const bool dibTopDown = h.biHeight < 0;
        ok = DecodeRle8(section, {target, targetSize}, {bits, codeSize}, dibTopDown != (record.topDown != 0));
    } else {
        const plat::RECT all{0, 0, width, rows};
        ok = CopyDibRect(target, section, all, bits, h, all, kCopyOpaque, 0) != 0;
    }
    if (!ok)
        DeleteBitmapRecord(record);
    return record;
}

JxObjectRef CreateBitmapFromDibHandle(const JxDibBlock& dib, plat::HPALETTE palette)
{
    return CreateBitmapFromDib(dib, palette);
}

std::int32_t GetBitmapWidth(const JxObjectRef& record)
{
    plat::BITMAP bm;
    return record.handle && plat::GetObject(record.handle, sizeof bm, &bm) ? bm.bmWidth : 0;
}

std::int32_t GetBitmapHeight(const JxObjectRef& record)
{
    plat::BITMAP bm;
    return record.handle && plat::GetObject(record.handle, sizeof bm, &bm) ? bm.bmHeight : 0;
}

// --- Pictures of device contexts ----------------------------------------------

JxDibBlock GrabDibFromDC(plat::HDC hdc, const plat::RECT& rect, plat::HPALETTE palette, int bitsPerPixel,
                         plat::DWORD compression, plat::UINT usage)
{
    const std::int32_t width = rect.right - rect.left;
    const std::int32_t height = rect.bottom - rect.top;
    if (!hdc || width <= 0 || height <= 0 || width > kMaxDibSide || height > kMaxDibSide)
        return {};
    plat::HDC memory = plat::CreateCompatibleDC(hdc);
    plat::HBITMAP bitmap = plat::CreateCompatibleBitmap(hdc, width, height);
    JxDibBlock block;
    if (memory && bitmap) {
        plat::HPALETTE oldSource = palette ? plat::SelectPalette(hdc, palette, 0) : nullptr;
        plat::HPALETTE oldMemory = palette ? plat::SelectPalette(memory, palette, 0) : nullptr;
        plat::HGDIOBJ oldBitmap = plat::SelectObject(memory, bitmap);
        if (plat::BitBlt(memory, 0, 0, width, height, hdc, rect.left, rect.top, kSrcCopy)) {
            plat::SelectObject(memory, oldBitmap);
            oldBitmap = nullptr;
            const std::size_t stride = std::size_t(plat::DibStride(width, bitsPerPixel));
            block.assign(sizeof(plat::BITMAPINFO) + 8 + stride * std::size_t(height), 0);
            auto* info = reinterpret_cast<plat::BITMAPINFO*>(block.data());
            plat::BITMAPINFOHEADER& h = info->bmiHeader;
            h.biSize = kHeaderSize;
            h.biWidth = width;
            h.biHeight = height;
            h.biPlanes = 1;
            h.biBitCount = plat::WORD(bitsPerPixel);
            h.biCompression = compression;
            h.biClrUsed = 256;
            h.biClrImportant = 256;
            if (plat::GetDIBits(memory, bitmap, 0, plat::UINT(height), block.data() + sizeof(plat::BITMAPINFO), info,
                                usage) != height) {
                block.clear();
            } else {
                h.biClrUsed = 256;
                if (h.biSizeImage == 0)
                    h.biSizeImage = plat::DWORD(stride * std::size_t(height));
            }
        }
        if (oldBitmap)
            plat::SelectObject(memory, oldBitmap);
        if (palette) {
            plat::SelectPalette(memory, oldMemory, 0);
            plat::SelectPalette(hdc, oldSource, 0);
        }
    }
    if (bitmap)
        plat::DeleteObject(bitmap);
    if (memory)
        plat::DeleteDC(memory);
    return block;
}

JxDibBlock CreatePalIndexDibHeader(const plat::BITMAPINFOHEADER& header, std::uint16_t count)
{
    JxDibBlock block(kHeaderSize + 2 * std::size_t(count));
    std::memcpy(block.data(), &header, kHeaderSize);
    for (std::uint16_t i = 0; i < count; ++i) {
        block[kHeaderSize + 2 * i] = std::uint8_t(i & 0xFF);
        block[kHeaderSize + 2 * i + 1] = std::uint8_t(i >> 8);
    }
    return block;
}

// --- The twins of the two roads --------------------------------------------------

plat::BOOL SlateBitBlt(plat::HDC dest, int x, int y, int width, int height, plat::HDC src, int srcX, int srcY)
{
    const plat::BOOL done = plat::BitBlt(dest, x, y, width, height, src, srcX, srcY, kSrcCopy);
    if (!GraphicsUseWinG())
        plat::GdiFlush();
    return done;
}

std::uint8_t* GetSlateBits(const JxObjectRef& record, plat::BITMAPINFOHEADER* header)
{
    if (!record.handle)
        return nullptr;
    if (header) {
        plat::BITMAP bm;
        if (!plat::GetObject(record.handle, sizeof bm, &bm))
            return nullptr;
        *header = plat::BITMAPINFOHEADER{};
        header->biSize = kHeaderSize;
        header->biWidth = bm.bmWidth;
        header->biHeight = record.topDown ? -bm.bmHeight : bm.bmHeight;
        header->biPlanes = 1;
        header->biBitCount = bm.bmBitsPixel;
        header->biCompression = plat::BI_RGB;
        header->biSizeImage = plat::DWORD(bm.bmWidthBytes) * plat::DWORD(bm.bmHeight);
    }
    if (record.bits)
        return static_cast<std::uint8_t*>(record.bits);
    return static_cast<std::uint8_t*>(plat::GetSurfaceBits(static_cast<plat::HBITMAP>(record.handle)));
}

plat::UINT GetSlateColorTable(plat::HDC hdc, plat::UINT first, plat::UINT count, plat::RGBQUAD* out)
{
    return plat::GetDIBColorTable(hdc, first, count, out);
}
