// PNG pictures turned into packed DIBs on arbitrary bytes: the result is
// empty or a DIB the bitmap loaders accept, of the PNG's size, with a colour
// table of at most 256 entries.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz_support.h"
#include "graphics/JxDibUtils.h"
#include "graphics/JxPngDib.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const JxDibBlock dib = DibFromPngBytes({data, size});
    if (dib.empty())
        return 0;
    fuzz::Check(CheckPackedDib(dib));
    fuzz::Check(GetDibColorCount(dib.data()) <= 256);
    fuzz::Check(GetDibWidth(dib.data()) > 0 && GetDibWidth(dib.data()) <= kMaxDibSide);
    fuzz::Check(GetDibHeight(dib.data()) > 0 && GetDibHeight(dib.data()) <= kMaxDibSide);
    return 0;
}
