#pragma once
// Printing a page, the printer set-up and copying a page to the clipboard,
// as the main window's commands 1901 to 1903 ask for them, and the printing
// of a bitmap that the title's print action uses.
//
// A page is rendered off-screen into one bitmap (its print panels, or the
// whole page), texts are stamped under it, and it goes to the printer as a
// packed DIB in one page, scaled into the printable area, while a modeless
// progress box ("PrintDLG") can cancel the job.

#include <cstdint>

#include "foundation/JxObjectRef.h"
#include "graphics/JxDibUtils.h"
#include "platform/core/types.h"
#include "platform/ui/common_dialogs.h"

class JxCPageObject;

// Failure bits of a print job.
constexpr std::uint32_t kPrintNoPrinter = 2;
constexpr std::uint32_t kPrintSetDIBitsFailed = 16;
constexpr std::uint32_t kPrintStretchFailed = 32;
constexpr std::uint32_t kPrintStartDocFailed = 64;
constexpr std::uint32_t kPrintAbortProcFailed = 128;
constexpr std::uint32_t kPrintStartPageFailed = 256;
constexpr std::uint32_t kPrintEndPageFailed = 512;
constexpr std::uint32_t kPrintEndDocFailed = 1024;

// Placement of the printed picture: the whole printable area, or scaled to
// the width of a 640-pixel page and centred.
constexpr std::int16_t kPrintFullPage = 1;
constexpr std::int16_t kPrintPageWidth = 5;

constexpr unsigned kNoPrinterId = 1016;
constexpr unsigned kPrintedToFileId = 1017;
constexpr unsigned kPrintProgressTextId = 1062;
constexpr unsigned kPrinterSetupFailedId = 1092;
constexpr plat::UINT kPrintProgressMessage = 2024;
constexpr int kPrintProgressItem = 1100;
constexpr const char* kPrintDialogName = "PrintDLG";

// 1 when the page was printed.
std::int16_t PrintPage(JxCPageObject* page, const char* text);
// 1 when the user confirmed a printer.
std::int16_t PrinterSetupDialog();
// 1 when the page is on the clipboard.
std::int16_t CopyPageToClipboard(JxCPageObject* page);

// Prints a bitmap (which stays the caller's): with the stamp flag the two
// texts (the given one and the second print text, or strings 6000 and 6002
// when it is empty) are stamped under a copy of it; the full-page flag
// chooses the placement. 1 when the job printed.
std::int16_t PrintPageBitmap(const JxObjectRef& bitmap, std::int16_t stampOption, const char* text,
                             std::int16_t stampFlag, std::int16_t fullPage);
// The process-wide second text stamped under a printed page with a text.
void SetSecondPrintText(const char* text);

// The page's picture (owned by the caller); empty when the page has
// nothing to show or the slate cannot be made.
JxObjectRef RenderPageForOutput(JxCPageObject* page);
// An 8-bit packed DIB of the bitmap under the product palette; empty (error
// 1002 reported) when it cannot be made.
JxDibBlock ConvertBitmapToPackedDib(const JxObjectRef& bitmap);
// Prints the DIB in one page; the banding flag is not needed by any caller
// and the image always goes in one band. The failure bits (0: printed).
std::uint32_t PrintDib(const JxDibBlock& dib, const plat::RECT& rect, std::int16_t mode, std::int16_t banding,
                       const char* documentName);
// The placement of a width by height picture on a printer for the given
// rectangle and mode.
plat::RECT PrintPlacement(plat::HDC printer, const plat::RECT& rect, std::int16_t mode, std::int32_t width,
                          std::int32_t height);
// The printer's device context (the printer chosen in the set-up, else the
// default one), or null.
plat::HDC GetPrinterDC();
// The print settings kept between prints, the product's.
plat::PRINTDLGA& GetPrintSettings();
// Back to no printer chosen: the product's start and end.
void ClearPrintSettings();
// Whether the progress box of the last job cancelled it.
bool IsPrintCancelled();
// While a print or a copy runs (its printer job pumps messages), a second
// one is refused: it returns 0 and shows nothing.
bool IsPrintOrCopyRunning();
