#pragma once
// The input state of the main window procedure, shared by its parts (the
// message table, the mouse filters, the caption of page windows and the
// window object's activation handling). One per process; every word starts
// at 0.

#include <cstdint>

#include "platform/core/types.h"

class JxCBaseProduct;
class JxCPageObject;

struct JxMainWindowInput {
    // Non-zero while this program is the active application.
    std::int16_t appActive = 0;
    // Set when the application becomes active again: the click that
    // reactivated it is dropped, down and up.
    std::int16_t swallow = 0;
    // A double-click was seen in the client area or the caption (or the
    // window was maximised or restored): the next left button-up is dropped.
    bool doubleClickSeen = false;
    // A double-click was delivered to a page: the button-up after it is not.
    bool doubleClickDelivered = false;
    // The last left button-up reached a page.
    bool buttonUpDelivered = false;
    plat::HWND lastMoveWindow = nullptr;
    // The display mode read when the first window of the class was made.
    bool displayKnown = false;
    std::int32_t displayBits = 0;
    std::int32_t displayWidth = 0;
    std::int32_t displayHeight = 0;
    bool lowMemoryReported = false;
    plat::DWORD lowMemoryReportTime = 0;
    // Set by Alt+F4; system keys are swallowed while it is set.
    std::int16_t closeKey = 0;
    // Of the last WM_ACTIVATE: 0 inactive, 1 active, 2 activated by a click.
    std::int32_t activationState = 0;
};

JxMainWindowInput& MainWindowInput();

// Whether the window is the product's main window.
bool IsProductWindow(plat::HWND window);

// The parts of the window procedure.
plat::LRESULT OnLeftButtonDown(plat::HWND window, plat::LPARAM lParam);
plat::LRESULT OnLeftButtonUp(plat::HWND window, plat::LPARAM lParam);
plat::LRESULT OnLeftDoubleClick(plat::HWND window, plat::LPARAM lParam);
plat::LRESULT OnMouseMove(plat::HWND window, plat::LPARAM lParam);
plat::LRESULT OnCaptionButtonDown(plat::HWND window, plat::WPARAM hit, plat::LPARAM lParam);
plat::LRESULT OnCaptionButtonUp(plat::HWND window, plat::WPARAM hit, plat::LPARAM lParam);
// Releases the mouse capture of the page that holds it, if one does.
void ReleasePageCapture(JxCBaseProduct* product);
// Runs the about box over the window.
void ShowAboutBox(plat::HWND window);
