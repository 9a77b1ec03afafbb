#pragma once
// The window procedure of the main class, which serves the main window and
// every page window.
//
// What is built so far is what starting, running and closing the empty main
// window need: the window object's life, painting and erasing of a window
// without page, the 640 by 480 limit, closing (the close box, the system
// menu, Alt+F4 through the default processing), and activation and focus
// through the window object. The routing of paint, mouse, keys, timers,
// sound completions and the program's own messages to pages and to the
// product comes with the pages.

#include "platform/core/types.h"

plat::LRESULT MainWindowProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam);

// Test support: the input state back to its start (the close-key flag).
void ResetMainWindowState();
