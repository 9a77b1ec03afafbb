#pragma once
// What the installer's dialogs share: placing a dialog over a window, the
// control colours, the pictures drawn at placeholder controls, and showing
// or hiding a control.

#include <string_view>

#include "platform/core/types.h"
#include "platform/draw/surface.h"

// A bitmap resource as the platform keeps it: a packed DIB (header, colour
// table, pixels), 8 or 32 bits a pixel, uncompressed.
struct PackedDib {
    const plat::BITMAPINFO* info = nullptr;
    const void* bits = nullptr;
    int width = 0;
    int height = 0;
};
// Checks that the bytes hold all that drawing the DIB reads (the platform
// takes a full table of 256 colours for 8 bits) and points into them;
// false for anything else.
bool ReadPackedDib(std::string_view bytes, PackedDib* out);

// Centres the window over another; its top is never above the screen.
void CentreOverWindow(plat::HWND window, plat::HWND over);
// A rectangle in screen coordinates to the client coordinates of a window
// (both corners).
void ScreenRectToClient(plat::HWND window, plat::RECT* rect);
// Puts the brush origin at the screen position of the window's client
// origin, so that a dialog and its controls share one brush pattern.
void SetBrushOrigin(plat::HDC hdc, plat::HWND window);
// The answer to a WM_CTLCOLOR* message of a dialog: the text background
// colour and the brush, aligned with the dialog; none for a disabled "Edit"
// or "getdate95" control, which keeps the system's colours.
plat::HBRUSH CtlColorBrush(plat::HDC hdc, plat::HWND control, plat::HWND dialog, plat::HBRUSH brush,
                           plat::COLORREF colour);

// Draws the bitmap resource `name` with its top-left corner at the top-left
// corner of the control `controlId`, at its own size or stretched to fill
// the control. Nothing when the bitmap or the control is missing.
void DrawBitmapAtControl(plat::HWND dialog, plat::HDC hdc, const char* name, int controlId, bool stretch);
// The size of a bitmap resource; false when there is none.
bool BitmapResourceSize(const char* name, plat::SIZE* size);
// Draws a bitmap resource at its own size at a point.
void DrawBitmapResource(plat::HDC hdc, const char* name, int x, int y);

// Shows (without activating) or hides a control of a dialog; a control
// that is to be shown and is already visible is left alone. 1 for shown,
// 0 for hidden.
int ShowDlgItem(plat::HWND dialog, int controlId, bool show);

// A solid brush that deletes itself.
class OwnedBrush {
public:
    OwnedBrush() = default;
    explicit OwnedBrush(plat::COLORREF colour);
    ~OwnedBrush();
    OwnedBrush(const OwnedBrush&) = delete;
    OwnedBrush& operator=(const OwnedBrush&) = delete;
    OwnedBrush(OwnedBrush&& other) noexcept;
    OwnedBrush& operator=(OwnedBrush&& other) noexcept;
    plat::HBRUSH get() const { return brush_; }

private:
    plat::HBRUSH brush_ = nullptr;
};
