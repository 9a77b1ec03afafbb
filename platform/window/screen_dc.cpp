// What window painting takes from the drawing module: device contexts over
// the screen framebuffer, the class brush, the class cursor.

#include "platform/draw/dc.h"
#include "platform/draw/paint.h"
#include "platform/window/cursor.h"
#include "platform/window/desktop.h"

namespace plat {

HDC MakeScreenDC(POINT origin, const Region& visible)
{
    return CreateScreenSurfaceDC(origin, visible);
}

void FreeScreenDC(HDC hdc)
{
    if (hdc)
        DeleteDC(hdc);
}

bool FillWithClassBrush(HDC hdc, const RECT& clientRect, HBRUSH brush)
{
    return hdc && brush && FillRect(hdc, &clientRect, brush) != 0;
}

void ShowCursorFor(HCURSOR classCursor, LRESULT hit)
{
    if (hit == HTCLIENT) {
        if (classCursor)
            SetCursor(classCursor);
        return;
    }
    // Over frames, captions and buttons the arrow shows.
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

}  // namespace plat
