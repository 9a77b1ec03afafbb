#include "graphics/JxGraphicsLink.h"

#include <utility>

#include "foundation/JxStartupSettings.h"

namespace {

std::optional<JxGraphicsLink>& link()
{
    static std::optional<JxGraphicsLink> connected;
    return connected;
}

}  // namespace

std::optional<JxGraphicsLink> SetGraphicsLink(std::optional<JxGraphicsLink> next)
{
    return std::exchange(link(), std::move(next));
}

bool GraphicsUseWinG()
{
    if (link() && link()->useWinG)
        return link()->useWinG();
    return !IsTestSwitchOn();
}

std::uint8_t GraphicsTransparentIndex()
{
    if (link() && link()->transparentIndex)
        return link()->transparentIndex();
    return 255;
}

JxCMungeFile* GraphicsDataStore()
{
    if (link() && link()->dataStore)
        return link()->dataStore();
    return nullptr;
}
