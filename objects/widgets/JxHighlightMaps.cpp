#include "objects/widgets/JxHighlightMaps.h"

#include <array>
#include <memory>
#include <vector>

#include "platform/draw/draw.h"
#include "runtime/JxCBaseProduct.h"

namespace {

struct HighlightMaps {
    // The colours the maps were built over: a palette handle may be reused
    // by a later palette.
    std::vector<plat::PALETTEENTRY> colours;
    std::array<std::unique_ptr<JxCMappedPalette>, kHighlightMapCount> maps;
};

HighlightMaps& maps()
{
    static HighlightMaps kept;
    return kept;
}

plat::COLORREF rgb(int r, int g, int b)
{
    return plat::COLORREF(r | g << 8 | b << 16);
}

std::vector<plat::PALETTEENTRY> coloursOf(plat::HPALETTE palette)
{
    std::vector<plat::PALETTEENTRY> entries(256);
    entries.resize(plat::GetPaletteEntries(palette, 0, 256, entries.data()));
    return entries;
}

void build(HighlightMaps& kept, plat::HPALETTE palette, std::vector<plat::PALETTEENTRY> colours)
{
    struct Recipe {
        JxColourEffect effect;
        plat::COLORREF colour;
    };
    const Recipe recipes[kHighlightMapCount] = {
        {kEffectNone, 0},
        {kEffectTint, rgb(233, 214, 235)},
        {kEffectColourise, rgb(0, 0, 119)},
        {kEffectGrey, 0},
        {kEffectFlat, rgb(0, 0, 200)},
    };
    for (int i = 0; i < kHighlightMapCount; ++i)
        kept.maps[std::size_t(i)] = BuildMappedPalette(palette, nullptr, recipes[i].effect, recipes[i].colour, 0);
    kept.colours = std::move(colours);
}

}  // namespace

const JxCMappedPalette* GetHighlightMap(std::int32_t number)
{
    if (number < 0 || number >= kHighlightMapCount)
        return nullptr;
    plat::HPALETTE palette = GetProductPalette();
    if (!palette)
        return nullptr;
    HighlightMaps& kept = maps();
    std::vector<plat::PALETTEENTRY> colours = coloursOf(palette);
    if (kept.colours != colours || !kept.maps[std::size_t(number)])
        build(kept, palette, std::move(colours));
    return kept.maps[std::size_t(number)].get();
}

void ReleaseHighlightMaps()
{
    HighlightMaps& kept = maps();
    for (auto& map : kept.maps)
        map.reset();
    kept.colours.clear();
}
