#pragma once
// The clipboard, kept in the process: a packed DIB, a palette and text.
// A window opens it, empties it (which takes its ownership) and puts data
// on it, then closes it; whoever wants the data opens it in turn. The
// clipboard owns what is put on it and frees it when it is emptied. What
// was put on it is handed to the desktop's clipboard as it is closed: the
// text, else the picture as PNG.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/types.h"

namespace plat {

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;
constexpr UINT CF_DIB = 8;
constexpr UINT CF_PALETTE = 9;

// FALSE while another window has it open.
BOOL OpenClipboard(HWND owner);
// FALSE when the caller does not have it open.
BOOL CloseClipboard();
// Frees what the clipboard holds; FALSE unless it is open.
BOOL EmptyClipboard();

// Each puts its data on the open clipboard (FALSE, and nothing is taken,
// when it is not open). The palette becomes the clipboard's.
BOOL SetClipboardDib(std::vector<std::uint8_t> dib);
BOOL SetClipboardPalette(HPALETTE palette);
BOOL SetClipboardText(std::string text);

BOOL IsClipboardFormatAvailable(UINT format);
// What the clipboard holds (whether open or not); none or null when the
// format is not there. The palette stays the clipboard's.
std::optional<std::vector<std::uint8_t>> GetClipboardDib();
HPALETTE GetClipboardPalette();
std::optional<std::string> GetClipboardText();

// Test support: an empty, closed clipboard.
void ResetClipboard();

}  // namespace plat
