#include "platform/window/cursor.h"

#include <png.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "platform/modules/resource_library.h"
#include "platform/modules/resources.h"

namespace plat {

namespace {

// Pictures of the standard cursors: 'B' black, 'W' white, 'I' inverts the
// screen, anything else is transparent. The hotspot is given with each.
struct Picture {
    WORD id;
    int hotX, hotY;
    std::vector<const char*> rows;
};

const std::vector<Picture>& pictures()
{
    static const std::vector<Picture> all = {
        {IDC_ARROW_ID, 0, 0,
         {"B...........", "BB..........", "BWB.........", "BWWB........", "BWWWB.......", "BWWWWB......",
          "BWWWWWB.....", "BWWWWWWB....", "BWWWWWWWB...", "BWWWWWWWWB..", "BWWWWWWWWWB.", "BWWWWWWBBBBB",
          "BWWWBWWB....", "BWWBBWWB....", "BWB..BWWB...", "BB...BWWB...", "B.....BWWB..", "......BWWB..",
          ".......BB..."}},
        {IDC_IBEAM_ID, 3, 8,
         {"III.III", "...I...", "...I...", "...I...", "...I...", "...I...", "...I...", "...I...", "...I...",
          "...I...", "...I...", "...I...", "...I...", "...I...", "...I...", "III.III"}},
        {IDC_WAIT_ID, 5, 8,
         {"BBBBBBBBBBB", "BWWWWWWWWWB", ".BWWWWWWWB.", ".BWBWBWBWB.", "..BWBWBWB..", "...BWBWB...",
          "....BWB....", "....BWB....", "....BWB....", "...BWWWB...", "..BWWBWWB..", ".BWWWBWWWB.",
          ".BWWBWBWWB.", ".BWBWBWBWB.", "BWBWBWBWBWB", "BBBBBBBBBBB"}},
        {IDC_CROSS_ID, 10, 10,
         {"..........I..........", "..........I..........", "..........I..........",
          "..........I..........", "..........I..........", "..........I..........",
          "..........I..........", "..........I..........", "..........I..........",
          ".....................", "IIIIIIIIII.IIIIIIIIII", ".....................",
          "..........I..........", "..........I..........", "..........I..........",
          "..........I..........", "..........I..........", "..........I..........",
          "..........I..........", "..........I..........", "..........I.........."}},
        {IDC_UPARROW_ID, 4, 0,
         {"....B....", "...BWB...", "..BWWWB..", ".BWWWWWB.", "BBBBWBBBB", "...BWB...", "...BWB...",
          "...BWB...", "...BWB...", "...BWB...", "...BWB...", "...BBB..."}},
        {IDC_SIZEWE_ID, 10, 4,
         {"....B...........B....", "...BB...........BB...", "..BWB...........BWB..",
          ".BWWBBBBBBBBBBBBBWWB.", "BWWWWWWWWWWWWWWWWWWWB", ".BWWBBBBBBBBBBBBBWWB.",
          "..BWB...........BWB..", "...BB...........BB...", "....B...........B...."}},
        {IDC_SIZENS_ID, 4, 10,
         {"....B....", "...BWB...", "..BWWWB..", ".BWWWWWB.", "BBBBWBBBB", "...BWB...", "...BWB...",
          "...BWB...", "...BWB...", "...BWB...", "...BWB...", "...BWB...", "...BWB...", "...BWB...",
          "...BWB...", "...BWB...", "BBBBWBBBB", ".BWWWWWB.", "..BWWWB..", "...BWB...", "....B...."}},
        {IDC_NO_ID, 7, 7,
         {"....BBBBBBB....", "..BBWWWWWWWBB..", ".BWWWBBBBBWWWB.", ".BWWBB...BBWWB.", "BWWBWWB....BWWB",
          "BWB.BWWB...BWB.", "BWB..BWWB..BWB.", "BWB...BWWB.BWB.", "BWB....BWWBBWB.", "BWWB....BWWBWWB",
          ".BWWBB...BBWWB.", ".BWWWBBBBBWWWB.", "..BBWWWWWWWBB..", "....BBBBBBB...."}},
    };
    return all;
}

std::unique_ptr<CursorObject> fromPicture(const Picture& p)
{
    auto c = std::make_unique<CursorObject>();
    c->width = int(std::strlen(p.rows[0]));
    c->height = int(p.rows.size());
    c->hotspot = {p.hotX, p.hotY};
    c->pixels.assign(std::size_t(c->width) * c->height, 0);
    c->invert.assign(c->pixels.size(), false);
    for (int y = 0; y < c->height; ++y)
        for (int x = 0; x < c->width && p.rows[std::size_t(y)][x]; ++x) {
            std::size_t i = std::size_t(y) * c->width + x;
            switch (p.rows[std::size_t(y)][x]) {
            case 'B': c->pixels[i] = 0xFF000000u; break;
            case 'W': c->pixels[i] = 0xFFFFFFFFu; break;
            case 'I':
                c->pixels[i] = 0xFF000000u;
                c->invert[i] = true;
                break;
            default: break;
            }
        }
    c->shared = true;
    c->standardId = p.id;
    return c;
}

struct CursorState {
    // Recursive: the presenter may ask for the cursor while it is told of it.
    std::recursive_mutex mutex;
    std::set<const CursorObject*> live;
    std::map<WORD, std::unique_ptr<CursorObject>> standard;
    // By library folder and resource name: a library freed and loaded again
    // gives the same cursors, and a new module at an old address never
    // inherits another's.
    std::map<std::pair<std::string, std::string>, std::unique_ptr<CursorObject>> fromModules;
    HCURSOR current = nullptr;
    int showCount = 0;
    CursorPresenter presenter;
};

CursorState& state()
{
    static CursorState s;
    return s;
}

// The standard id a request stands for: the ones the title asks for by
// name, and a few others shown as their nearest look.
WORD standardIdFor(WORD id)
{
    switch (id) {
    case IDC_SIZEALL_ID: return IDC_CROSS_ID;
    case IDC_SIZENWSE_ID:
    case IDC_SIZENESW_ID: return IDC_SIZEWE_ID;
    case IDC_HAND_ID: return IDC_ARROW_ID;
    case IDC_APPSTARTING_ID: return IDC_WAIT_ID;
    default: return id;
    }
}

void present(CursorState& s)
{
    if (s.presenter)
        s.presenter(s.showCount >= 0 ? s.current : nullptr);
}

std::uint16_t u16(std::string_view b, std::size_t at)
{
    return std::uint16_t(BYTE(b[at]) | (BYTE(b[at + 1]) << 8));
}
std::uint32_t u32(std::string_view b, std::size_t at)
{
    return std::uint32_t(u16(b, at)) | (std::uint32_t(u16(b, at + 2)) << 16);
}

// A DIB image of a cursor file: the colour picture with its AND mask below
// it, in one bitmap of twice the height.
std::unique_ptr<CursorObject> decodeDibImage(std::string_view img, int width, int height)
{
    if (img.size() < 40)
        return nullptr;
    std::uint32_t headerSize = u32(img, 0);
    std::int32_t w = std::int32_t(u32(img, 4));
    std::int32_t h2 = std::int32_t(u32(img, 8));
    int bpp = u16(img, 14);
    std::uint32_t compression = u32(img, 16);
    std::uint32_t used = u32(img, 32);
    // The height counts the picture and the mask: under 2 there is no row.
    if (headerSize < 40 || headerSize > img.size() || compression != 0 || w <= 0 || w > 256 || h2 < 2 ||
        h2 > 512 || (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32))
        return nullptr;
    int h = h2 / 2;
    if (width > 0 && w != width)
        w = std::min(w, width);
    if (height > 0 && h != height)
        h = std::min(h, height);
    std::size_t colours = bpp <= 8 ? (used ? std::min<std::uint32_t>(used, 1u << bpp) : (1u << bpp)) : 0;
    std::size_t xorStride = std::size_t((std::int32_t(u32(img, 4)) * bpp + 31) / 32) * 4;
    std::size_t andStride = std::size_t((std::int32_t(u32(img, 4)) + 31) / 32) * 4;
    std::size_t tableAt = headerSize;
    std::size_t xorAt = tableAt + colours * 4;
    std::size_t andAt = xorAt + xorStride * std::size_t(h);
    bool hasMask = andAt + andStride * std::size_t(h) <= img.size();
    if (xorAt + xorStride * std::size_t(h) > img.size())
        return nullptr;
    auto c = std::make_unique<CursorObject>();
    c->width = w;
    c->height = h;
    c->pixels.assign(std::size_t(w) * h, 0);
    c->invert.assign(c->pixels.size(), false);
    bool anyAlpha = false;
    for (int y = 0; y < h; ++y) {
        // Rows are stored bottom-up.
        std::string_view row = img.substr(xorAt + xorStride * std::size_t(h - 1 - y), xorStride);
        for (int x = 0; x < w; ++x) {
            std::uint32_t argb = 0;
            if (bpp == 32) {
                argb = u32(row, std::size_t(x) * 4);
                anyAlpha |= (argb >> 24) != 0;
            } else if (bpp == 24) {
                argb = BYTE(row[std::size_t(x) * 3]) | (BYTE(row[std::size_t(x) * 3 + 1]) << 8) |
                       (std::uint32_t(BYTE(row[std::size_t(x) * 3 + 2])) << 16);
            } else {
                int index = bpp == 8 ? BYTE(row[std::size_t(x)])
                                     : (BYTE(row[std::size_t(x * bpp / 8)]) >> (8 - bpp - (x * bpp) % 8)) &
                                           ((1 << bpp) - 1);
                if (std::size_t(index) < colours)
                    argb = u32(img, tableAt + std::size_t(index) * 4) & 0xFFFFFF;
            }
            c->pixels[std::size_t(y) * w + x] = argb;
        }
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::size_t i = std::size_t(y) * w + x;
            bool transparentBit = false;
            if (hasMask) {
                BYTE m = BYTE(img[andAt + andStride * std::size_t(h - 1 - y) + std::size_t(x / 8)]);
                transparentBit = (m >> (7 - x % 8)) & 1;
            }
            std::uint32_t rgb = c->pixels[i] & 0xFFFFFF;
            if (bpp == 32 && anyAlpha) {
                continue;  // the alpha channel says it all
            }
            if (!transparentBit) {
                c->pixels[i] = 0xFF000000u | rgb;
            } else if (rgb != 0) {
                // Mask 1 with colour: the screen is inverted (by the colour).
                c->pixels[i] = 0xFF000000u;
                c->invert[i] = true;
            } else {
                c->pixels[i] = 0;
            }
        }
    return c;
}

std::unique_ptr<CursorObject> decodePngImage(std::string_view img)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, img.data(), img.size()))
        return nullptr;
    image.format = PNG_FORMAT_BGRA;
    if (image.width == 0 || image.height == 0 || image.width > 256 || image.height > 256) {
        png_image_free(&image);
        return nullptr;
    }
    auto c = std::make_unique<CursorObject>();
    c->width = int(image.width);
    c->height = int(image.height);
    c->pixels.assign(std::size_t(c->width) * c->height, 0);
    c->invert.assign(c->pixels.size(), false);
    if (!png_image_finish_read(&image, nullptr, c->pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return nullptr;
    }
    return c;
}

}  // namespace

HCURSOR CreateCursorFromFileData(std::string_view bytes)
{
    // The directory: reserved 0, type (2 cursor, 1 icon), count, then one
    // 16-byte entry per image.
    if (bytes.size() < 6 || u16(bytes, 0) != 0 || (u16(bytes, 2) != 1 && u16(bytes, 2) != 2))
        return nullptr;
    bool isCursor = u16(bytes, 2) == 2;
    std::size_t count = u16(bytes, 4);
    if (count == 0 || 6 + count * 16 > bytes.size())
        return nullptr;
    // The image closest to 32 by 32, of those the most colourful.
    std::size_t best = count;
    int bestScore = 0;
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t e = 6 + i * 16;
        int w = BYTE(bytes[e]) ? BYTE(bytes[e]) : 256;
        std::uint32_t size = u32(bytes, e + 8), offset = u32(bytes, e + 12);
        if (offset > bytes.size() || size > bytes.size() - offset || size < 8)
            continue;
        int depth = BYTE(bytes[e + 2]) == 0 ? 256 : BYTE(bytes[e + 2]);
        int score = 100000 - std::abs(w - 32) * 1000 + std::min(depth, 999);
        if (best == count || score > bestScore) {
            best = i;
            bestScore = score;
        }
    }
    if (best == count)
        return nullptr;
    std::size_t e = 6 + best * 16;
    int w = BYTE(bytes[e]) ? BYTE(bytes[e]) : 256;
    int h = BYTE(bytes[e + 1]) ? BYTE(bytes[e + 1]) : 256;
    std::string_view img = bytes.substr(u32(bytes, e + 12), u32(bytes, e + 8));
    std::unique_ptr<CursorObject> c =
        img.substr(0, 8) == "\x89PNG\r\n\x1a\n" ? decodePngImage(img) : decodeDibImage(img, w, h);
    if (!c)
        return nullptr;
    if (isCursor) {
        c->hotspot = {u16(bytes, e + 4), u16(bytes, e + 6)};
        if (c->hotspot.x >= c->width || c->hotspot.y >= c->height)
            return nullptr;  // a hotspot off the picture is a damaged file
    } else {
        c->hotspot = {c->width / 2, c->height / 2};
    }
    auto& s = state();
    std::lock_guard lock(s.mutex);
    s.live.insert(c.get());
    return c.release();
}

HCURSOR LoadCursorA(HINSTANCE instance, const char* name)
{
    if (!name)
        return nullptr;
    auto& s = state();
    if (!instance) {
        if (!IS_INTRESOURCE(name))
            return nullptr;
        WORD id = standardIdFor(WORD(reinterpret_cast<std::uintptr_t>(name)));
        std::lock_guard lock(s.mutex);
        if (auto it = s.standard.find(id); it != s.standard.end())
            return it->second.get();
        for (const Picture& p : pictures()) {
            if (p.id != id)
                continue;
            auto c = fromPicture(p);
            HCURSOR h = c.get();
            s.live.insert(h);
            s.standard.emplace(id, std::move(c));
            return h;
        }
        return nullptr;
    }
    std::string key = IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<std::uintptr_t>(name))
                                           : std::string(name);
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char ch) { return char(std::tolower(ch)); });
    HRSRC res = FindResourceA(instance, name, RT_GROUP_CURSOR);
    if (!res)
        res = FindResourceA(instance, name, RT_CURSOR);
    if (!res)
        return nullptr;
    std::pair<std::string, std::string> cacheKey{ResourceOwnerKey(instance), key};
    {
        std::lock_guard lock(s.mutex);
        if (auto it = s.fromModules.find(cacheKey); it != s.fromModules.end())
            return it->second.get();
    }
    const void* data = LockResource(LoadResource(instance, res));
    DWORD size = SizeofResource(instance, res);
    if (!data)
        return nullptr;
    HCURSOR made = CreateCursorFromFileData(std::string_view(static_cast<const char*>(data), size));
    if (!made)
        return nullptr;
    made->shared = true;
    std::lock_guard lock(s.mutex);
    s.fromModules.emplace(cacheKey, std::unique_ptr<CursorObject>(made));
    return made;
}

bool IsLiveCursor(HCURSOR cursor)
{
    auto& s = state();
    std::lock_guard lock(s.mutex);
    return cursor && s.live.count(cursor) != 0;
}

BOOL DestroyCursor(HCURSOR cursor)
{
    auto& s = state();
    std::unique_lock lock(s.mutex);
    if (!cursor || !s.live.count(cursor))
        return 0;
    if (cursor->shared)
        return 1;  // shared cursors live as long as the program
    s.live.erase(cursor);
    bool wasCurrent = s.current == cursor;
    if (wasCurrent)
        s.current = nullptr;
    delete cursor;
    if (wasCurrent)
        present(s);
    return 1;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    auto& s = state();
    std::lock_guard lock(s.mutex);
    if (cursor && !s.live.count(cursor))
        return s.current;  // a stale handle changes nothing
    HCURSOR old = s.current;
    s.current = cursor;
    if (old != cursor)
        present(s);
    return old;
}

HCURSOR GetCursor()
{
    auto& s = state();
    std::lock_guard lock(s.mutex);
    return s.current;
}

int ShowCursor(BOOL show)
{
    auto& s = state();
    std::lock_guard lock(s.mutex);
    int before = s.showCount;
    s.showCount += show ? 1 : -1;
    if ((before >= 0) != (s.showCount >= 0))
        present(s);
    return s.showCount;
}

void SetCursorPresenter(CursorPresenter presenter)
{
    auto& s = state();
    std::lock_guard lock(s.mutex);
    s.presenter = std::move(presenter);
    present(s);
}

}  // namespace plat
