#pragma once
// What the controls share: their per-window state, their colours from the
// parent, their font, and the classic 3D edges. Internal to the ui module.

#include <memory>
#include <string>
#include <vector>

#include "platform/draw/draw.h"
#include "platform/ui/controls.h"
#include "platform/ui/syscolor.h"

namespace plat::ui {

// Every control keeps an object of its own in window word 0.
template <class State>
State* StateOfControl(HWND hwnd)
{
    return reinterpret_cast<State*>(GetWindowLongPtrA(hwnd, 0));
}

template <class State>
State* AttachState(HWND hwnd)
{
    auto* s = new State();
    SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(s));
    return s;
}

template <class State>
void DetachState(HWND hwnd)
{
    delete StateOfControl<State>(hwnd);
    SetWindowLongPtrA(hwnd, 0, 0);
}

DWORD StyleOf(HWND hwnd);
// The children of a window in the order they were made (which is the tab
// order of a dialog's controls): the bottom of the z-order first.
std::vector<HWND> ChildrenInOrder(HWND parent);
int ControlId(HWND hwnd);
// WM_COMMAND to the parent with the control's id and the code.
void Notify(HWND control, WORD code);

// Asks the parent for the colours (WM_CTLCOLOR*); the DC gets the text and
// background colours, and the brush comes back (a system brush when the
// parent gives none).
HBRUSH ControlColours(HWND control, HDC dc, UINT ctlColorMsg);

// Selects the control's font (WM_SETFONT's, else the default) for a scope.
class FontScope {
public:
    FontScope(HDC dc, HFONT font);
    ~FontScope();
    FontScope(const FontScope&) = delete;
    FontScope& operator=(const FontScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

void FillSolid(HDC dc, const RECT& r, COLORREF c);
// One ring: top and left in one colour, bottom and right in the other.
void Edge(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight);
// The raised button edge, the pressed one, and the sunken field edge.
void RaisedEdge(HDC dc, const RECT& r);
void PressedEdge(HDC dc, const RECT& r);
void SunkenEdge(HDC dc, const RECT& r);
RECT Inset(const RECT& r, int by);
RECT ClientRectOf(HWND hwnd);

// WM_PAINT of a control: it draws all of itself (so it never erases its
// background) between BeginPaint and EndPaint; paint gets the DC.
template <class Paint>
LRESULT PaintControl(HWND hwnd, Paint paint)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (dc)
        paint(dc);
    EndPaint(hwnd, &ps);
    return 0;
}

// WM_SETFONT of a control: keeps the font and repaints when asked to.
void SetControlFont(HWND hwnd, HFONT& font, WPARAM wParam, LPARAM lParam);

// The messages every control here answers alike: its background is never
// erased, WM_PAINT runs `paint`, and it keeps its font. True, with `result`
// set, when `message` is one of them.
template <class Paint>
bool HandleControlPaintMessages(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, HFONT& font, Paint paint,
                                LRESULT& result)
{
    switch (message) {
    case WM_ERASEBKGND: result = 1; return true;
    case WM_PAINT: result = PaintControl(hwnd, paint); return true;
    case WM_SETFONT:
        SetControlFont(hwnd, font, wParam, lParam);
        result = 0;
        return true;
    case WM_GETFONT: result = LRESULT(font); return true;
    default: return false;
    }
}

// An owner-drawn control asks its parent to draw all of it (WM_DRAWITEM).
void SendOwnerDraw(HWND hwnd, HDC dc, const RECT& rect, UINT controlType, UINT itemState);

// Control classes, each registered by RegisterControlClasses.
LRESULT ButtonProc(HWND, UINT, WPARAM, LPARAM);
LRESULT StaticProc(HWND, UINT, WPARAM, LPARAM);
LRESULT EditProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ListBoxProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ComboBoxProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ScrollBarProc(HWND, UINT, WPARAM, LPARAM);

// Private messages between a combo box and its list: the list learns its
// combo box, and tells it that the user picked an item.
constexpr UINT kLbSetComboOwner = 0x01B0;
constexpr WORD kComboListChosen = 0x7F01;

// The process's text clipboard as the edit controls use it.
void SetClipboardText(const std::string& text);
std::string ClipboardText();

}  // namespace plat::ui
