// The seam between window painting and the drawing module: device contexts
// that draw into the screen framebuffer.

#include "platform/window/desktop.h"

namespace plat {

HDC MakeScreenDC(POINT, const Region&)
{
    // Window device contexts come from the drawing module; until it is
    // linked in, painting runs without one (BeginPaint hands out no DC and
    // leaves erasing to the window).
    return nullptr;
}

void FreeScreenDC(HDC) {}

}  // namespace plat

namespace plat {

bool FillWithClassBrush(HDC hdc, const RECT&, HBRUSH brush)
{
    return hdc && brush && false;
}

void ShowCursorFor(HCURSOR, LRESULT) {}

}  // namespace plat
