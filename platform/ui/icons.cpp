#include "platform/ui/icons.h"

#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "platform/draw/draw.h"
#include "platform/modules/resources.h"
#include "platform/window/cursor.h"

namespace plat {

namespace {

constexpr int kSize = 32;
constexpr std::uint32_t kClear = 0;

std::uint32_t argb(COLORREF c)
{
    return 0xFF000000u | (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) |
           GetBValue(c);
}

using Pixels = std::vector<std::uint32_t>;

// A disc of radius r around the centre, with a one-pixel outline.
void disc(Pixels& p, COLORREF fill, COLORREF outline)
{
    const double c = (kSize - 1) / 2.0, r = 14.5;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            double d = std::hypot(x - c, y - c);
            if (d <= r)
                p[size_t(y * kSize + x)] = argb(d > r - 1.2 ? outline : fill);
        }
}

void triangle(Pixels& p, COLORREF fill, COLORREF outline)
{
    for (int y = 2; y < 30; ++y) {
        double half = (y - 2) * 0.55;
        for (int x = 0; x < kSize; ++x) {
            double dx = std::fabs(x - 15.5);
            if (dx <= half + 0.5) {
                bool edge = dx > half - 1.0 || y >= 29;
                p[size_t(y * kSize + x)] = argb(edge ? outline : fill);
            }
        }
    }
}

// Draws a glyph of the built-in bold face, doubled, centred.
void glyph(Pixels& p, char ch, COLORREF colour, int dy = 0)
{
    BITMAPINFO info{};
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = -16;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldBmp = SelectObject(dc, bmp);
    RECT all{0, 0, 16, 16};
    FillRect(dc, &all, HBRUSH(GetStockObject(BLACK_BRUSH)));
    LOGFONT lf;
    lf.lfHeight = 13;
    lf.lfWeight = FW_BOLD;
    std::strcpy(lf.lfFaceName, kBuiltinFaceName);
    HFONT font = CreateFontIndirect(&lf);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    SIZE s{};
    GetTextExtentPoint32(dc, &ch, 1, &s);
    TextOut(dc, (16 - int(s.cx)) / 2, 1, &ch, 1);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (GetPixel(dc, x, y) != 0)
                for (int k = 0; k < 4; ++k) {
                    int px = 2 * x + (k & 1), py = 2 * y + (k >> 1) + dy;
                    if (py >= 0 && py < kSize)
                        p[size_t(py * kSize + px)] = argb(colour);
                }
    SelectObject(dc, oldFont);
    DeleteObject(font);
    SelectObject(dc, oldBmp);
    DeleteDC(dc);
    DeleteObject(bmp);
}

Pixels standardPixels(WORD id)
{
    Pixels p(size_t(kSize * kSize), kClear);
    switch (id) {
    case IDI_HAND_ID:
        disc(p, RGB(255, 0, 0), RGB(128, 0, 0));
        glyph(p, 'X', RGB(255, 255, 255));
        break;
    case IDI_QUESTION_ID:
        disc(p, RGB(255, 255, 255), RGB(0, 0, 0));
        glyph(p, '?', RGB(0, 0, 255));
        break;
    case IDI_EXCLAMATION_ID:
        triangle(p, RGB(255, 255, 0), RGB(0, 0, 0));
        glyph(p, '!', RGB(0, 0, 0), 2);
        break;
    case IDI_ASTERISK_ID:
        disc(p, RGB(255, 255, 255), RGB(0, 0, 0));
        glyph(p, 'i', RGB(0, 0, 255));
        break;
    default: {  // the application: a window with a caption
        for (int y = 3; y < 29; ++y)
            for (int x = 2; x < 30; ++x) {
                bool frame = y == 3 || y == 28 || x == 2 || x == 29;
                COLORREF c = frame ? RGB(0, 0, 0) : y < 9 ? RGB(0, 0, 128) : RGB(255, 255, 255);
                p[size_t(y * kSize + x)] = argb(c);
            }
        break;
    }
    }
    return p;
}

// Icons by the library they came from (not its handle, which a later
// library may be given) and their name.
std::map<std::pair<std::string, std::string>, HICON>& iconCache()
{
    // Never destroyed: icons are handed out for the life of the process.
    static auto* cache = new std::map<std::pair<std::string, std::string>, HICON>();
    return *cache;
}

std::string keyOf(const char* name)
{
    return IS_INTRESOURCE(name) ? "#" + std::to_string(std::uintptr_t(name)) : std::string(name ? name : "");
}

HICON standardIcon(const char* name)
{
    if (!IS_INTRESOURCE(name))
        return nullptr;
    WORD id = WORD(std::uintptr_t(name));
    if (id < IDI_APPLICATION_ID || id > IDI_ASTERISK_ID)
        return nullptr;
    // Shared for the life of the process, like every standard icon.
    auto* c = new CursorObject();
    c->width = c->height = kSize;
    c->pixels = standardPixels(id);
    c->invert.assign(c->pixels.size(), false);
    c->shared = true;
    return c;
}

HICON resourceIcon(HINSTANCE instance, const char* name)
{
    HRSRC res = FindResourceA(instance, name, RT_ICON);
    if (!res)
        res = FindResourceA(instance, name, RT_GROUP_ICON);
    HGLOBAL data = res ? LoadResource(instance, res) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes)
        return nullptr;
    HICON icon = CreateCursorFromFileData(
        std::string_view(static_cast<const char*>(bytes), SizeofResource(instance, res)));
    if (icon)
        icon->shared = true;
    return icon;
}

}  // namespace

HICON LoadIconA(HINSTANCE instance, const char* name)
{
    std::string owner;
    if (instance) {
        owner = ResourceOwnerKey(instance);
        if (owner.empty())
            return nullptr;  // a freed library has no icons
    }
    auto& cache = iconCache();
    auto key = std::make_pair(owner, keyOf(name));
    if (auto it = cache.find(key); it != cache.end())
        return it->second;
    HICON icon = instance ? resourceIcon(instance, name) : standardIcon(name);
    if (icon)
        cache[key] = icon;
    return icon;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon)
{
    if (!hdc || !icon)
        return 0;
    for (int r = 0; r < icon->height; ++r)
        for (int c = 0; c < icon->width; ++c) {
            size_t i = size_t(r * icon->width + c);
            std::uint32_t p = i < icon->pixels.size() ? icon->pixels[i] : 0;
            if ((p >> 24) < 128)
                continue;
            SetPixel(hdc, x + c, y + r, RGB(BYTE(p >> 16), BYTE(p >> 8), BYTE(p)));
        }
    return 1;
}

}  // namespace plat
