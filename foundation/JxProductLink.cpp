#include "foundation/JxProductLink.h"

#include <utility>

namespace {

std::optional<JxProductLink>& link()
{
    static std::optional<JxProductLink> current;
    return current;
}

}  // namespace

std::optional<JxProductLink> SetProductLink(std::optional<JxProductLink> l)
{
    return std::exchange(link(), std::move(l));
}

bool ProductExists()
{
    return link().has_value();
}

void ProductMarkIdle()
{
    if (link() && link()->markIdle)
        link()->markIdle();
}

std::optional<JxCString> ProductTitle()
{
    if (link() && link()->title)
        return link()->title();
    return std::nullopt;
}

plat::HWND ProductMainWindow()
{
    return link() && link()->mainWindow ? link()->mainWindow() : nullptr;
}

plat::HWND ProductFirstPageWindow()
{
    return link() && link()->firstPageWindow ? link()->firstPageWindow() : nullptr;
}

plat::HPALETTE ProductPalette()
{
    return link() && link()->palette ? link()->palette() : nullptr;
}

void ProductSetDataPath(const JxCString& path)
{
    if (link() && link()->setDataPath)
        link()->setDataPath(path);
}
