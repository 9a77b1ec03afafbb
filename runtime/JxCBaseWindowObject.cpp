#include "runtime/JxCBaseWindowObject.h"

#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCWindowClass.h"

namespace {

// Notification codes of a movie.
constexpr plat::WPARAM kMovieSuccessful = 1;
constexpr plat::WPARAM kMovieAborted = 4;

}  // namespace

JxCBaseWindowObject::~JxCBaseWindowObject()
{
    // Deleted while the window lives: let go of it first, so that its
    // WM_DESTROY finds no object, then destroy it.
    if (!closing_ && window_ && plat::IsWindow(window_)) {
        plat::SetWindowLongPtrA(window_, 0, 0);
        plat::DestroyWindow(window_);
    }
}

std::int16_t JxCBaseWindowObject::HandleEvent(std::int16_t code, std::int16_t value, std::intptr_t value32)
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
        // A click in a movie's window stops what plays.
        StopActiveObjects(0);
        return 1;
    case MM_MCINOTIFY:
        // A movie that played to its end or was stopped ends the playing;
        // every other notification is swallowed.
        if (wParam == kMovieSuccessful || wParam == kMovieAborted) {
            StopActiveObjects(1);
            if (JxCBaseProduct* product = GetProduct())
                product->ClearVideoFlag();
        }
        return 1;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
