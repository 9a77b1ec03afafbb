#pragma once
// The window procedure of the main class, which serves the main window
// (whose base page lives in it) and every page window. It routes painting
// and moving to the page of the window; mouse and keys to the page that
// holds the mouse capture or else to the page of the window, behind filters
// that keep clicks made while the title was busy, during a page change or
// to reactivate the application from reaching a page; timers, sound
// completions and the program's own two messages to the product; and
// activation and focus to the window's object.

#include <cstdint>

#include "platform/core/types.h"

plat::LRESULT MainWindowProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam);

// The application-active word: non-zero while this program is the active
// application. The main window's object keeps it from the activation
// messages; the product's idle pass reads it.
std::int16_t GetAppActive();
void SetAppActive(std::int16_t active);

// Messages and ids of the main window.
constexpr unsigned kDisplayChangedId = 1172;
constexpr plat::UINT kPrintCommandId = 1901;
constexpr plat::UINT kPrinterSetupCommandId = 1902;
constexpr plat::UINT kCopyCommandId = 1903;
constexpr unsigned kAboutDialogId = 3011;
constexpr int kMaxTrackWidth = 640;
constexpr int kMaxTrackHeight = 480;

// Test support: the input state back to its start.
void ResetMainWindowState();
