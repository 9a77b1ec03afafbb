// The "ComboBox" class: a selection field (an edit field for CBS_DROPDOWN and
// CBS_SIMPLE) with a list that drops down below it. The items live in the
// list ("ComboLBox"); the CB_ item messages are the list's LB_ messages.
// Owner-drawn combo boxes draw their items, and the selection field, through
// WM_DRAWITEM to their parent.

#include <algorithm>
#include <cstring>

#include "platform/ui/control_kit.h"
#include "platform/ui/draw_text.h"
#include "platform/ui/scroll_paint.h"

namespace plat::ui {

namespace {

constexpr int kListId = 1000;
constexpr int kEditId = 1001;
constexpr int kButtonWidth = 16;
constexpr int kVisibleItems = 8;

struct ComboState {
    HWND list = nullptr;
    HWND edit = nullptr;
    bool dropped = false;
    bool focused = false;
    int selAtDrop = -1;
    bool dropClickPending = false;  // the button that dropped the list is still down
    HFONT font = nullptr;
    int fieldHeight = 0;
};

DWORD kind(HWND h)
{
    return StyleOf(h) & 0x3;
}

LRESULT toList(ComboState& s, UINT m, WPARAM w, LPARAM l)
{
    return s.list ? SendMessageA(s.list, m, w, l) : CB_ERR;
}

int current(ComboState& s)
{
    return int(toList(s, LB_GETCURSEL, 0, 0));
}

void showSelectionInEdit(ComboState& s)
{
    if (!s.edit)
        return;
    int i = current(s);
    std::string text;
    if (i >= 0) {
        text.resize(size_t(std::max<LRESULT>(0, toList(s, LB_GETTEXTLEN, WPARAM(i), 0))) + 1);
        toList(s, LB_GETTEXT, WPARAM(i), LPARAM(text.data()));
        text.resize(std::strlen(text.c_str()));
    }
    SendMessageA(s.edit, WM_SETTEXT, 0, LPARAM(text.c_str()));
}

RECT fieldRect(HWND h, ComboState& s)
{
    RECT c = ClientRectOf(h);
    if (s.fieldHeight > 0)
        c.bottom = std::min<LONG>(c.bottom, s.fieldHeight);
    return c;
}

void closeUp(HWND h, ComboState& s, bool accept)
{
    if (!s.dropped)
        return;
    s.dropped = false;
    if (GetCapture() == s.list)
        ReleaseCapture();
    ShowWindow(s.list, SW_HIDE);
    if (!accept && current(s) != s.selAtDrop) {
        toList(s, LB_SETCURSEL, WPARAM(s.selAtDrop), 0);
    }
    showSelectionInEdit(s);
    InvalidateRect(h, nullptr, 0);
    Notify(h, accept ? CBN_SELENDOK : CBN_SELENDCANCEL);
    Notify(h, CBN_CLOSEUP);
    if (accept && current(s) != s.selAtDrop)
        Notify(h, CBN_SELCHANGE);
}

void dropDown(HWND h, ComboState& s)
{
    if (s.dropped || kind(h) == CBS_SIMPLE)
        return;
    Notify(h, CBN_DROPDOWN);
    RECT field = fieldRect(h, s);
    POINT origin{0, field.bottom};
    ClientToScreen(h, &origin);
    int ih = std::max<int>(1, int(toList(s, LB_GETITEMHEIGHT, 0, 0)));
    int count = std::clamp(int(toList(s, LB_GETCOUNT, 0, 0)), 1, kVisibleItems);
    RECT c = ClientRectOf(h);
    int height = count * ih + 2;
    SetWindowPos(s.list, HWND_TOP, int(origin.x), int(origin.y), int(c.right), height, SWP_NOACTIVATE);
    s.selAtDrop = current(s);
    s.dropped = true;
    ShowWindow(s.list, SW_SHOWNA);
    SetCapture(s.list);
    InvalidateRect(h, nullptr, 0);
}

void paint(HWND h, HDC dc, ComboState& s)
{
    RECT c = fieldRect(h, s);
    FontScope font(dc, s.font);
    FillRect(dc, &c, GetSysColorBrush(COLOR_BTNFACE));
    SunkenEdge(dc, c);
    RECT inner = Inset(c, 2);
    RECT button{inner.right - kButtonWidth, inner.top, inner.right, inner.bottom};
    if (kind(h) != CBS_SIMPLE) {
        FillSolid(dc, button, GetSysColor(COLOR_BTNFACE));
        if (s.dropped)
            Edge(dc, button, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
        else
            RaisedEdge(dc, button);
        int cx = int(button.left + button.right) / 2, cy = int(button.top + button.bottom) / 2;
        for (int i = 0; i < 4; ++i)
            FillSolid(dc, {cx - 3 + i, cy - 1 + i, cx + 4 - i, cy + i}, GetSysColor(COLOR_BTNTEXT));
    }
    if (s.edit)
        return;
    RECT sel{inner.left, inner.top, button.left, inner.bottom};
    HBRUSH back = ControlColours(h, dc, WM_CTLCOLOREDIT);
    FillRect(dc, &sel, back);
    int i = current(s);
    DWORD st = StyleOf(h);
    if (st & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) {
        DRAWITEMSTRUCT di;
        di.CtlType = ODT_COMBOBOX;
        di.CtlID = UINT(ControlId(h));
        di.itemID = UINT(i);
        di.itemAction = ODA_DRAWENTIRE;
        di.itemState = ODS_COMBOBOXEDIT | (s.focused && !s.dropped ? ODS_SELECTED | ODS_FOCUS : 0) |
                       (IsWindowEnabled(h) ? 0 : ODS_DISABLED);
        di.hwndItem = h;
        di.hDC = dc;
        di.rcItem = sel;
        di.itemData = i >= 0 ? std::uintptr_t(toList(s, LB_GETITEMDATA, WPARAM(i), 0)) : 0;
        SendMessageA(GetParent(h), WM_DRAWITEM, WPARAM(di.CtlID), LPARAM(&di));
        return;
    }
    if (i < 0)
        return;
    std::string text(size_t(std::max<LRESULT>(0, toList(s, LB_GETTEXTLEN, WPARAM(i), 0))) + 1, '\0');
    toList(s, LB_GETTEXT, WPARAM(i), LPARAM(text.data()));
    text.resize(std::strlen(text.c_str()));
    SetBkMode(dc, TRANSPARENT);
    if (s.focused && !s.dropped) {
        FillRect(dc, &sel, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    RECT tr{sel.left + 2, sel.top, sel.right, sel.bottom};
    DrawTextA(dc, text.c_str(), -1, &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (s.focused && !s.dropped)
        DrawFocusRect(dc, &sel);
}

void create(HWND h, ComboState& s)
{
    RECT c = ClientRectOf(h);
    HINSTANCE inst = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(h, GWL_HINSTANCE));
    DWORD st = StyleOf(h);
    TEXTMETRIC tm{};
    HDC dc = GetDC(h);
    HGDIOBJ old = SelectObject(dc, DefaultGuiFont());
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(h, dc);
    s.fieldHeight = int(tm.tmHeight) + 8;
    DWORD listStyle = WS_BORDER | WS_VSCROLL | LBS_NOTIFY;
    if (kind(h) == CBS_SIMPLE) {
        s.list = CreateWindowExA(0, "ComboLBox", "", WS_CHILD | WS_VISIBLE | listStyle, 0, s.fieldHeight,
                                 int(c.right), std::max(0, int(c.bottom) - s.fieldHeight), h,
                                 reinterpret_cast<HMENU>(std::uintptr_t(kListId)), inst, nullptr);
    } else {
        s.list = CreateWindowExA(WS_EX_TOPMOST, "ComboLBox", "", WS_POPUP | listStyle, 0, 0, int(c.right), 10, h,
                                 nullptr, inst, nullptr);
    }
    SendMessageA(s.list, kLbSetComboOwner, WPARAM(h), 0);
    if (kind(h) != CBS_DROPDOWNLIST) {
        int w = int(c.right) - 4 - (kind(h) == CBS_SIMPLE ? 0 : kButtonWidth);
        s.edit = CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | (st & CBS_AUTOHSCROLL ? 0 : 0),
                                 2, 2, std::max(0, w), s.fieldHeight - 4, h,
                                 reinterpret_cast<HMENU>(std::uintptr_t(kEditId)), inst, nullptr);
    }
}

}  // namespace

LRESULT ComboBoxProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    ComboState* s = StateOfControl<ComboState>(h);
    if (!s && m != WM_NCCREATE)
        return DefWindowProcA(h, m, w, l);
    switch (m) {
    case WM_NCCREATE:
        AttachState<ComboState>(h);
        return DefWindowProcA(h, m, w, l);
    case WM_CREATE:
        create(h, *s);
        return 0;
    case WM_DESTROY:
        if (s->list && IsWindow(s->list) && !(GetWindowLongA(s->list, GWL_STYLE) & WS_CHILD))
            DestroyWindow(s->list);
        s->list = nullptr;
        return 0;
    case WM_NCDESTROY:
        DetachState<ComboState>(h);
        return DefWindowProcA(h, m, w, l);
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS | (s->dropped ? DLGC_WANTALLKEYS : 0);
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintControl(h, [&](HDC dc) { paint(h, dc, *s); });
    case WM_SETFONT:
        toList(*s, WM_SETFONT, w, 0);
        if (s->edit)
            SendMessageA(s->edit, WM_SETFONT, w, 0);
        SetControlFont(h, s->font, w, l);
        return 0;
    case WM_GETFONT:
        return LRESULT(s->font);
    case WM_SETFOCUS:
        s->focused = true;
        if (s->edit) {
            SetFocus(s->edit);
            SendMessageA(s->edit, EM_SETSEL, 0, -1);
        }
        InvalidateRect(h, nullptr, 0);
        Notify(h, CBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        if (HWND(w) == s->edit)
            return 0;
        s->focused = false;
        closeUp(h, *s, false);
        InvalidateRect(h, nullptr, 0);
        Notify(h, CBN_KILLFOCUS);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (GetFocus() != h && GetFocus() != s->edit)
            SetFocus(h);
        if (s->dropped) {
            closeUp(h, *s, false);
        } else {
            dropDown(h, *s);
            s->dropClickPending = true;
        }
        return 0;
    case WM_KEYDOWN: {
        const bool alt = GetKeyState(VK_MENU) < 0;
        if (w == WPARAM(VK_F4) || (alt && (w == WPARAM(VK_DOWN) || w == WPARAM(VK_UP)))) {
            if (s->dropped)
                closeUp(h, *s, true);
            else
                dropDown(h, *s);
            return 0;
        }
        if (s->dropped && w == WPARAM(VK_RETURN)) {
            closeUp(h, *s, true);
            return 0;
        }
        if (s->dropped && w == WPARAM(VK_ESCAPE)) {
            closeUp(h, *s, false);
            return 0;
        }
        // The list tells of a change itself (LBN_SELCHANGE, below).
        toList(*s, WM_KEYDOWN, w, l);
        return 0;
    }
    case WM_CHAR: {
        toList(*s, WM_CHAR, w, l);
        return 0;
    }
    case WM_COMMAND:
        if (HWND(l) == s->list && s->list) {
            WORD code = HIWORD(w);
            if (code == kComboListChosen && s->dropped) {
                POINT p{};
                GetCursorPos(&p);
                RECT lr{};
                GetWindowRect(s->list, &lr);
                bool onList = PtInRect(lr, p) != 0;
                // The release of the click that dropped the list keeps it open.
                if (!(s->dropClickPending && !onList))
                    closeUp(h, *s, onList);
                s->dropClickPending = false;
            } else if (code == LBN_SELCHANGE) {
                showSelectionInEdit(*s);
                InvalidateRect(h, nullptr, 0);
                if (!s->dropped)
                    Notify(h, CBN_SELCHANGE);
            } else if (code == LBN_DBLCLK) {
                Notify(h, CBN_DBLCLK);
            }
        } else if (HWND(l) == s->edit && s->edit && HIWORD(w) == EN_CHANGE) {
            Notify(h, CBN_EDITCHANGE);
        }
        return 0;
    case WM_SETTEXT:
        if (s->edit)
            return SendMessageA(s->edit, WM_SETTEXT, w, l);
        return DefWindowProcA(h, m, w, l);
    case WM_GETTEXT:
        if (s->edit)
            return SendMessageA(s->edit, WM_GETTEXT, w, l);
        if (int i = current(*s); i >= 0 && l && w > 0) {
            std::string t(size_t(std::max<LRESULT>(0, toList(*s, LB_GETTEXTLEN, WPARAM(i), 0))) + 1, '\0');
            toList(*s, LB_GETTEXT, WPARAM(i), LPARAM(t.data()));
            t.resize(std::strlen(t.c_str()));
            size_t n = std::min(t.size(), size_t(w) - 1);
            std::memcpy(reinterpret_cast<char*>(l), t.data(), n);
            reinterpret_cast<char*>(l)[n] = '\0';
            return LRESULT(n);
        }
        if (l && w > 0)
            reinterpret_cast<char*>(l)[0] = '\0';
        return 0;
    case CB_ADDSTRING: return toList(*s, LB_ADDSTRING, w, l);
    case CB_INSERTSTRING: return toList(*s, LB_INSERTSTRING, w, l);
    case CB_DELETESTRING: return toList(*s, LB_DELETESTRING, w, l);
    case CB_RESETCONTENT: {
        LRESULT r = toList(*s, LB_RESETCONTENT, w, l);
        showSelectionInEdit(*s);
        InvalidateRect(h, nullptr, 0);
        return r;
    }
    case CB_DIR: return toList(*s, LB_DIR, w, l);
    case CB_GETCOUNT: return toList(*s, LB_GETCOUNT, w, l);
    case CB_GETCURSEL: return toList(*s, LB_GETCURSEL, w, l);
    case CB_SETCURSEL: {
        LRESULT r = toList(*s, LB_SETCURSEL, w, l);
        showSelectionInEdit(*s);
        InvalidateRect(h, nullptr, 0);
        return r;
    }
    case CB_GETLBTEXT: return toList(*s, LB_GETTEXT, w, l);
    case CB_GETLBTEXTLEN: return toList(*s, LB_GETTEXTLEN, w, l);
    case CB_FINDSTRING: return toList(*s, LB_FINDSTRING, w, l);
    case CB_FINDSTRINGEXACT: return toList(*s, LB_FINDSTRINGEXACT, w, l);
    case CB_SELECTSTRING: {
        LRESULT r = toList(*s, LB_SELECTSTRING, w, l);
        showSelectionInEdit(*s);
        InvalidateRect(h, nullptr, 0);
        return r;
    }
    case CB_GETITEMDATA: return toList(*s, LB_GETITEMDATA, w, l);
    case CB_SETITEMDATA: return toList(*s, LB_SETITEMDATA, w, l);
    case CB_SETITEMHEIGHT:
        if (std::intptr_t(w) == -1) {
            s->fieldHeight = int(l) + 6;
            InvalidateRect(h, nullptr, 1);
            return 0;
        }
        return toList(*s, LB_SETITEMHEIGHT, w, l);
    case CB_GETITEMHEIGHT:
        if (std::intptr_t(w) == -1)
            return s->fieldHeight - 6;
        return toList(*s, LB_GETITEMHEIGHT, w, l);
    case CB_SHOWDROPDOWN:
        if (w)
            dropDown(h, *s);
        else
            closeUp(h, *s, false);
        return 1;
    case CB_GETDROPPEDSTATE:
        return s->dropped;
    case CB_LIMITTEXT:
        if (s->edit)
            SendMessageA(s->edit, EM_LIMITTEXT, w, 0);
        return 1;
    default:
        return DefWindowProcA(h, m, w, l);
    }
}

}  // namespace plat::ui
