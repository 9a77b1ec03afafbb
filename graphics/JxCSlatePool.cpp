#include "graphics/JxCSlatePool.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "foundation/JxErrorReport.h"
#include "foundation/JxProductLink.h"
#include "graphics/JxCSlate.h"
#include "graphics/JxDibUtils.h"
#include "graphics/JxGraphicsLink.h"
#include "platform/draw/draw.h"

namespace {

struct PoolEntry {
    plat::HDC hdc = nullptr;
    std::int16_t inUse = 0;
};

// Transition bitmaps kept between transitions: a page change draws a few
// panels of as many sizes (the sample title's contents page five), and its
// wipes twice their size. The bytes bound the memory kept; the count only
// bounds the search.
constexpr std::size_t kKeptBitmaps = 8;
constexpr std::size_t kKeptBitmapBytes = 4u << 20;

// A transition bitmap and what it was made as.
struct TransitionBitmap {
    JxObjectRef bitmap;
    plat::LONG width = 0;
    plat::LONG height = 0;  // negative: top-down
    std::array<plat::RGBQUAD, 256> colours{};

    std::size_t Bytes() const { return std::size_t(plat::DibStride(width, 8)) * std::size_t(std::labs(height)); }
    bool MadeAs(const plat::BITMAPINFO& info) const
    {
        return width == info.bmiHeader.biWidth && height == info.bmiHeader.biHeight &&
               std::equal(colours.begin(), colours.end(), std::begin(info.bmiColors));
    }
};

struct Pool {
    std::int16_t size = kDefaultSlatePoolSize;
    bool created = false;
    std::vector<PoolEntry> entries;
    std::vector<TransitionBitmap> kept;  // the most recently given back first
    std::vector<TransitionBitmap> lent;

    // A context or bitmap still handed out is left to its holder: once it
    // is no longer the pool's, its release deletes it.
    void Free()
    {
        for (PoolEntry& e : entries)
            if (!e.inUse)
                plat::DeleteDC(e.hdc);
        entries.clear();
        created = false;
        for (TransitionBitmap& b : kept)
            DeleteBitmapRecord(b.bitmap);
        kept.clear();
        lent.clear();
    }

    void TrimKept()
    {
        std::size_t bytes = 0;
        for (std::size_t i = 0; i < kept.size(); ++i) {
            bytes += kept[i].Bytes();
            if (i >= kKeptBitmaps || bytes > kKeptBitmapBytes) {
                for (std::size_t j = i; j < kept.size(); ++j)
                    DeleteBitmapRecord(kept[j].bitmap);
                kept.resize(i);
                return;
            }
        }
    }
};

// Freed by FreeSlatePool at exit, never by a static destructor: the
// platform's tables may be gone by then.
Pool& pool()
{
    static Pool* thePool = new Pool;
    return *thePool;
}

}  // namespace

void SetSlatePoolSize(std::int16_t size)
{
    pool().size = size;
}

std::int16_t GetSlatePoolSize()
{
    return pool().size;
}

void JxCSlate::SetDCPoolSize(std::int16_t size)
{
    SetSlatePoolSize(size);
}

plat::HDC AcquireSlateDC()
{
    if (!GraphicsUseWinG())
        return plat::CreateCompatibleDC(nullptr);
    Pool& p = pool();
    if (!p.created) {
        p.entries.resize(std::size_t(std::max<std::int16_t>(p.size, 0)));
        for (PoolEntry& e : p.entries)
            e.hdc = plat::CreateCompatibleDC(nullptr);
        p.created = true;
    }
    for (PoolEntry& e : p.entries) {
        if (!e.inUse && e.hdc) {
            e.inUse = 1;
            return e.hdc;
        }
    }
    OhNoItsAnError(kSlatePoolExhaustedId, int(p.size));
    return nullptr;
}

void ReleaseSlateDC(plat::HDC hdc)
{
    if (!hdc)
        return;
    Pool& p = pool();
    for (PoolEntry& e : p.entries) {
        if (e.hdc == hdc) {
            e.inUse = 0;
            return;
        }
    }
    // Not one of the pool's: a context of the other road.
    plat::DeleteDC(hdc);
}

JxObjectRef AcquireTransitionBitmap(std::int32_t width, std::int32_t height)
{
    Pool& p = pool();
    const plat::BITMAPINFO info = DibSectionInfoForPalette(width, height, ProductPalette());
    const auto fits = [&info](const TransitionBitmap& b) { return b.MadeAs(info); };
    if (auto it = std::find_if(p.kept.begin(), p.kept.end(), fits); it != p.kept.end()) {
        TransitionBitmap taken = *it;
        p.kept.erase(it);
        std::memset(taken.bitmap.bits, 0, taken.Bytes());
        p.lent.push_back(taken);
        return taken.bitmap;
    }
    TransitionBitmap made;
    made.bitmap = CreateDibSectionFromInfo(info);
    if (!made.bitmap.handle || !made.bitmap.bits) {
        DeleteBitmapRecord(made.bitmap);
        return {};
    }
    made.width = info.bmiHeader.biWidth;
    made.height = info.bmiHeader.biHeight;
    std::copy(std::begin(info.bmiColors), std::end(info.bmiColors), made.colours.begin());
    p.lent.push_back(made);
    return made.bitmap;
}

void ReleaseTransitionBitmap(const JxObjectRef& bitmap)
{
    if (!bitmap.handle)
        return;
    Pool& p = pool();
    const auto same = [&bitmap](const TransitionBitmap& b) { return b.bitmap.handle == bitmap.handle; };
    const auto it = std::find_if(p.lent.begin(), p.lent.end(), same);
    if (it == p.lent.end()) {
        JxObjectRef doomed = bitmap;  // lent before the pool was freed
        DeleteBitmapRecord(doomed);
        return;
    }
    p.kept.insert(p.kept.begin(), *it);
    p.lent.erase(it);
    p.TrimKept();
}

void FreeSlatePool()
{
    pool().Free();
}
