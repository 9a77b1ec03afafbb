#pragma once
// Window services: classes, windows and their tree, geometry, the message
// queue, painting, input state, timers and the default window procedure.
// One UI thread owns every window; only PostMessageA and PostThreadMessage
// may be called from other threads.

#include <cstdint>
#include <string>

#include "platform/core/region.h"
#include "platform/core/types.h"
#include "platform/fs/errors.h"
#include "platform/window/messages.h"

namespace plat {

using LONG_PTR = std::intptr_t;
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, std::uintptr_t, DWORD);
using WNDENUMPROC = BOOL (*)(HWND, LPARAM);

struct WNDCLASSA {
    UINT style = 0;
    WNDPROC lpfnWndProc = nullptr;
    int cbClsExtra = 0;
    int cbWndExtra = 0;
    HINSTANCE hInstance = nullptr;
    HICON hIcon = nullptr;
    HCURSOR hCursor = nullptr;
    HBRUSH hbrBackground = nullptr;
    const char* lpszMenuName = nullptr;
    const char* lpszClassName = nullptr;
};

struct CREATESTRUCTA {
    void* lpCreateParams = nullptr;
    HINSTANCE hInstance = nullptr;
    HMENU hMenu = nullptr;
    HWND hwndParent = nullptr;
    int cy = 0;
    int cx = 0;
    int y = 0;
    int x = 0;
    LONG style = 0;
    const char* lpszName = nullptr;
    const char* lpszClass = nullptr;
    DWORD dwExStyle = 0;
};

struct MINMAXINFO {
    POINT ptReserved;
    POINT ptMaxSize;
    POINT ptMaxPosition;
    POINT ptMinTrackSize;
    POINT ptMaxTrackSize;
};

struct WINDOWPLACEMENT {
    UINT length = sizeof(WINDOWPLACEMENT);
    UINT flags = 0;
    UINT showCmd = 0;
    POINT ptMinPosition;
    POINT ptMaxPosition;
    RECT rcNormalPosition;
};

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    BOOL fErase = 0;
    RECT rcPaint;
    BOOL fRestore = 0;
    BOOL fIncUpdate = 0;
    BYTE rgbReserved[32] = {};
};

constexpr int CW_USEDEFAULT = int(0x80000000u);

// Invalidation and redraw flags.
constexpr UINT RDW_INVALIDATE = 0x0001;
constexpr UINT RDW_INTERNALPAINT = 0x0002;
constexpr UINT RDW_ERASE = 0x0004;
constexpr UINT RDW_VALIDATE = 0x0008;
constexpr UINT RDW_NOINTERNALPAINT = 0x0010;
constexpr UINT RDW_NOERASE = 0x0020;
constexpr UINT RDW_NOCHILDREN = 0x0040;
constexpr UINT RDW_ALLCHILDREN = 0x0080;
constexpr UINT RDW_UPDATENOW = 0x0100;
constexpr UINT RDW_ERASENOW = 0x0200;
constexpr UINT RDW_FRAME = 0x0400;
constexpr UINT RDW_NOFRAME = 0x0800;

// Last-error codes of the window services (GetLastError: fs/errors.h).
constexpr DWORD ERROR_INVALID_WINDOW_HANDLE = 1400;
constexpr DWORD ERROR_INVALID_INDEX = 1413;
constexpr DWORD ERROR_CLASS_ALREADY_EXISTS = 1410;
constexpr DWORD ERROR_CLASS_DOES_NOT_EXIST = 1411;
constexpr DWORD ERROR_CLASS_HAS_WINDOWS = 1412;
constexpr DWORD ERROR_NOT_ENOUGH_QUOTA = 1816;

// --- Classes --------------------------------------------------------------
ATOM RegisterClassA(const WNDCLASSA& wc);
BOOL UnregisterClassA(const char* className, HINSTANCE instance);
BOOL GetClassInfoA(HINSTANCE instance, const char* className, WNDCLASSA* out);
DWORD GetClassLongA(HWND hwnd, int index);
// The pointer-sized class values; only GCL_HCURSOR so far (0 and
// ERROR_INVALID_INDEX for any other index). The setter changes the class of
// the window, and so every window of that class, and returns the old value.
std::uintptr_t GetClassLongPtrA(HWND hwnd, int index);
std::uintptr_t SetClassLongPtrA(HWND hwnd, int index, std::uintptr_t value);
int GetClassNameA(HWND hwnd, char* buffer, int size);

// --- Windows --------------------------------------------------------------
HWND CreateWindowExA(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                     int x, int y, int width, int height, HWND parent, HMENU menu,
                     HINSTANCE instance, void* param);
inline HWND CreateWindowA(const char* className, const char* windowName, DWORD style, int x,
                          int y, int width, int height, HWND parent, HMENU menu,
                          HINSTANCE instance, void* param)
{
    return CreateWindowExA(0, className, windowName, style, x, y, width, height, parent, menu,
                           instance, param);
}
// Sends WM_DESTROY to the window and then to its children, then
// WM_NCDESTROY children first; owned popups go first. Their timers die too.
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
HWND GetDesktopWindow();
HWND GetParent(HWND hwnd);
HWND SetParent(HWND child, HWND newParent);
HWND GetWindow(HWND hwnd, UINT cmd);
HWND GetTopWindow(HWND hwnd);
BOOL IsChild(HWND parent, HWND hwnd);
BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam);
BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam);
HWND FindWindowA(const char* className, const char* windowName);

LONG GetWindowLongA(HWND hwnd, int index);
LONG SetWindowLongA(HWND hwnd, int index, LONG value);
// The pointer-sized form: window word slots are wide enough for a pointer.
LONG_PTR GetWindowLongPtrA(HWND hwnd, int index);
LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value);

BOOL SetWindowTextA(HWND hwnd, const char* text);
int GetWindowTextA(HWND hwnd, char* buffer, int size);
int GetWindowTextLengthA(HWND hwnd);
std::string WindowText(HWND hwnd);

BOOL ShowWindow(HWND hwnd, int cmd);
BOOL IsWindowVisible(HWND hwnd);
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL BringWindowToTop(HWND hwnd);
BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement);

// --- Geometry -------------------------------------------------------------
BOOL GetWindowRect(HWND hwnd, RECT* rect);  // screen coordinates
BOOL GetClientRect(HWND hwnd, RECT* rect);  // (0, 0, width, height)
BOOL ClientToScreen(HWND hwnd, POINT* point);
BOOL ScreenToClient(HWND hwnd, POINT* point);
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
BOOL AdjustWindowRect(RECT* rect, DWORD style, BOOL menu);
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);
HWND WindowFromPoint(POINT screenPoint);
HWND ChildWindowFromPoint(HWND parent, POINT clientPoint);
int GetSystemMetrics(int index);

// --- Messages -------------------------------------------------------------
LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// A message for the queue itself (hwnd null), as a thread message.
BOOL PostAppMessage(UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
// Blocks until a message passes the filters; FALSE for WM_QUIT, -1 on a
// filter window that is not a window.
BOOL GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
// Blocks until any message is waiting or a timer is due.
BOOL WaitMessage();
// Blocks, showing the screen first, until a message within [filterMin,
// filterMax] (0, 0: any message) is waiting or `timeoutMs` have passed;
// TRUE when such a message waits. Messages outside the range stay queued
// and do not end the wait, so a nested loop that serves only some
// messages can pace itself without spinning.
BOOL WaitMessageTimeout(UINT filterMin, UINT filterMax, DWORD timeoutMs);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
void PostQuitMessage(int exitCode);
DWORD GetMessageTime();
DWORD GetMessagePos();  // screen point of the last message, packed as x | y << 16
LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// True while the calling code runs inside a SendMessageA call.
BOOL InSendMessage();

// --- Timers ---------------------------------------------------------------
std::uintptr_t SetTimer(HWND hwnd, std::uintptr_t id, UINT elapseMs, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, std::uintptr_t id);

// --- Painting -------------------------------------------------------------
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL InvalidateRgn(HWND hwnd, const Region* region, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL ValidateRgn(HWND hwnd, const Region* region);
BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase);
int GetUpdateRgn(HWND hwnd, Region* region, BOOL erase);
BOOL UpdateWindow(HWND hwnd);
BOOL RedrawWindow(HWND hwnd, const RECT* rect, const Region* region, UINT flags);
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
// Device contexts of windows: the client area, or the whole window.
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC hdc);
// The part of the screen a window's device context may draw on, in screen
// coordinates: the client area (or the whole window) clipped by its
// ancestors, by windows above it and, with WS_CLIPCHILDREN, by its children.
Region VisibleScreenRegion(HWND hwnd, bool clientOnly);

// --- Input state ----------------------------------------------------------
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();
BOOL GetCursorPos(POINT* point);
BOOL SetCursorPos(int x, int y);
std::int16_t GetKeyState(int vk);
std::int16_t GetAsyncKeyState(int vk);
UINT GetDoubleClickTime();
UINT SetDoubleClickTime(UINT ms);
DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId);
DWORD GetCurrentThreadId();

// --- System menu ----------------------------------------------------------
HMENU GetSystemMenu(HWND hwnd, BOOL revert);
BOOL AppendMenuA(HMENU menu, UINT flags, std::uintptr_t idNewItem, const char* text);
int GetMenuItemCount(HMENU menu);
UINT GetMenuItemID(HMENU menu, int pos);
int GetMenuStringA(HMENU menu, UINT item, char* buffer, int size, UINT flags);

}  // namespace plat
