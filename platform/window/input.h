#pragma once
// What the backends feed into the window services: host input, activation of
// the application and display changes. UI thread only. A time of 0 stamps
// the event with the current tick count.

#include "platform/core/types.h"

namespace plat {

enum class MouseButton { Left = 0, Right = 1, Middle = 2 };

void InjectMouseMove(POINT screen, DWORD time = 0);
void InjectMouseButton(MouseButton button, bool down, POINT screen, DWORD time = 0);
// `vk` is a virtual-key code; `scan` the keyboard's scan code for lParam.
void InjectKey(int vk, bool down, int scan = 0, bool extended = false, DWORD time = 0);
// One typed character, delivered as WM_CHAR with its bytes in the current
// code page (two messages for a double-byte character); characters the code
// page cannot hold are dropped.
void InjectChar(char32_t ch, DWORD time = 0);
// The host gave our application the front; `byClick` when a mouse click did
// it, so that the click activates the window under it.
void HostActivated(bool byClick);
void HostDeactivated();
// The host asks the program to end (its window's close box, a log-out, a
// SIGTERM): the program's own top-level window is asked to close, as its
// close box would. While boxes or dialogs wait for answers, the close
// goes past them to the program's window behind them, and each box gives
// way to it unanswered (modal_loop.h), so that the program closes as it
// does without a box; when no such window is there to close (the boxes of
// a start-up), or nothing waits for boxes but the program's window is
// disabled, the program is told to quit, which ends every nested loop on
// its way out.
void HostCloseRequested();
// The host window was minimised: so are our top-level windows that have a
// minimise box (as their own box would). It was restored: every top-level
// window of ours that is minimised comes back.
void HostMinimized();
void HostRestored();
// The display's size or depth changed: the screen is reset, every top-level
// window hears WM_DISPLAYCHANGE, and everything is repainted.
void DisplayChanged(int width, int height, int bitsPerPixel);
// Whether input is waiting that the queue has not reached yet.
bool HasPendingInput();

}  // namespace plat
