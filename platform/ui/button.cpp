// The "Button" class: push buttons (the default one with its heavier frame),
// check boxes, three-state boxes, radio buttons, group boxes and owner-drawn
// buttons.

#include <algorithm>
#include <vector>

#include "platform/ui/control_kit.h"
#include "platform/ui/draw_text.h"

namespace plat::ui {

namespace {

struct ButtonState {
    WPARAM check = BST_UNCHECKED;
    bool pushed = false;   // drawn pressed (mouse held inside, or Space down)
    bool tracking = false; // the mouse button went down on it
    bool focused = false;
    HFONT font = nullptr;
};

DWORD kindOf(HWND h)
{
    return StyleOf(h) & BS_TYPEMASK;
}

bool isPush(DWORD k)
{
    return k == BS_PUSHBUTTON || k == BS_DEFPUSHBUTTON;
}

bool isRadio(DWORD k)
{
    return k == BS_RADIOBUTTON || k == BS_AUTORADIOBUTTON;
}

bool isCheck(DWORD k)
{
    return k == BS_CHECKBOX || k == BS_AUTOCHECKBOX || k == BS_3STATE || k == BS_AUTO3STATE;
}

constexpr int kBox = 13;

void drawTick(HDC dc, int x, int y, COLORREF c)
{
    static const char* const rows[] = {"......x", ".....xx", "x...xxx", "xx.xxx.", "xxxxx..",
                                       ".xxx...", "..x...."};
    for (int r = 0; r < 7; ++r)
        for (int k = 0; k < 7; ++k)
            if (rows[r][k] == 'x')
                SetPixel(dc, x + k, y + r, c);
}

void drawCheckBox(HDC dc, const RECT& box, WPARAM check, bool enabled, bool pushed)
{
    SunkenEdge(dc, box);
    COLORREF inside = (pushed || !enabled || check == BST_INDETERMINATE) && check != BST_CHECKED
                          ? GetSysColor(COLOR_BTNFACE)
                          : GetSysColor(COLOR_WINDOW);
    if (pushed)
        inside = GetSysColor(COLOR_BTNFACE);
    FillSolid(dc, Inset(box, 2), inside);
    if (check == BST_CHECKED)
        drawTick(dc, int(box.left) + 3, int(box.top) + 3,
                 enabled ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT));
    else if (check == BST_INDETERMINATE)
        drawTick(dc, int(box.left) + 3, int(box.top) + 3, GetSysColor(COLOR_GRAYTEXT));
}

void drawRadio(HDC dc, int x, int y, bool checked, bool enabled, bool pushed)
{
    static const char* const rows[] = {
        "....SSSS....", "..SSDDDDSS..", ".SDDWWWWDDH.", ".SDWWWWWWLH.", "SDWWWWWWWWLH", "SDWWWWWWWWLH",
        "SDWWWWWWWWLH", "SDWWWWWWWWLH", ".SDWWWWWWLH.", ".SLLWWWWLLH.", "..HHLLLLHH..", "....HHHH...."};
    COLORREF inside = (enabled && !pushed) ? GetSysColor(COLOR_WINDOW) : GetSysColor(COLOR_BTNFACE);
    for (int r = 0; r < 12; ++r)
        for (int k = 0; k < 12; ++k) {
            char c = rows[r][k];
            COLORREF col = c == 'S'   ? GetSysColor(COLOR_BTNSHADOW)
                           : c == 'D' ? GetSysColor(COLOR_3DDKSHADOW)
                           : c == 'H' ? GetSysColor(COLOR_BTNHIGHLIGHT)
                           : c == 'L' ? GetSysColor(COLOR_3DLIGHT)
                                      : inside;
            if (c != '.')
                SetPixel(dc, x + k, y + r, col);
        }
    if (checked) {
        static const char* const dot[] = {".XX.", "XXXX", "XXXX", ".XX."};
        COLORREF col = enabled ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT);
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 4; ++k)
                if (dot[r][k] == 'X')
                    SetPixel(dc, x + 4 + k, y + 4 + r, col);
    }
}

void drawLabel(HDC dc, HWND h, const RECT& r, UINT format, bool enabled)
{
    std::string text = WindowText(h);
    RECT tr = r;
    SetBkMode(dc, TRANSPARENT);
    if (!enabled) {
        COLORREF old = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        RECT off{tr.left + 1, tr.top + 1, tr.right + 1, tr.bottom + 1};
        DrawTextA(dc, text.c_str(), -1, &off, format);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        DrawTextA(dc, text.c_str(), -1, &tr, format);
        SetTextColor(dc, old);
        return;
    }
    DrawTextA(dc, text.c_str(), -1, &tr, format);
}

// The rectangle the label of a check box or radio button takes.
RECT labelRect(HDC dc, HWND h, const RECT& area)
{
    std::string text = WindowText(h);
    RECT calc{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), -1, &calc, DT_CALCRECT | DT_SINGLELINE);
    LONG w = calc.right, hgt = calc.bottom;
    LONG top = area.top + (area.bottom - area.top - hgt) / 2;
    return {area.left, top, std::min(area.right, area.left + w), top + hgt};
}

void paint(HWND h, HDC dc, ButtonState& s)
{
    const DWORD kind = kindOf(h);
    const bool enabled = IsWindowEnabled(h);
    RECT r = ClientRectOf(h);
    FontScope font(dc, s.font);

    if (kind == BS_OWNERDRAW) {
        SendOwnerDraw(h, dc, r, ODT_BUTTON,
                      (s.pushed ? ODS_SELECTED : 0) | (s.focused ? ODS_FOCUS : 0) | (enabled ? 0 : ODS_DISABLED));
        return;
    }

    if (isPush(kind)) {
        HBRUSH face = ControlColours(h, dc, WM_CTLCOLORBTN);
        (void)face;
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        RECT e = r;
        if (kind == BS_DEFPUSHBUTTON) {
            Edge(dc, e, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DDKSHADOW));
            e = Inset(e, 1);
        }
        if (s.pushed)
            Edge(dc, e, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
        else
            RaisedEdge(dc, e);
        RECT text = Inset(e, 2);
        if (s.pushed)
            text = {text.left + 1, text.top + 1, text.right + 1, text.bottom + 1};
        drawLabel(dc, h, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE, enabled);
        if (s.focused) {
            RECT f = Inset(e, 3);
            DrawFocusRect(dc, &f);
        }
        return;
    }

    HBRUSH back = ControlColours(h, dc, WM_CTLCOLORSTATIC);
    if (kind == BS_GROUPBOX) {
        // Only the frame and the label: the controls inside the group stay.
        TEXTMETRIC tm{};
        GetTextMetrics(dc, &tm);
        LONG mid = r.top + tm.tmHeight / 2;
        RECT frame{r.left, mid, r.right, r.bottom};
        Edge(dc, frame, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        Edge(dc, {frame.left + 1, frame.top + 1, frame.right, frame.bottom}, GetSysColor(COLOR_BTNHIGHLIGHT),
             GetSysColor(COLOR_BTNSHADOW));
        std::string text = WindowText(h);
        if (!text.empty()) {
            RECT calc{0, 0, 0, 0};
            DrawTextA(dc, text.c_str(), -1, &calc, DT_CALCRECT | DT_SINGLELINE);
            RECT tr{r.left + 8, r.top, std::min(r.right, r.left + 8 + calc.right + 2), r.top + tm.tmHeight};
            FillRect(dc, &tr, back);
            RECT label{tr.left + 1, tr.top, tr.right, tr.bottom};
            drawLabel(dc, h, label, DT_LEFT | DT_SINGLELINE, enabled);
        }
        return;
    }

    FillRect(dc, &r, back);
    const bool leftText = StyleOf(h) & BS_LEFTTEXT;
    LONG top = r.top + (r.bottom - r.top - kBox) / 2;
    LONG boxLeft = leftText ? r.right - kBox : r.left;
    if (isRadio(kind))
        drawRadio(dc, int(boxLeft), int(top), s.check == BST_CHECKED, enabled, s.pushed);
    else
        drawCheckBox(dc, {boxLeft, top, boxLeft + kBox, top + kBox}, s.check, enabled, s.pushed);
    RECT area = leftText ? RECT{r.left, r.top, r.right - kBox - 4, r.bottom}
                         : RECT{r.left + kBox + 4, r.top, r.right, r.bottom};
    RECT label = labelRect(dc, h, area);
    drawLabel(dc, h, label, DT_LEFT | DT_SINGLELINE, enabled);
    if (s.focused && !WindowText(h).empty()) {
        RECT f{label.left - 1, label.top, label.right + 1, label.bottom};
        f = IntersectRects(f, r);
        DrawFocusRect(dc, &f);
    }
}

// Unchecks the other automatic radio buttons of the button's group.
void uncheckGroup(HWND h)
{
    HWND parent = GetParent(h);
    std::vector<HWND> all = ChildrenInOrder(parent);
    auto at = std::find(all.begin(), all.end(), h);
    if (at == all.end())
        return;
    size_t i = size_t(at - all.begin());
    size_t first = i;
    while (first > 0 && !(StyleOf(all[first]) & WS_GROUP))
        --first;
    for (size_t k = first; k < all.size(); ++k) {
        if (k > first && (StyleOf(all[k]) & WS_GROUP))
            break;
        char cls[16] = {};
        GetClassNameA(all[k], cls, sizeof cls);
        if (all[k] != h && std::string(cls) == "Button" && kindOf(all[k]) == BS_AUTORADIOBUTTON)
            SendMessageA(all[k], BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

void click(HWND h, ButtonState& s)
{
    DWORD kind = kindOf(h);
    if (kind == BS_AUTOCHECKBOX)
        SendMessageA(h, BM_SETCHECK, s.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
    else if (kind == BS_AUTO3STATE)
        SendMessageA(h, BM_SETCHECK, (s.check + 1) % 3, 0);
    else if (kind == BS_AUTORADIOBUTTON) {
        uncheckGroup(h);
        SendMessageA(h, BM_SETCHECK, BST_CHECKED, 0);
    }
    Notify(h, BN_CLICKED);
}

void setPushed(HWND h, ButtonState& s, bool pushed)
{
    if (s.pushed != pushed) {
        s.pushed = pushed;
        InvalidateRect(h, nullptr, 0);
    }
}

bool inside(HWND h, LPARAM l)
{
    RECT r = ClientRectOf(h);
    return PtInRect(r, POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)});
}

}  // namespace

LRESULT ButtonProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    ButtonState* s = StateOfControl<ButtonState>(h);
    if (!s && m != WM_NCCREATE && m != WM_CREATE)
        return DefWindowProcA(h, m, w, l);
    if (LRESULT result = 0;
        s && HandleControlPaintMessages(h, m, w, l, s->font, [&](HDC dc) { paint(h, dc, *s); }, result))
        return result;
    switch (m) {
    case WM_NCCREATE:
        AttachState<ButtonState>(h);
        return DefWindowProcA(h, m, w, l);
    case WM_NCDESTROY:
        DetachState<ButtonState>(h);
        return DefWindowProcA(h, m, w, l);
    case WM_GETDLGCODE: {
        DWORD k = kindOf(h);
        if (k == BS_GROUPBOX)
            return DLGC_STATIC;
        if (k == BS_DEFPUSHBUTTON)
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        if (k == BS_PUSHBUTTON || k == BS_OWNERDRAW)
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        if (isRadio(k))
            return DLGC_BUTTON | DLGC_RADIOBUTTON;
        return DLGC_BUTTON;
    }
    case WM_SETTEXT:
    case WM_ENABLE: {
        LRESULT r = DefWindowProcA(h, m, w, l);
        InvalidateRect(h, nullptr, 1);
        return r;
    }
    case WM_SETFOCUS:
        s->focused = true;
        InvalidateRect(h, nullptr, 0);
        return 0;
    case WM_KILLFOCUS:
        s->focused = false;
        s->pushed = false;
        s->tracking = false;
        InvalidateRect(h, nullptr, 0);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (kindOf(h) == BS_GROUPBOX)
            return 0;
        s->tracking = true;
        SetCapture(h);
        if (GetFocus() != h)
            SetFocus(h);
        setPushed(h, *s, true);
        return 0;
    case WM_MOUSEMOVE:
        if (s->tracking)
            setPushed(h, *s, inside(h, l));
        return 0;
    case WM_LBUTTONUP:
        if (!s->tracking)
            return 0;
        s->tracking = false;
        ReleaseCapture();
        setPushed(h, *s, false);
        if (inside(h, l))
            click(h, *s);
        return 0;
    case WM_CAPTURECHANGED:
        if (s->tracking) {
            s->tracking = false;
            setPushed(h, *s, false);
        }
        return 0;
    case WM_KEYDOWN:
        if (w == WPARAM(VK_SPACE) && kindOf(h) != BS_GROUPBOX)
            setPushed(h, *s, true);
        return 0;
    case WM_KEYUP:
        if (w == WPARAM(VK_SPACE) && s->pushed) {
            setPushed(h, *s, false);
            click(h, *s);
        }
        return 0;
    case BM_CLICK:
        click(h, *s);
        return 0;
    case BM_GETCHECK:
        return LRESULT(s->check);
    case BM_SETCHECK: {
        DWORD k = kindOf(h);
        if (!isCheck(k) && !isRadio(k))
            return 0;
        WPARAM v = w > BST_INDETERMINATE ? BST_CHECKED : w;
        if (v == BST_INDETERMINATE && k != BS_3STATE && k != BS_AUTO3STATE)
            v = BST_CHECKED;
        if (s->check != v) {
            s->check = v;
            InvalidateRect(h, nullptr, 0);
        }
        return 0;
    }
    case BM_GETSTATE:
        return LRESULT(s->check) | (s->pushed ? BST_PUSHED : 0) | (s->focused ? BST_FOCUS : 0);
    case BM_SETSTATE:
        setPushed(h, *s, w != 0);
        return 0;
    case BM_SETSTYLE:
        SetWindowLongA(h, GWL_STYLE, LONG((StyleOf(h) & ~BS_TYPEMASK) | (DWORD(w) & BS_TYPEMASK)));
        if (l)
            InvalidateRect(h, nullptr, 1);
        return 0;
    default:
        return DefWindowProcA(h, m, w, l);
    }
}

}  // namespace plat::ui
