// The "ListBox" class (and "ComboLBox", the list of a combo box): items with
// texts and data, sorted or in order, one selection or several, owner-drawn
// items, a scroll bar of its own, keyboard and mouse selection, and the
// directory listing of drives, folders and files.

#include <algorithm>
#include <cstring>
#include <strings.h>

#include "platform/fs/drives.h"
#include "platform/fs/files.h"
#include "platform/fs/find.h"
#include "platform/ui/control_kit.h"
#include "platform/ui/draw_text.h"
#include "platform/ui/scroll_paint.h"

namespace plat::ui {

namespace {

struct Item {
    std::string text;
    std::uintptr_t data = 0;
    bool selected = false;
};

struct ListState {
    std::vector<Item> items;
    int cur = -1;   // the selection (one-selection lists) or the focus item
    int top = 0;
    int itemHeight = 0;
    HFONT font = nullptr;
    bool focused = false;
    bool tracking = false;
    bool thumbDrag = false;
    HWND combo = nullptr;  // the combo box this list belongs to
};

DWORD listStyle(HWND h, const ListState& s)
{
    DWORD st = StyleOf(h);
    if (s.combo) {
        // The combo box's own style decides the drawing of its list.
        DWORD cs = StyleOf(s.combo);
        st = (st & ~(LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | LBS_SORT)) |
             ((cs & CBS_OWNERDRAWFIXED) ? LBS_OWNERDRAWFIXED : 0) |
             ((cs & CBS_OWNERDRAWVARIABLE) ? LBS_OWNERDRAWVARIABLE : 0) |
             ((cs & CBS_HASSTRINGS) ? LBS_HASSTRINGS : 0) | ((cs & CBS_SORT) ? LBS_SORT : 0);
    }
    return st;
}

bool ownerDraw(DWORD st)
{
    return st & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE);
}

bool hasStrings(DWORD st)
{
    return !ownerDraw(st) || (st & LBS_HASSTRINGS);
}

HWND notifyTarget(HWND h, const ListState& s)
{
    return s.combo ? GetParent(s.combo) : GetParent(h);
}

int ctlId(HWND h, const ListState& s)
{
    return ControlId(s.combo ? s.combo : h);
}

int itemHeight(HWND h, ListState& s)
{
    if (s.itemHeight > 0)
        return s.itemHeight;
    HDC dc = GetDC(h);
    HGDIOBJ old = SelectObject(dc, s.font ? s.font : DefaultGuiFont());
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(h, dc);
    int height = std::max(1, int(tm.tmHeight));
    if (ownerDraw(listStyle(h, s))) {
        MEASUREITEMSTRUCT mi;
        mi.CtlType = s.combo ? ODT_COMBOBOX : ODT_LISTBOX;
        mi.CtlID = UINT(ctlId(h, s));
        mi.itemHeight = UINT(height);
        if (HWND t = notifyTarget(h, s))
            SendMessageA(t, WM_MEASUREITEM, WPARAM(mi.CtlID), LPARAM(&mi));
        height = std::max(1, int(mi.itemHeight));
    }
    s.itemHeight = height;
    return height;
}

int rows(HWND h, ListState& s)
{
    return std::max(1, int(ClientRectOf(h).bottom) / itemHeight(h, s));
}

bool showsBar(HWND h, ListState& s)
{
    return (StyleOf(h) & WS_VSCROLL) && (int(s.items.size()) > rows(h, s) || (StyleOf(h) & LBS_DISABLENOSCROLL));
}

ScrollGeometry bar(HWND h, ListState& s)
{
    RECT c = ClientRectOf(h);
    ScrollGeometry g;
    g.bar = {c.right - kScrollWidth, 0, c.right, c.bottom};
    g.vertical = true;
    g.minPos = 0;
    g.maxPos = std::max(0, int(s.items.size()) - rows(h, s));
    g.pos = s.top;
    g.page = rows(h, s);
    return g;
}

void notify(HWND h, ListState& s, WORD code)
{
    if (s.combo) {
        SendMessageA(s.combo, WM_COMMAND, WPARAM(MAKELPARAM(0, code)), LPARAM(h));
        return;
    }
    if ((StyleOf(h) & LBS_NOTIFY) || code == LBN_SETFOCUS || code == LBN_KILLFOCUS)
        Notify(h, code);
}

void clampTop(HWND h, ListState& s)
{
    int maxTop = std::max(0, int(s.items.size()) - rows(h, s));
    s.top = std::clamp(s.top, 0, maxTop);
}

void ensureVisible(HWND h, ListState& s, int index)
{
    if (index < 0)
        return;
    if (index < s.top)
        s.top = index;
    else if (index >= s.top + rows(h, s))
        s.top = index - rows(h, s) + 1;
    clampTop(h, s);
}

void drawItem(HWND h, HDC dc, ListState& s, int i, const RECT& r)
{
    const DWORD st = listStyle(h, s);
    const Item& it = s.items[size_t(i)];
    const bool sel = (st & LBS_MULTIPLESEL) ? it.selected : i == s.cur;
    if (ownerDraw(st)) {
        DRAWITEMSTRUCT di;
        di.CtlType = s.combo ? ODT_COMBOBOX : ODT_LISTBOX;
        di.CtlID = UINT(ctlId(h, s));
        di.itemID = UINT(i);
        di.itemAction = ODA_DRAWENTIRE;
        di.itemState = (sel ? ODS_SELECTED : 0) | (s.focused && i == s.cur ? ODS_FOCUS : 0) |
                       (IsWindowEnabled(h) ? 0 : ODS_DISABLED);
        di.hwndItem = s.combo ? s.combo : h;
        di.hDC = dc;
        di.rcItem = r;
        di.itemData = it.data;
        if (HWND t = notifyTarget(h, s))
            SendMessageA(t, WM_DRAWITEM, WPARAM(di.CtlID), LPARAM(&di));
        return;
    }
    COLORREF text = GetTextColor(dc);
    if (sel) {
        FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    RECT tr{r.left + 2, r.top, r.right, r.bottom};
    DrawTextA(dc, it.text.c_str(), -1, &tr, DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_EXPANDTABS);
    SetTextColor(dc, text);
    if (s.focused && i == s.cur)
        DrawFocusRect(dc, &r);
}

void paint(HWND h, HDC dc, ListState& s)
{
    RECT c = ClientRectOf(h);
    HBRUSH back = ControlColours(h, dc, WM_CTLCOLORLISTBOX);
    FillRect(dc, &c, back);
    FontScope font(dc, s.font);
    SetBkMode(dc, TRANSPARENT);
    const bool withBar = showsBar(h, s);
    const int ih = itemHeight(h, s);
    const LONG right = withBar ? c.right - kScrollWidth : c.right;
    for (int i = s.top; i < int(s.items.size()); ++i) {
        int y = (i - s.top) * ih;
        if (y >= c.bottom)
            break;
        drawItem(h, dc, s, i, {0, y, right, y + ih});
    }
    if (withBar)
        DrawScrollBar(dc, bar(h, s), IsWindowEnabled(h) && int(s.items.size()) > rows(h, s));
}

int compareText(const std::string& a, const std::string& b)
{
    return strcasecmp(a.c_str(), b.c_str());
}

int insertAt(HWND h, ListState& s, int index, const char* text, std::uintptr_t data, bool add)
{
    const DWORD st = listStyle(h, s);
    Item it;
    if (hasStrings(st))
        it.text = text ? text : "";
    else
        it.data = std::uintptr_t(text);
    it.data = hasStrings(st) ? data : it.data;
    if (add && (st & LBS_SORT) && hasStrings(st)) {
        index = int(std::upper_bound(s.items.begin(), s.items.end(), it,
                                     [](const Item& a, const Item& b) { return compareText(a.text, b.text) < 0; }) -
                    s.items.begin());
    } else if (add || index < 0 || index > int(s.items.size())) {
        index = int(s.items.size());
    }
    s.items.insert(s.items.begin() + index, std::move(it));
    if (s.cur >= index)
        ++s.cur;
    InvalidateRect(h, nullptr, 0);
    return index;
}

int find(const ListState& s, int after, const char* text, bool exact)
{
    if (!text || s.items.empty())
        return int(LB_ERR);
    size_t n = s.items.size();
    size_t len = std::strlen(text);
    size_t start = after < 0 || after >= int(n) ? 0 : size_t(after) + 1;
    for (size_t k = 0; k < n; ++k) {
        const Item& it = s.items[(start + k) % n];
        bool match = exact ? strcasecmp(it.text.c_str(), text) == 0 : strncasecmp(it.text.c_str(), text, len) == 0;
        if (match)
            return int((start + k) % n);
    }
    return int(LB_ERR);
}

void select(HWND h, ListState& s, int index, bool notifyChange)
{
    if (index < -1 || index >= int(s.items.size()))
        index = -1;
    bool change = index != s.cur;
    s.cur = index;
    if (listStyle(h, s) & LBS_MULTIPLESEL) {
        if (index >= 0)
            s.items[size_t(index)].selected = !s.items[size_t(index)].selected;
        change = true;
    }
    ensureVisible(h, s, index);
    InvalidateRect(h, nullptr, 0);
    if (change && notifyChange)
        notify(h, s, LBN_SELCHANGE);
}

int itemAt(HWND h, ListState& s, POINT p)
{
    int i = s.top + int(p.y) / itemHeight(h, s);
    return i >= 0 && i < int(s.items.size()) && p.y >= 0 ? i : -1;
}

void scrollTo(HWND h, ListState& s, int top)
{
    s.top = top;
    clampTop(h, s);
    InvalidateRect(h, nullptr, 0);
}

void barClick(HWND h, ListState& s, POINT p)
{
    ScrollGeometry g = bar(h, s);
    switch (ScrollHit(g, p)) {
    case SB_LINEUP: scrollTo(h, s, s.top - 1); break;
    case SB_LINEDOWN: scrollTo(h, s, s.top + 1); break;
    case SB_PAGEUP: scrollTo(h, s, s.top - rows(h, s)); break;
    case SB_PAGEDOWN: scrollTo(h, s, s.top + rows(h, s)); break;
    case SB_THUMBTRACK: s.thumbDrag = true; SetCapture(h); break;
    default: break;
    }
}

// Items of a directory listing, formatted as the list boxes show them:
// "[-c-]" for a drive, "[name]" for a folder, the name for a file.
std::vector<std::string> directoryItems(UINT attrs, const char* pattern)
{
    std::vector<std::string> out;
    const bool exclusive = attrs & DDL_EXCLUSIVE;
    if (!(exclusive && (attrs & DDL_DRIVES))) {
        WIN32_FIND_DATAA fd;
        HANDLE_FIND f = FindFirstFileA(pattern && *pattern ? pattern : "*.*", &fd);
        if (f != INVALID_FIND_HANDLE) {
            do {
                DWORD a = fd.dwFileAttributes;
                std::string name = fd.cFileName;
                if (name == ".")
                    continue;
                bool dir = a & FILE_ATTRIBUTE_DIRECTORY;
                if (dir) {
                    if (attrs & DDL_DIRECTORY)
                        out.push_back("[" + name + "]");
                    continue;
                }
                if (exclusive && !(attrs & (DDL_READONLY | DDL_HIDDEN | DDL_SYSTEM | DDL_ARCHIVE)))
                    continue;
                if ((a & FILE_ATTRIBUTE_HIDDEN) && !(attrs & DDL_HIDDEN))
                    continue;
                if ((a & FILE_ATTRIBUTE_SYSTEM) && !(attrs & DDL_SYSTEM))
                    continue;
                if (exclusive) {
                    bool want = ((attrs & DDL_READONLY) && (a & FILE_ATTRIBUTE_READONLY)) ||
                                ((attrs & DDL_HIDDEN) && (a & FILE_ATTRIBUTE_HIDDEN)) ||
                                ((attrs & DDL_SYSTEM) && (a & FILE_ATTRIBUTE_SYSTEM)) ||
                                ((attrs & DDL_ARCHIVE) && (a & FILE_ATTRIBUTE_ARCHIVE));
                    if (!want)
                        continue;
                }
                out.push_back(name);
            } while (FindNextFileA(f, &fd));
            FindClose(f);
        }
    }
    if (attrs & DDL_DRIVES) {
        DWORD mask = GetLogicalDrives();
        for (int i = 0; i < 26; ++i)
            if (mask & (1u << i))
                out.push_back(std::string("[-") + char('a' + i) + "-]");
    }
    return out;
}

}  // namespace

LRESULT ListBoxProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    ListState* s = StateOfControl<ListState>(h);
    if (!s && m != WM_NCCREATE)
        return DefWindowProcA(h, m, w, l);
    switch (m) {
    case WM_NCCREATE:
        AttachState<ListState>(h);
        return DefWindowProcA(h, m, w, l);
    case WM_NCDESTROY:
        DetachState<ListState>(h);
        return DefWindowProcA(h, m, w, l);
    case kLbSetComboOwner:
        s->combo = HWND(w);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintControl(h, [&](HDC dc) { paint(h, dc, *s); });
    case WM_SETFONT:
        s->itemHeight = 0;
        SetControlFont(h, s->font, w, l);
        return 0;
    case WM_GETFONT:
        return LRESULT(s->font);
    case WM_SIZE:
        clampTop(h, *s);
        return 0;
    case WM_SETFOCUS:
        s->focused = true;
        InvalidateRect(h, nullptr, 0);
        notify(h, *s, LBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        s->focused = false;
        InvalidateRect(h, nullptr, 0);
        notify(h, *s, LBN_KILLFOCUS);
        return 0;
    case WM_ENABLE:
        InvalidateRect(h, nullptr, 1);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        POINT p{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
        if (!s->combo && GetFocus() != h)
            SetFocus(h);
        if (showsBar(h, *s) && p.x >= ClientRectOf(h).right - kScrollWidth) {
            barClick(h, *s, p);
            return 0;
        }
        int i = itemAt(h, *s, p);
        if (i >= 0 && (i != s->cur || (listStyle(h, *s) & LBS_MULTIPLESEL)))
            select(h, *s, i, true);
        if (m == WM_LBUTTONDBLCLK && i >= 0)
            notify(h, *s, LBN_DBLCLK);
        else if (!s->combo) {
            s->tracking = true;
            SetCapture(h);
        }
        return 0;
    }
    case WM_MOUSEMOVE: {
        POINT p{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
        if (s->thumbDrag) {
            ScrollGeometry g = bar(h, *s);
            scrollTo(h, *s, ScrollPosAt(g, int(p.y) - int(ThumbRect(g).bottom - ThumbRect(g).top) / 2));
        } else if (s->tracking || (s->combo && (w & MK_LBUTTON))) {
            int i = itemAt(h, *s, p);
            if (i >= 0 && i != s->cur && !(listStyle(h, *s) & LBS_MULTIPLESEL))
                select(h, *s, i, true);
        }
        return 0;
    }
    case WM_LBUTTONUP:
        if (s->tracking || s->thumbDrag) {
            s->tracking = s->thumbDrag = false;
            ReleaseCapture();
        }
        if (s->combo)
            SendMessageA(s->combo, WM_COMMAND, WPARAM(MAKELPARAM(0, kComboListChosen)), LPARAM(h));
        return 0;
    case WM_KEYDOWN: {
        if (s->items.empty())
            return 0;
        int n = int(s->items.size()), cur = std::max(s->cur, 0), to = s->cur;
        switch (int(w)) {
        case VK_UP: to = s->cur < 0 ? 0 : std::max(0, cur - 1); break;
        case VK_DOWN: to = s->cur < 0 ? 0 : std::min(n - 1, cur + 1); break;
        case VK_PRIOR: to = std::max(0, cur - rows(h, *s) + 1); break;
        case VK_NEXT: to = std::min(n - 1, cur + rows(h, *s) - 1); break;
        case VK_HOME: to = 0; break;
        case VK_END: to = n - 1; break;
        case VK_SPACE:
            if (listStyle(h, *s) & LBS_MULTIPLESEL)
                select(h, *s, cur, true);
            return 0;
        default: return 0;
        }
        if (listStyle(h, *s) & LBS_MULTIPLESEL) {
            s->cur = to;
            ensureVisible(h, *s, to);
            InvalidateRect(h, nullptr, 0);
        } else if (to != s->cur) {
            select(h, *s, to, true);
        }
        return 0;
    }
    case WM_CHAR: {
        char c[2] = {char(w), 0};
        if (static_cast<unsigned char>(w) < 32 || !hasStrings(listStyle(h, *s)))
            return 0;
        int i = find(*s, s->cur, c, false);
        if (i >= 0 && i != s->cur)
            select(h, *s, i, true);
        return 0;
    }
    case LB_ADDSTRING:
        return insertAt(h, *s, -1, reinterpret_cast<const char*>(l), 0, true);
    case LB_INSERTSTRING:
        return insertAt(h, *s, int(std::intptr_t(w)), reinterpret_cast<const char*>(l), 0, false);
    case LB_DELETESTRING: {
        int i = int(w);
        if (i < 0 || i >= int(s->items.size()))
            return LB_ERR;
        s->items.erase(s->items.begin() + i);
        if (s->cur == i)
            s->cur = -1;
        else if (s->cur > i)
            --s->cur;
        clampTop(h, *s);
        InvalidateRect(h, nullptr, 0);
        return LRESULT(s->items.size());
    }
    case LB_RESETCONTENT:
        s->items.clear();
        s->cur = -1;
        s->top = 0;
        InvalidateRect(h, nullptr, 0);
        return 0;
    case LB_SETCURSEL:
        if (int(std::intptr_t(w)) >= int(s->items.size()))
            return LB_ERR;
        select(h, *s, int(std::intptr_t(w)), false);
        return s->cur < 0 && std::intptr_t(w) != -1 ? LB_ERR : s->cur;
    case LB_GETCURSEL:
        return s->cur < 0 ? LB_ERR : s->cur;
    case LB_SETSEL: {
        int i = int(std::intptr_t(l));
        for (size_t k = 0; k < s->items.size(); ++k)
            if (i == -1 || int(k) == i)
                s->items[k].selected = w != 0;
        InvalidateRect(h, nullptr, 0);
        return 0;
    }
    case LB_GETSEL: {
        int i = int(w);
        if (i < 0 || i >= int(s->items.size()))
            return LB_ERR;
        return (listStyle(h, *s) & LBS_MULTIPLESEL) ? s->items[size_t(i)].selected : i == s->cur;
    }
    case LB_GETTEXT: {
        int i = int(w);
        if (i < 0 || i >= int(s->items.size()) || !l)
            return LB_ERR;
        if (!hasStrings(listStyle(h, *s))) {
            std::memcpy(reinterpret_cast<void*>(l), &s->items[size_t(i)].data, sizeof(std::uintptr_t));
            return sizeof(std::uintptr_t);
        }
        const std::string& t = s->items[size_t(i)].text;
        std::memcpy(reinterpret_cast<char*>(l), t.c_str(), t.size() + 1);
        return LRESULT(t.size());
    }
    case LB_GETTEXTLEN: {
        int i = int(w);
        if (i < 0 || i >= int(s->items.size()))
            return LB_ERR;
        return LRESULT(s->items[size_t(i)].text.size());
    }
    case LB_GETCOUNT:
        return LRESULT(s->items.size());
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
        return find(*s, int(std::intptr_t(w)), reinterpret_cast<const char*>(l), m == LB_FINDSTRINGEXACT);
    case LB_SELECTSTRING: {
        int i = find(*s, int(std::intptr_t(w)), reinterpret_cast<const char*>(l), false);
        if (i >= 0)
            select(h, *s, i, false);
        return i;
    }
    case LB_GETTOPINDEX:
        return s->top;
    case LB_SETTOPINDEX:
        if (int(w) >= int(s->items.size()))
            return LB_ERR;
        scrollTo(h, *s, int(w));
        return 0;
    case LB_GETITEMDATA: {
        int i = int(w);
        if (i < 0 || i >= int(s->items.size()))
            return LB_ERR;
        return LRESULT(s->items[size_t(i)].data);
    }
    case LB_SETITEMDATA: {
        int i = int(w);
        if (i < 0 || i >= int(s->items.size()))
            return LB_ERR;
        s->items[size_t(i)].data = std::uintptr_t(l);
        return 1;
    }
    case LB_GETITEMRECT: {
        int i = int(w);
        if (i < 0 || i >= int(s->items.size()) || !l)
            return LB_ERR;
        int ih = itemHeight(h, *s);
        *reinterpret_cast<RECT*>(l) = {0, (i - s->top) * ih, ClientRectOf(h).right, (i - s->top + 1) * ih};
        return 1;
    }
    case LB_SETITEMHEIGHT:
        s->itemHeight = std::max(1, int(LOWORD(std::uintptr_t(l))));
        InvalidateRect(h, nullptr, 0);
        return 0;
    case LB_GETITEMHEIGHT:
        return itemHeight(h, *s);
    case LB_DIR: {
        LRESULT last = LB_ERR;
        for (const std::string& item : directoryItems(UINT(w), reinterpret_cast<const char*>(l)))
            last = insertAt(h, *s, -1, item.c_str(), 0, true);
        return last;
    }
    default:
        return DefWindowProcA(h, m, w, l);
    }
}

}  // namespace plat::ui

namespace plat {

LRESULT FillDirectoryList(HWND listBox, UINT attributes, const char* pattern, bool combo)
{
    return SendMessageA(listBox, combo ? CB_DIR : LB_DIR, attributes, LPARAM(pattern));
}

}  // namespace plat
