#pragma once
// Window objects: every window of the program carries one in its window
// word 0. The window procedure attaches it on WM_CREATE (from the creation
// parameter) and deletes it on WM_DESTROY; deleting an object whose window
// still lives destroys the window.

#include <cstdint>

#include "platform/core/types.h"

class JxCBaseWindowObject {
public:
    // Event codes of HandleEvent.
    static constexpr std::int16_t kAppActivation = 0;
    static constexpr std::int16_t kCaptionActivation = 1;
    static constexpr std::int16_t kWindowActivation = 2;
    static constexpr std::int16_t kFocus = 3;  // value 1 = gained, 0 = lost

    JxCBaseWindowObject() = default;
    virtual ~JxCBaseWindowObject();
    JxCBaseWindowObject(const JxCBaseWindowObject&) = delete;
    JxCBaseWindowObject& operator=(const JxCBaseWindowObject&) = delete;

    virtual void OnCreate() {}
    // The platform's default processing of the event. The second value
    // carries a window for activation and focus, so it is pointer-sized.
    virtual std::int16_t HandleEvent(std::int16_t code, std::int16_t value, std::intptr_t value32);

    plat::HWND GetWindow() const { return window_; }
    bool IsClosing() const { return closing_ != 0; }

private:
    friend void AttachWindowObject(plat::HWND, JxCBaseWindowObject*);
    friend void DestroyWindowObject(plat::HWND);

    plat::HWND window_ = nullptr;
    std::int16_t closing_ = 0;
};

// Window word 0 := object; the object learns its window.
void AttachWindowObject(plat::HWND window, JxCBaseWindowObject* object);
JxCBaseWindowObject* GetWindowObject(plat::HWND window);
// For WM_DESTROY: marks the window's object as closing and deletes it.
void DestroyWindowObject(plat::HWND window);

// What a window is created with.
struct JxCWindowCreateParams {
    const char* title = "";
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t style = 0;
    plat::HWND parent = nullptr;
};

// The window procedure of the "Video" class, the child windows movies play
// in.
plat::LRESULT VideoWindowProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam);
