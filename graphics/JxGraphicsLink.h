#pragma once
// What the graphics layer asks of the product, which lives in a layer above
// it: which off-screen drawing road to take, the transparent palette index
// of the product definition and the product's packed data store. The
// product connects itself at start and disconnects when it goes; without it
// the answers are those of a product that has not read its definition yet.
// The product palette and the main window come through the foundation's
// product link (foundation/JxProductLink.h).

#include <cstdint>
#include <functional>
#include <optional>

class JxCMungeFile;

struct JxGraphicsLink {
    std::function<bool()> useWinG;
    std::function<std::uint8_t()> transparentIndex;
    std::function<JxCMungeFile*()> dataStore;
};

// Connects the product (none: disconnects); returns the previous link.
std::optional<JxGraphicsLink> SetGraphicsLink(std::optional<JxGraphicsLink> link);

// The pooled road of top-down sections when true, the unlimited road of
// plain device contexts otherwise. Without a product: unless "TestSwitch"
// is on (the platform's version query always succeeds here).
bool GraphicsUseWinG();
// The product definition's transparent index; 255 before it is read.
std::uint8_t GraphicsTransparentIndex();
// The open packed data store, or null.
JxCMungeFile* GraphicsDataStore();
