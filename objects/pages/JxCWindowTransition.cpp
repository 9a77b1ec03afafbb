#include "objects/pages/JxCWindowTransition.h"

#include "graphics/JxZoomBox.h"

std::int16_t JxCWindowTransition::Run(plat::HWND window, std::int32_t transition, std::optional<JxCPoint> point)
{
    return ZoomWindow(window, transition, point);
}
