#pragma once
// The creation of the main window.

#include <cstdint>

#include "platform/core/types.h"

// The main window: class "JxTovel" with a caption, a system menu and a
// minimise box, no sizing frame; 0 (after message 1019) when no window was
// made. The colour-depth check, its warning dialog and the palette's
// preparation come with the palette of the product start.
plat::HWND CreateMainWindow(const char* title, std::int32_t width, std::int32_t height);

constexpr unsigned kNoMainWindowId = 1019;
