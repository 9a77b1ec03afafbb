#include "graphics/JxCSlatePool.h"

#include <algorithm>
#include <vector>

#include "foundation/JxErrorReport.h"
#include "graphics/JxCSlate.h"
#include "graphics/JxGraphicsLink.h"
#include "platform/draw/draw.h"

namespace {

struct PoolEntry {
    plat::HDC hdc = nullptr;
    std::int16_t inUse = 0;
};

struct Pool {
    std::int16_t size = kDefaultSlatePoolSize;
    bool created = false;
    std::vector<PoolEntry> entries;

    // A context still handed out is left to its holder: once it is no
    // longer the pool's, its release deletes it.
    void Free()
    {
        for (PoolEntry& e : entries)
            if (!e.inUse)
                plat::DeleteDC(e.hdc);
        entries.clear();
        created = false;
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

void FreeSlatePool()
{
    pool().Free();
}
