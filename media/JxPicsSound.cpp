#include "media/JxPicsSound.h"

#include <utility>

namespace {

std::optional<JxPicsSoundLink>& link()
{
    static std::optional<JxPicsSoundLink> current;
    return current;
}

}  // namespace

std::optional<JxPicsSoundLink> SetPicsSoundLink(std::optional<JxPicsSoundLink> next)
{
    return std::exchange(link(), std::move(next));
}

bool PicsFormatSupported(std::span<const std::uint8_t> format)
{
    return link() && link()->formatSupported && link()->formatSupported(format);
}

std::unique_ptr<JxPicsSoundQueue> MakePicsSoundQueue(std::uint32_t buffers)
{
    if (!link() || !link()->makeQueue)
        return nullptr;
    return link()->makeQueue(buffers);
}
