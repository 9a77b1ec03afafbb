#pragma once
// Small helpers over the platform for the rest of the program: quitting,
// short waits, message pumping for nested loops, screen device contexts,
// twips, palette-matched colours and the double-byte character test.

#include <cstdint>

#include "foundation/JxCRGB.h"
#include "platform/core/types.h"

// Asks the main window to close, then ends the process with code 0 even
// when the window refused; the application's exit operation does not run.
[[noreturn]] void QuitApplication();

// The client rectangle of the product's first page window, in screen
// coordinates (empty when there is none).
plat::RECT GetMainWindowScreenRect();

// Waits until the millisecond clock has advanced by ms. No message is
// handled meanwhile; the thread sleeps (a virtual clock is moved on).
void WaitMilliseconds(std::uint32_t ms);

// Removes one waiting message and, unless it is a close request (WM_CLOSE,
// WM_DESTROY, a click on the system-menu box, SC_CLOSE), translates and
// dispatches it. True when a message was waiting.
bool PumpOneMessage();
// Dispatches only the waiting wave-output completions (957).
void PumpPrivateMessages();

// A device context of the whole screen, and its release.
plat::HDC GetScreenDC();
void ReleaseScreenDC(plat::HDC dc);

std::uint32_t GetTickTime();

// Pixels for a value in twips on the device (the screen when none): 1440
// twips are the device's vertical dots per inch, except that the usual
// screen resolutions 96 and 120 count as 72.
int TwipsToPixels(int twips, plat::HDC dc);
// The same for a device of dpi dots per inch.
int TwipsToPixelsAt(int twips, int dpi);

// The entry of the product palette nearest to colour, when a device context
// is given and the product exists (the one palette every page is drawn in,
// whatever the depth of the screen); otherwise the colour itself.
JxCRGB GetNearestPaletteRGB(plat::HDC dc, const JxCRGB& colour);
// Fills and frames the rectangle in the nearest palette colour.
void FillRectangle(plat::HDC dc, const plat::RECT& rect, const JxCRGB& colour);

// True when text starts with the lead byte of a double-byte character.
bool IsDoubleByteChar(const char* text);

// An empty callback.
void NoOp();
