// Window classes: registration, look-up and class longs.

#include <cstring>
#include <utility>

#include "platform/window/desktop.h"

namespace plat {

ATOM RegisterClassA(const WNDCLASSA& wc)
{
    Desktop& d = TheDesktop();
    if (!wc.lpszClassName || !*wc.lpszClassName || !wc.lpfnWndProc || wc.cbWndExtra < 0 ||
        wc.cbClsExtra < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (d.findClass(wc.lpszClassName)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    auto c = std::make_shared<WindowClass>();
    c->name = wc.lpszClassName;
    c->info = wc;
    c->info.lpszClassName = nullptr;
    c->menuName = wc.lpszMenuName ? wc.lpszMenuName : "";
    c->info.lpszMenuName = nullptr;
    d.classes.push_back(std::move(c));
    // Atoms start above the range of the predefined classes.
    return ATOM(0xC000 + d.classes.size());
}

BOOL UnregisterClassA(const char* className, HINSTANCE)
{
    Desktop& d = TheDesktop();
    auto c = d.findClass(className);
    if (!c) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return 0;
    }
    if (c->windows > 0) {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return 0;
    }
    std::erase(d.classes, c);
    return 1;
}

BOOL GetClassInfoA(HINSTANCE, const char* className, WNDCLASSA* out)
{
    auto c = TheDesktop().findClass(className);
    if (!c) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return 0;
    }
    if (out) {
        *out = c->info;
        out->lpszClassName = c->name.c_str();
        out->lpszMenuName = c->menuName.empty() ? nullptr : c->menuName.c_str();
    }
    return 1;
}

DWORD GetClassLongA(HWND hwnd, int index)
{
    Window* w = TheDesktop().fromHandle(hwnd);
    if (!w || !w->cls) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    const WNDCLASSA& i = w->cls->info;
    switch (index) {
    case GCL_STYLE: return i.style;
    case GCL_CBWNDEXTRA: return DWORD(i.cbWndExtra);
    // Handles do not fit 32 bits on this host; a non-zero value says "set".
    case GCL_HBRBACKGROUND: return i.hbrBackground ? 1 : 0;
    case GCL_HCURSOR: return i.hCursor ? 1 : 0;
    case GCL_HICON: return i.hIcon ? 1 : 0;
    default: SetLastError(ERROR_INVALID_INDEX); return 0;
    }
}

namespace {

WNDCLASSA* classInfo(HWND hwnd, int index)
{
    Window* w = TheDesktop().fromHandle(hwnd);
    if (!w || !w->cls) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (index != GCL_HCURSOR) {
        SetLastError(ERROR_INVALID_INDEX);
        return nullptr;
    }
    return &w->cls->info;
}

}  // namespace

std::uintptr_t GetClassLongPtrA(HWND hwnd, int index)
{
    const WNDCLASSA* info = classInfo(hwnd, index);
    return info ? reinterpret_cast<std::uintptr_t>(info->hCursor) : 0;
}

std::uintptr_t SetClassLongPtrA(HWND hwnd, int index, std::uintptr_t value)
{
    WNDCLASSA* info = classInfo(hwnd, index);
    if (!info)
        return 0;
    return reinterpret_cast<std::uintptr_t>(std::exchange(info->hCursor, reinterpret_cast<HCURSOR>(value)));
}

int GetClassNameA(HWND hwnd, char* buffer, int size)
{
    Window* w = TheDesktop().fromHandle(hwnd);
    if (!w || !buffer || size <= 0)
        return 0;
    std::string name = w->cls ? w->cls->name : std::string("#32769");
    int n = std::min<int>(int(name.size()), size - 1);
    std::memcpy(buffer, name.data(), size_t(n));
    buffer[n] = '\0';
    return n;
}

int GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXSCREEN: return TheDesktop().desktop()->rect.right;
    case SM_CYSCREEN: return TheDesktop().desktop()->rect.bottom;
    case SM_CXFULLSCREEN: return TheDesktop().desktop()->rect.right;
    // The screen less one caption: there is no task bar on our desktop.
    case SM_CYFULLSCREEN: return TheDesktop().desktop()->rect.bottom - GetSystemMetrics(SM_CYCAPTION);
    case SM_CXVSCROLL: case SM_CYHSCROLL: return 16;
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER: case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME: case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME: case SM_CYFRAME: return 4;
    case SM_CXICON: case SM_CYICON: case SM_CXCURSOR: case SM_CYCURSOR: return 32;
    case SM_CXSMICON: case SM_CYSMICON: return 16;
    case SM_CYMENU: return 19;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXSIZE: case SM_CYSIZE: return 18;
    case SM_CXDOUBLECLK: case SM_CYDOUBLECLK: return 4;
    case SM_MOUSEPRESENT: return 1;
    case SM_CMOUSEBUTTONS: return 3;
    default: return 0;
    }
}

}  // namespace plat
