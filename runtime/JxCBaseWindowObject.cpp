#include "runtime/JxCBaseWindowObject.h"

#include "platform/window/window.h"
#include "runtime/JxCWindowClass.h"

JxCBaseWindowObject::~JxCBaseWindowObject()
{
    // Deleted while the window lives: let go of it first, so that its
    // WM_DESTROY finds no object, then destroy it.
    if (!closing_ && window_ && plat::IsWindow(window_)) {
        plat::SetWindowLongPtrA(window_, 0, 0);
        plat::DestroyWindow(window_);
    }
}

std::int16_t JxCBaseWindowObject::HandleEvent(std::int16_t code, std::int16_t value, std::int32_t value32)
{
    using namespace plat;
    switch (code) {
    case kAppActivation:
        DefWindowProcA(window_, WM_ACTIVATEAPP, WPARAM(value), LPARAM(value32));
        return 1;
    case kCaptionActivation:
        return static_cast<std::int16_t>(DefWindowProcA(window_, WM_NCACTIVATE, WPARAM(value), 0));
    case kWindowActivation:
        DefWindowProcA(window_, WM_ACTIVATE, WPARAM(value != 0), LPARAM(value32));
        return 1;
    case kFocus:
        DefWindowProcA(window_, value ? WM_SETFOCUS : WM_KILLFOCUS, WPARAM(value32), 0);
        return 1;
    default:
        return 1;
    }
}

void AttachWindowObject(plat::HWND window, JxCBaseWindowObject* object)
{
    plat::SetWindowLongPtrA(window, 0, reinterpret_cast<plat::LONG_PTR>(object));
    if (object) {
        object->window_ = window;
        NoteWindowObjectAttached(object);
    }
}

JxCBaseWindowObject* GetWindowObject(plat::HWND window)
{
    if (!window)
        return nullptr;
    return reinterpret_cast<JxCBaseWindowObject*>(plat::GetWindowLongPtrA(window, 0));
}

void DestroyWindowObject(plat::HWND window)
{
    JxCBaseWindowObject* object = GetWindowObject(window);
    if (!object)
        return;
    plat::SetWindowLongPtrA(window, 0, 0);
    object->closing_ = 1;
    delete object;
}

plat::LRESULT VideoWindowProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam)
{
    using namespace plat;
    switch (message) {
    case WM_CREATE: {
        auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        auto* object = static_cast<JxCBaseWindowObject*>(create ? create->lpCreateParams : nullptr);
        AttachWindowObject(window, object);
        if (object)
            object->OnCreate();
        return 0;
    }
    case WM_DESTROY:
        DestroyWindowObject(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONUP:
        // Until the list of playing objects exists (display objects and
        // media), there is nothing playing to stop.
        return 1;
    case MM_MCINOTIFY:
        // Until movies play: no playing object to stop and no video flag to
        // clear; every notification is swallowed.
        return 1;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
