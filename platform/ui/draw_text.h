#pragma once
// Formatted text in a rectangle (lines, word wrap, alignment, "&" mnemonics)
// and the focus rectangle: the text drawing the controls and boxes share.

#include <string>
#include <vector>

#include "platform/core/types.h"

namespace plat {

constexpr UINT DT_TOP = 0x0000;
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004;
constexpr UINT DT_BOTTOM = 0x0008;
constexpr UINT DT_WORDBREAK = 0x0010;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_EXPANDTABS = 0x0040;
constexpr UINT DT_NOCLIP = 0x0100;
constexpr UINT DT_CALCRECT = 0x0400;
constexpr UINT DT_NOPREFIX = 0x0800;

// Draws the text (count -1: up to its NUL) in the DC's font and colours and
// answers the height of the text. With DT_CALCRECT nothing is drawn: the
// rectangle's right and bottom are set to the extent of the text (its width
// is kept as the wrapping width with DT_WORDBREAK).
int DrawTextA(HDC hdc, const char* text, int count, RECT* rect, UINT format);
inline int DrawText(HDC hdc, const char* text, int count, RECT* rect, UINT format)
{
    return DrawTextA(hdc, text, count, rect, format);
}

// The dotted focus frame, drawn by inverting every other pixel, so that
// drawing it twice takes it away.
BOOL DrawFocusRect(HDC hdc, const RECT* rect);

namespace ui {

// One line of laid-out text: its bytes (mnemonic marks removed) and the
// index in them of the underlined character, or -1.
struct TextLine {
    std::string text;
    int underline = -1;
};
// Splits at line breaks and, when maxWidth > 0, between words so that each
// line fits; a word wider than the width stands alone on its line.
std::vector<TextLine> LayoutText(HDC hdc, const std::string& text, int maxWidth, bool prefixes,
                                 bool expandTabs);
int TextWidth(HDC hdc, const std::string& text);

}  // namespace ui

}  // namespace plat
