#pragma once
// The progress window shown while files are copied: a strip along the
// bottom of its owner with a red bar, the percentage and a text.

#include "platform/core/types.h"

inline constexpr const char* kStatusClassName = "StatusperimeneClass";

// Messages of the progress window.
constexpr plat::UINT kStatusSetOwner = 1124;    // wParam owner, lParam range
constexpr plat::UINT kStatusSetText = 1125;     // lParam the text (ANSI), under 260 characters
constexpr plat::UINT kStatusSetPosition = 1126; // wParam the position
constexpr plat::UINT kStatusCancelled = 1127;   // sent to the owner by Cancel
constexpr plat::UINT kStatusPump = 1128;        // dispatches one waiting message

plat::LRESULT StatusWndProc(plat::HWND window, plat::UINT msg, plat::WPARAM wParam, plat::LPARAM lParam);

// Creates the window owned by `owner` with the range (0 counts as 1) at
// position 0, shown and active; null (after an error box) when it cannot be
// made.
plat::HWND CreateStatusWindow(plat::HWND owner, int range);
