#pragma once
// Pages found by their windows, and windows placed over pages.

#include "platform/core/types.h"

class JxCPageObject;

// The first open page whose window is the given one, or null (also for a
// null window or without a product).
JxCPageObject* FindPageByWindow(plat::HWND window);

// Moves the window, without repainting and without changing its size, so
// that it is centred on the window of the product's first page. Nothing
// without a first page window.
void CentreOverFirstPage(plat::HWND window);

// A callback for the enumeration of a page window's child windows: closes
// every open page whose window is the given one and goes on (1).
plat::BOOL ClosePagesOfWindow(plat::HWND window, plat::LPARAM unused);
