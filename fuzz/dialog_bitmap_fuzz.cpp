// Dialog pictures on arbitrary bytes: a packed DIB is taken only when its
// header, colour table and rows all lie inside the bytes, and a taken one
// draws into a memory surface without reading past what was copied.
#include <cstddef>
#include <cstdint>

#include "foundation/JxDialogBitmap.h"
#include "platform/draw/dc.h"
#include "platform/draw/surface.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    JxDialogBitmap picture;
    if (!picture.Load({data, size})) {
        if (picture.IsLoaded())
            __builtin_trap();
        return 0;
    }
    plat::HDC dc = plat::CreateCompatibleDC(nullptr);
    plat::HBITMAP target = plat::CreateBitmap(64, 64, 1, 32, nullptr);
    plat::HGDIOBJ old = plat::SelectObject(dc, target);
    picture.Draw(dc, -3, 5);
    plat::SelectObject(dc, old);
    plat::DeleteObject(target);
    plat::DeleteDC(dc);
    return 0;
}
