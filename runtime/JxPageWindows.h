#pragma once
// Pages found by their windows, and windows placed over pages.

#include "platform/core/types.h"

class JxCPageObject;

// The page that shows in the window: the last opened of the open pages whose
// window it is (a base page opened over another in the main window stands
// in front of it), or null (also for a null window or without a product).
JxCPageObject* FindPageByWindow(plat::HWND window);

// Moves the window, without repainting and without changing its size, so
// that it is centred on the window of the product's first page. Nothing
// without a first page window.
void CentreOverFirstPage(plat::HWND window);

// A callback for the enumeration of a page window's child windows: closes
// every open page whose window is the given one and goes on (1).
plat::BOOL ClosePagesOfWindow(plat::HWND window, plat::LPARAM unused);
