// The "ScrollBar" class: a horizontal or vertical bar with arrows, a track
// and a thumb. Clicks become WM_HSCROLL / WM_VSCROLL to the parent with the
// bar as lParam; the parent moves the thumb (SetScrollPos).

#include <algorithm>

#include "platform/ui/control_kit.h"
#include "platform/ui/scroll_paint.h"

namespace plat {

namespace ui {

namespace {

constexpr std::uintptr_t kRepeatTimer = 1;
constexpr UINT kFirstDelay = 400;
constexpr UINT kRepeatDelay = 100;

struct BarState {
    int minPos = 0, maxPos = 100, pos = 0;
    int pressed = -1;  // the part held down
    int dragOffset = 0;
};

ScrollGeometry geometry(HWND h, const BarState& s)
{
    ScrollGeometry g;
    g.bar = ClientRectOf(h);
    g.vertical = StyleOf(h) & SBS_VERT;
    g.minPos = s.minPos;
    g.maxPos = s.maxPos;
    g.pos = s.pos;
    return g;
}

void tell(HWND h, const BarState& s, WORD code, int pos = 0)
{
    (void)s;
    UINT msg = (StyleOf(h) & SBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
    SendMessageA(GetParent(h), msg, WPARAM(MAKELPARAM(code, WORD(pos))), LPARAM(h));
}

}  // namespace

LRESULT ScrollBarProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    BarState* s = StateOfControl<BarState>(h);
    if (!s && m != WM_NCCREATE)
        return DefWindowProcA(h, m, w, l);
    switch (m) {
    case WM_NCCREATE:
        AttachState<BarState>(h);
        return DefWindowProcA(h, m, w, l);
    case WM_NCDESTROY:
        KillTimer(h, kRepeatTimer);
        DetachState<BarState>(h);
        return DefWindowProcA(h, m, w, l);
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintControl(h, [&](HDC dc) {
            ControlColours(h, dc, WM_CTLCOLORSCROLLBAR);
            DrawScrollBar(dc, geometry(h, *s), IsWindowEnabled(h));
        });
    case WM_LBUTTONDOWN: {
        POINT p{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
        ScrollGeometry g = geometry(h, *s);
        int part = ScrollHit(g, p);
        if (part < 0)
            return 0;
        s->pressed = part;
        SetCapture(h);
        if (part == SB_THUMBTRACK) {
            RECT t = ThumbRect(g);
            s->dragOffset = g.vertical ? int(p.y - t.top) : int(p.x - t.left);
            return 0;
        }
        tell(h, *s, WORD(part));
        SetTimer(h, kRepeatTimer, kFirstDelay, nullptr);
        return 0;
    }
    case WM_TIMER:
        if (w == kRepeatTimer && s->pressed >= 0 && s->pressed != SB_THUMBTRACK) {
            SetTimer(h, kRepeatTimer, kRepeatDelay, nullptr);
            tell(h, *s, WORD(s->pressed));
        }
        return 0;
    case WM_MOUSEMOVE:
        if (s->pressed == SB_THUMBTRACK) {
            ScrollGeometry g = geometry(h, *s);
            int along = (g.vertical ? GET_Y_LPARAM(l) : GET_X_LPARAM(l)) - s->dragOffset;
            tell(h, *s, SB_THUMBTRACK, ScrollPosAt(g, along));
        }
        return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (s->pressed >= 0) {
            int part = s->pressed;
            s->pressed = -1;
            KillTimer(h, kRepeatTimer);
            if (m == WM_LBUTTONUP)
                ReleaseCapture();
            if (part == SB_THUMBTRACK && m == WM_LBUTTONUP) {
                ScrollGeometry g = geometry(h, *s);
                int along = (g.vertical ? GET_Y_LPARAM(l) : GET_X_LPARAM(l)) - s->dragOffset;
                tell(h, *s, SB_THUMBPOSITION, ScrollPosAt(g, along));
            }
            tell(h, *s, SB_ENDSCROLL);
        }
        return 0;
    case SBM_SETPOS: {
        int old = s->pos;
        s->pos = std::clamp(int(w), s->minPos, std::max(s->minPos, s->maxPos));
        if (l)
            InvalidateRect(h, nullptr, 0);
        return old;
    }
    case SBM_GETPOS:
        return s->pos;
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW: {
        int old = s->pos;
        s->minPos = int(w);
        s->maxPos = int(l);
        s->pos = std::clamp(s->pos, s->minPos, std::max(s->minPos, s->maxPos));
        if (m == SBM_SETRANGEREDRAW)
            InvalidateRect(h, nullptr, 0);
        return old;
    }
    case SBM_GETRANGE:
        if (w)
            *reinterpret_cast<int*>(w) = s->minPos;
        if (l)
            *reinterpret_cast<int*>(l) = s->maxPos;
        return 0;
    default:
        return DefWindowProcA(h, m, w, l);
    }
}

}  // namespace ui

// Only the bars that are controls of their own (SB_CTL) are ours; windows
// do not draw scroll bars in their frames.
int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw)
{
    return bar == SB_CTL ? int(SendMessageA(hwnd, SBM_SETPOS, WPARAM(pos), redraw)) : 0;
}

int GetScrollPos(HWND hwnd, int bar)
{
    return bar == SB_CTL ? int(SendMessageA(hwnd, SBM_GETPOS, 0, 0)) : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw)
{
    if (bar != SB_CTL)
        return 0;
    SendMessageA(hwnd, redraw ? SBM_SETRANGEREDRAW : SBM_SETRANGE, WPARAM(minPos), LPARAM(maxPos));
    return 1;
}

BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos)
{
    if (bar != SB_CTL)
        return 0;
    SendMessageA(hwnd, SBM_GETRANGE, WPARAM(minPos), LPARAM(maxPos));
    return 1;
}

}  // namespace plat
