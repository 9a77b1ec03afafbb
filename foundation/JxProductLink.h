#pragma once
// What the foundation asks of the product object, which lives in a layer
// above it: whether it exists, marking it idle before a report, the title
// text of its product data, its windows and palette, and the data path of
// its product definition. The product connects itself when it is created
// and disconnects when it is deleted; without it every question has the
// answer "no product".

#include <functional>
#include <optional>

#include "foundation/JxCString.h"
#include "platform/core/types.h"

struct JxProductLink {
    std::function<void()> markIdle;
    // The title text of the product data; none while the product has no
    // product data.
    std::function<std::optional<JxCString>()> title;
    std::function<plat::HWND()> mainWindow;
    std::function<plat::HWND()> firstPageWindow;
    std::function<plat::HPALETTE()> palette;
    std::function<void(const JxCString&)> setDataPath;
};

// Connects the product (none: disconnects); returns the previous link.
std::optional<JxProductLink> SetProductLink(std::optional<JxProductLink> link);

bool ProductExists();
void ProductMarkIdle();
std::optional<JxCString> ProductTitle();
plat::HWND ProductMainWindow();
plat::HWND ProductFirstPageWindow();
plat::HPALETTE ProductPalette();
void ProductSetDataPath(const JxCString& path);
