#pragma once
// The drawing and hit testing of a scroll bar, shared by the ScrollBar
// control and the list boxes that show one. Internal to the ui module.

#include "platform/core/types.h"

namespace plat::ui {

struct ScrollGeometry {
    RECT bar;
    bool vertical = true;
    int minPos = 0, maxPos = 100, pos = 0;
    int page = 0;  // visible units (0: a square thumb)
};

constexpr int kScrollWidth = 16;

void DrawScrollBar(HDC dc, const ScrollGeometry& g, bool enabled);
// SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_THUMBTRACK for the
// thumb, or -1 outside.
int ScrollHit(const ScrollGeometry& g, POINT p);
// The position the thumb would have with its start at the pixel offset
// along the bar's track.
int ScrollPosAt(const ScrollGeometry& g, int trackOffset);
RECT ThumbRect(const ScrollGeometry& g);

}  // namespace plat::ui
