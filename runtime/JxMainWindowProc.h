#pragma once
// The window procedure of the main class, which serves the main window and
// every page window.
//
// What is built so far is what starting, running and closing the empty main
// window need: the window object's life, painting and erasing of a window
// without page, the 640 by 480 limit, closing (the close box, the system
// menu, Alt+F4 through the default processing), activation and focus
// through the window object, and the messages that go to the product:
// timers, sound completions, the action processor's 1024 and the first
// paint's 1025. The routing of paint, mouse and keys to pages comes with
// the pages.

#include "platform/core/types.h"

plat::LRESULT MainWindowProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam);

// The application-active word: non-zero while this program is the active
// application. The main window's object keeps it from the activation
// messages; the product's idle pass reads it.
std::int16_t GetAppActive();
void SetAppActive(std::int16_t active);

// Test support: the input state back to its start (the close-key flag and
// the application-active word).
void ResetMainWindowState();
