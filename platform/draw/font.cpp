#include "platform/draw/font.h"

#include <cstring>

namespace plat {

GdiObject* MakeStockFont(int)
{
    auto* f = new FontObject;
    std::strncpy(f->logFont.lfFaceName, kBuiltinFaceName, LF_FACESIZE - 1);
    return f;
}

}  // namespace plat
