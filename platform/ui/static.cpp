// The "Static" class: text (left, centred, right, wrapped or not), icons,
// filled rectangles and frames, owner-drawn statics.

#include <cstdlib>

#include "platform/modules/resources.h"
#include "platform/ui/control_kit.h"
#include "platform/ui/draw_text.h"
#include "platform/ui/icons.h"

namespace plat::ui {

namespace {

struct StaticState {
    HFONT font = nullptr;
    HICON icon = nullptr;
};

// An icon static names its icon in its text: "#32516", a number, or a name.
HICON iconFromText(HWND h)
{
    std::string t = WindowText(h);
    if (t.empty())
        return nullptr;
    HINSTANCE inst = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(h, GWL_HINSTANCE));
    const char* digits = t[0] == '#' ? t.c_str() + 1 : t.c_str();
    char* end = nullptr;
    long id = std::strtol(digits, &end, 10);
    if (end && *end == '\0' && end != digits && id > 0 && id < 65536) {
        if (HICON i = LoadIconA(inst, MAKEINTRESOURCEA(WORD(id))))
            return i;
        return LoadIconA(nullptr, MAKEINTRESOURCEA(WORD(id)));
    }
    return LoadIconA(inst, t.c_str());
}

void paint(HWND h, HDC dc, StaticState& s)
{
    const DWORD style = StyleOf(h);
    const DWORD kind = style & SS_TYPEMASK;
    RECT r = ClientRectOf(h);
    FontScope font(dc, s.font);
    if (kind == SS_OWNERDRAW) {
        SendOwnerDraw(h, dc, r, ODT_STATIC, 0);
        return;
    }
    switch (kind) {
    case SS_BLACKRECT: FillSolid(dc, r, GetSysColor(COLOR_WINDOWFRAME)); return;
    case SS_GRAYRECT: FillSolid(dc, r, GetSysColor(COLOR_BTNSHADOW)); return;
    case SS_WHITERECT: FillSolid(dc, r, GetSysColor(COLOR_WINDOW)); return;
    case SS_BLACKFRAME: Edge(dc, r, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME)); return;
    case SS_GRAYFRAME: Edge(dc, r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW)); return;
    case SS_WHITEFRAME: Edge(dc, r, GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOW)); return;
    case SS_ETCHEDFRAME:
        Edge(dc, r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        Edge(dc, Inset(r, 1), GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
        return;
    default: break;
    }
    HBRUSH back = ControlColours(h, dc, WM_CTLCOLORSTATIC);
    FillRect(dc, &r, back);
    if (style & SS_SUNKEN) {
        Edge(dc, r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        r = Inset(r, 1);
    }
    if (kind == SS_ICON) {
        if (!s.icon)
            s.icon = iconFromText(h);
        if (s.icon)
            DrawIcon(dc, int(r.left), int(r.top), s.icon);
        return;
    }
    UINT fmt = 0;
    if (kind == SS_CENTER)
        fmt = DT_CENTER | DT_WORDBREAK;
    else if (kind == SS_RIGHT)
        fmt = DT_RIGHT | DT_WORDBREAK;
    else if (kind == SS_LEFT)
        fmt = DT_LEFT | DT_WORDBREAK;
    else
        fmt = DT_LEFT | DT_SINGLELINE;
    if (style & SS_CENTERIMAGE)
        fmt = (fmt & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    if (style & SS_NOPREFIX)
        fmt |= DT_NOPREFIX;
    if (!IsWindowEnabled(h))
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    std::string text = WindowText(h);
    DrawTextA(dc, text.c_str(), -1, &r, fmt | DT_EXPANDTABS);
}

}  // namespace

LRESULT StaticProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    StaticState* s = StateOfControl<StaticState>(h);
    if (!s && m != WM_NCCREATE)
        return DefWindowProcA(h, m, w, l);
    if (LRESULT result = 0;
        s && HandleControlPaintMessages(h, m, w, l, s->font, [&](HDC dc) { paint(h, dc, *s); }, result))
        return result;
    switch (m) {
    case WM_NCCREATE:
        AttachState<StaticState>(h);
        return DefWindowProcA(h, m, w, l);
    case WM_NCDESTROY:
        DetachState<StaticState>(h);
        return DefWindowProcA(h, m, w, l);
    case WM_NCHITTEST:
        return (StyleOf(h) & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_SETTEXT:
    case WM_ENABLE: {
        LRESULT r = DefWindowProcA(h, m, w, l);
        if (m == WM_SETTEXT && (StyleOf(h) & SS_TYPEMASK) == SS_ICON)
            s->icon = nullptr;
        InvalidateRect(h, nullptr, 1);
        return r;
    }
    case STM_SETICON: {
        HICON old = s->icon;
        s->icon = HICON(w);
        InvalidateRect(h, nullptr, 1);
        return LRESULT(old);
    }
    case STM_GETICON:
        return LRESULT(s->icon);
    case WM_LBUTTONDOWN:
        if (StyleOf(h) & SS_NOTIFY)
            Notify(h, STN_CLICKED);
        return 0;
    default:
        return DefWindowProcA(h, m, w, l);
    }
}

}  // namespace plat::ui
