#pragma once
// The creation of the main window, with the check of the display's colour
// depth and the preparation of the product's palette for it.

#include <cstdint>

#include "platform/core/types.h"

// The main window: class "JxTovel" with a caption, a system menu and a
// minimise box, no sizing frame; 0 (after message 1019) when no window was
// made. A display of 16 colours or fewer is reported (1166); on a
// 256-colour display a warning (dialog 5555) is shown until its "Don't tell
// me this again." box is ticked, which the INI file keeps as [video]
// "nocolourwarning". The product palette is then realised in the window.
plat::HWND CreateMainWindow(const char* title, std::int32_t width, std::int32_t height);

constexpr unsigned kNoMainWindowId = 1019;
constexpr unsigned kFewColoursId = 1166;
constexpr unsigned kDontTellAgainCheckTextId = 1167;
constexpr unsigned kColourWarningId = 1168;
