#include "platform/ui/control_kit.h"

#include <cstring>

#include "platform/window/cursor.h"

namespace plat {

namespace ui {

DWORD StyleOf(HWND hwnd)
{
    return DWORD(GetWindowLongA(hwnd, GWL_STYLE));
}

std::vector<HWND> ChildrenInOrder(HWND parent)
{
    std::vector<HWND> out;
    HWND first = GetWindow(parent, GW_CHILD);
    for (HWND c = first ? GetWindow(first, GW_HWNDLAST) : nullptr; c; c = GetWindow(c, GW_HWNDPREV))
        out.push_back(c);
    return out;
}

int ControlId(HWND hwnd)
{
    return int(WORD(GetWindowLongA(hwnd, GWL_ID)));
}

void Notify(HWND control, WORD code)
{
    HWND parent = GetParent(control);
    if (parent)
        SendMessageA(parent, WM_COMMAND, WPARAM(MAKELPARAM(WORD(ControlId(control)), code)), LPARAM(control));
}

HBRUSH ControlColours(HWND control, HDC dc, UINT msg)
{
    const bool field = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(field ? COLOR_WINDOW : COLOR_BTNFACE));
    HWND parent = GetParent(control);
    HBRUSH b = parent ? HBRUSH(SendMessageA(parent, msg, WPARAM(dc), LPARAM(control))) : nullptr;
    if (!b || !IsLiveGdiObject(b, GdiKind::Brush)) {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(field ? COLOR_WINDOW : COLOR_BTNFACE));
        b = GetSysColorBrush(field ? COLOR_WINDOW : COLOR_BTNFACE);
    }
    return b;
}

FontScope::FontScope(HDC dc, HFONT font) : dc_(dc)
{
    old_ = SelectObject(dc, font ? font : DefaultGuiFont());
}

FontScope::~FontScope()
{
    SelectObject(dc_, old_);
}

void FillSolid(HDC dc, const RECT& r, COLORREF c)
{
    if (IsRectEmpty(r))
        return;
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc, &r, b);
    DeleteObject(b);
}

void Edge(HDC dc, const RECT& r, COLORREF tl, COLORREF br)
{
    FillSolid(dc, {r.left, r.top, r.right - 1, r.top + 1}, tl);
    FillSolid(dc, {r.left, r.top, r.left + 1, r.bottom - 1}, tl);
    FillSolid(dc, {r.left, r.bottom - 1, r.right, r.bottom}, br);
    FillSolid(dc, {r.right - 1, r.top, r.right, r.bottom}, br);
}

RECT Inset(const RECT& r, int by)
{
    return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}

void RaisedEdge(HDC dc, const RECT& r)
{
    Edge(dc, r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW));
    Edge(dc, Inset(r, 1), GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNSHADOW));
}

void PressedEdge(HDC dc, const RECT& r)
{
    Edge(dc, r, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DDKSHADOW));
    Edge(dc, Inset(r, 1), GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
}

void SunkenEdge(HDC dc, const RECT& r)
{
    Edge(dc, r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    Edge(dc, Inset(r, 1), GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
}

RECT ClientRectOf(HWND hwnd)
{
    RECT r{};
    GetClientRect(hwnd, &r);
    return r;
}

void SendOwnerDraw(HWND hwnd, HDC dc, const RECT& rect, UINT controlType, UINT itemState)
{
    DRAWITEMSTRUCT di{};
    di.CtlType = controlType;
    di.CtlID = UINT(ControlId(hwnd));
    di.itemAction = ODA_DRAWENTIRE;
    di.itemState = itemState;
    di.hwndItem = hwnd;
    di.hDC = dc;
    di.rcItem = rect;
    SendMessageA(GetParent(hwnd), WM_DRAWITEM, WPARAM(di.CtlID), LPARAM(&di));
}

void SetControlFont(HWND hwnd, HFONT& font, WPARAM wParam, LPARAM lParam)
{
    font = HFONT(wParam);
    if (lParam)
        InvalidateRect(hwnd, nullptr, 1);
}

namespace {

std::string& clipboard()
{
    static std::string text;
    return text;
}

void registerOne(const char* name, WNDPROC proc, UINT style, const char* cursor)
{
    WNDCLASSA probe;
    if (GetClassInfoA(nullptr, name, &probe))
        return;
    WNDCLASSA wc;
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = 4;
    wc.hCursor = LoadCursorA(nullptr, cursor);
    wc.lpszClassName = name;
    RegisterClassA(wc);
}

}  // namespace

void SetClipboardText(const std::string& text)
{
    clipboard() = text;
}

std::string ClipboardText()
{
    return clipboard();
}

}  // namespace ui

void RegisterControlClasses()
{
    ui::registerOne("Button", &ui::ButtonProc, CS_DBLCLKS, IDC_ARROW);
    ui::registerOne("Static", &ui::StaticProc, 0, IDC_ARROW);
    ui::registerOne("Edit", &ui::EditProc, CS_DBLCLKS, IDC_IBEAM);
    ui::registerOne("ListBox", &ui::ListBoxProc, CS_DBLCLKS, IDC_ARROW);
    ui::registerOne("ComboBox", &ui::ComboBoxProc, CS_DBLCLKS, IDC_ARROW);
    ui::registerOne("ComboLBox", &ui::ListBoxProc, CS_DBLCLKS | CS_SAVEBITS, IDC_ARROW);
    ui::registerOne("ScrollBar", &ui::ScrollBarProc, CS_DBLCLKS, IDC_ARROW);
}

HFONT DefaultGuiFont()
{
    static HFONT font = [] {
        LOGFONT lf;
        lf.lfHeight = -11;  // 8 points at 96 pixels per inch
        std::strcpy(lf.lfFaceName, "Arial");
        HFONT f = CreateFontIndirect(&lf);
        MakeStockObject(f);
        return f;
    }();
    return font;
}

}  // namespace plat
