#include "runtime/JxMainWindow.h"

#include "foundation/JxErrorReport.h"
#include "foundation/JxProductLink.h"
#include "platform/window/window.h"
#include "runtime/JxCWindowClass.h"

plat::HWND CreateMainWindow(const char* title, std::int32_t width, std::int32_t height)
{
    using namespace plat;
    JxCWindowCreateParams params;
    params.title = title;
    params.x = 0;
    params.y = 0;
    params.width = width;
    params.height = height;
    params.style = WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    HWND window = CreateAppWindow(kMainWindowClassName, params);
    if (!window) {
        ProductMarkIdle();
        ReportErrorOk(kNoMainWindowId);
        return nullptr;
    }
    SetFocus(window);
    return window;
}
