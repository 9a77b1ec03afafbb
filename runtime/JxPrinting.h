#pragma once
// Printing a page, the printer set-up and copying a page to the clipboard,
// as the main window's commands 1901 to 1903 ask for them.
//
// Stand-ins: printing and the clipboard copy render the page off-screen,
// which comes with the pages' drawing; until then nothing is printed or
// copied and each call answers 0.

#include <cstdint>

class JxCPageObject;

std::int16_t PrintPage(JxCPageObject* page, const char* text);
std::int16_t PrinterSetupDialog();
std::int16_t CopyPageToClipboard(JxCPageObject* page);
