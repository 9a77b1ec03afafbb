#pragma once
// What a collage's managers ask of the collage that owns them: its
// rectangle (the display object's), the data manager, the first visible
// position, how many positions it shows, the selected item, and a scroll
// back to the start when the items no longer fill it. The collage display
// objects derive from it.

#include <cstdint>

#include "runtime/JxCDisplayObject.h"

class JxCCollArrangementManager;
class JxCCollDataManager;

class JxCCollageBase : public JxCDisplayObject {
public:
    virtual JxCCollDataManager* GetDataManager() const = 0;
    virtual JxCCollArrangementManager* GetArrangementManager() const = 0;
    // The first position the collage shows.
    virtual std::int32_t GetFirstVisible() const = 0;
    // How many positions the collage shows; -1 until it made its resources.
    virtual std::int32_t GetVisibleCount() const = 0;
    // The selected item; -1 for none.
    virtual std::int32_t GetSelectedIndex() const = 0;
    // Moves the first visible position (clamped by the collage), redrawing
    // when asked.
    virtual void ScrollTo(std::int32_t position, std::int16_t redraw) = 0;
};
