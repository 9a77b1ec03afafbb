#pragma once
// The caret: one per program, a bar (or a bitmap) in a window's client area,
// drawn by inverting the screen under it, blinking while shown. HideCaret and
// ShowCaret nest; the caret is on the screen only while every hide has been
// matched by a show. Painting a window hides its caret for the time of the
// paint.

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/core/types.h"

namespace plat {

// A bitmap argument meaning a grey caret instead of a solid one.
inline const HBITMAP CARET_GRAY_BITMAP = reinterpret_cast<HBITMAP>(std::uintptr_t(1));

constexpr UINT kDefaultCaretBlinkTime = 530;
// A blink time meaning a caret that does not blink.
constexpr UINT INFINITE = 0xFFFFFFFF;

// Replaces any caret there was; the new one starts hidden (one hide to
// match). bitmap null: a solid bar; CARET_GRAY_BITMAP: a grey one; else the
// bitmap's pixels are inverted (width and height then come from it).
BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height);
BOOL DestroyCaret();
// hwnd null means the caret's window; another window's call is refused.
BOOL ShowCaret(HWND hwnd);
BOOL HideCaret(HWND hwnd);
// In client coordinates of the caret's window. A move shows the caret at
// once and starts its blink again.
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(POINT* out);
UINT GetCaretBlinkTime();
// Any time but 0 (refused); INFINITE keeps the caret on without blinking.
BOOL SetCaretBlinkTime(UINT milliseconds);
// The window that holds the caret; null when there is none.
HWND GetCaretWindow();

// For the window module. The paint of a window hides its caret and shows
// it again at the end; a destroyed window takes its caret with it.
void HideCaretForPaint(HWND hwnd);
void ShowCaretAfterPaint(HWND hwnd);
void CaretWindowDestroyed(HWND hwnd);
// The message loop's part of blinking: when the next blink is due (on the
// clock's 64-bit time line, so that no blink time wraps), and the blink
// itself once that time has come. A loop that waits for messages waits no
// longer than the next blink.
std::optional<std::uint64_t> NextCaretBlink();
void BlinkCaretIfDue(std::uint64_t now);

// What the caret needs of the windows: a DC on a window's client area,
// whether a window still exists, and the time.
struct CaretHost {
    std::function<HDC(HWND)> getDC;
    std::function<void(HWND, HDC)> releaseDC;
    std::function<bool(HWND)> isWindow;
    std::function<std::uint64_t()> now;
};
void SetCaretHost(CaretHost host);

}  // namespace plat
