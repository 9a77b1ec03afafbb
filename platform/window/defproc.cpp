// The default window procedure: frames and captions, their hit testing,
// the caption drag, the system commands, Alt+F4 and closing.

#include <algorithm>
#include <cstring>

#include "platform/draw/draw.h"
#include "platform/screen/screen.h"
#include "platform/ui/icons.h"
#include "platform/window/cursor.h"
#include "platform/window/desktop.h"

namespace plat {

namespace {

constexpr std::uint32_t kFace = 0xC0C0C0;
constexpr std::uint32_t kHighlight = 0xFFFFFF;
constexpr std::uint32_t kShadow = 0x808080;
constexpr std::uint32_t kDarkShadow = 0x000000;
constexpr std::uint32_t kActiveCaption = 0x000080;
constexpr std::uint32_t kInactiveCaption = 0x808080;
constexpr COLORREF kActiveCaptionText = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kInactiveCaptionText = RGB(0xC0, 0xC0, 0xC0);
constexpr int kButtonWidth = 16;
constexpr int kButtonHeight = 14;

bool hasCaption(const Window* w)
{
    return (w->style & WS_CAPTION) == WS_CAPTION;
}

// The caption bar in screen coordinates (empty without a caption).
RECT captionRect(const Window* w)
{
    if (!hasCaption(w))
        return {};
    RECT r = ScreenRectOf(w);
    RECT in = FrameInsets(w->style, w->exStyle);
    int frame = int(in.left);
    return {r.left + frame, r.top + frame, r.right - frame,
            r.top + frame + GetSystemMetrics(SM_CYCAPTION) - 1};
}

RECT closeButtonRect(const RECT& cap)
{
    int top = cap.top + (cap.bottom - cap.top - kButtonHeight) / 2;
    return {cap.right - 2 - kButtonWidth, top, cap.right - 2, top + kButtonHeight};
}

RECT maxButtonRect(const RECT& cap)
{
    RECT c = closeButtonRect(cap);
    return {c.left - 2 - kButtonWidth, c.top, c.left - 2, c.bottom};
}

RECT minButtonRect(const RECT& cap)
{
    RECT m = maxButtonRect(cap);
    return {m.left - kButtonWidth, m.top, m.left, m.bottom};
}

RECT sysMenuRect(const RECT& cap)
{
    int h = cap.bottom - cap.top;
    return {cap.left, cap.top, cap.left + h, cap.bottom};
}

class FramePainter {
public:
    explicit FramePainter(Region clip) : clip_(std::move(clip)) {}

    void fill(const RECT& r, std::uint32_t colour)
    {
        Screen& s = TheScreen();
        for (const RECT& c : clip_.rects()) {
            RECT part = IntersectRects(IntersectRects(r, c), s.bounds());
            if (IsRectEmpty(part))
                continue;
            for (LONG y = part.top; y < part.bottom; ++y) {
                std::uint32_t* row = s.pixels() + size_t(y) * size_t(s.stride());
                std::fill(row + part.left, row + part.right, colour);
            }
            s.markDirty(part);
        }
    }
    void pixel(LONG x, LONG y, std::uint32_t colour) { fill({x, y, x + 1, y + 1}, colour); }
    // One ring of a 3D edge: top and left in one colour, bottom and right in another.
    void edge(const RECT& r, std::uint32_t topLeft, std::uint32_t bottomRight)
    {
        fill({r.left, r.top, r.right - 1, r.top + 1}, topLeft);
        fill({r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
        fill({r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
        fill({r.right - 1, r.top, r.right, r.bottom}, bottomRight);
    }
    void button(const RECT& r)
    {
        fill(r, kFace);
        edge(r, kHighlight, kDarkShadow);
        edge({r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, kFace, kShadow);
    }

private:
    Region clip_;
};

RECT shrink(const RECT& r, int by)
{
    return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}

void drawCloseGlyph(FramePainter& p, const RECT& b, std::uint32_t colour)
{
    LONG x0 = b.left + 4;
    LONG y0 = b.top + 3;
    for (int i = 0; i < 7; ++i) {
        p.fill({x0 + i, y0 + i, x0 + i + 2, y0 + i + 1}, colour);
        p.fill({x0 + 6 - i, y0 + i, x0 + 8 - i, y0 + i + 1}, colour);
    }
}

// The class icon shrunk (or grown) to the small icon size, nearest pixel,
// in the system-menu box; pixels of low alpha leave the caption showing.
void drawSmallIcon(FramePainter& p, HICON icon, const RECT& box)
{
    int size = GetSystemMetrics(SM_CXSMICON);
    if (!icon || icon->width <= 0 || icon->height <= 0 ||
        icon->pixels.size() < size_t(icon->width) * size_t(icon->height))
        return;
    LONG x0 = box.left + (box.right - box.left - size) / 2;
    LONG y0 = box.top + (box.bottom - box.top - size) / 2;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            size_t sx = size_t(x * icon->width / size), sy = size_t(y * icon->height / size);
            std::uint32_t px = icon->pixels[sy * size_t(icon->width) + sx];
            if ((px >> 24) >= 128)
                p.pixel(x0 + x, y0 + y, px & 0xFFFFFF);
        }
}

// The icon of the system-menu box: the class icon, else the default
// application icon, so the box can be seen and clicked. Dialog frames
// show none.
HICON captionIcon(const Window* w)
{
    if (!(w->style & WS_SYSMENU) || (w->exStyle & WS_EX_DLGMODALFRAME))
        return nullptr;
    HICON icon = w->cls ? w->cls->info.hIcon : nullptr;
    return icon ? icon : LoadIconA(nullptr, IDI_APPLICATION);
}

// The window text in the caption, in the bold system font, clipped to
// `textRect` (screen coordinates) within what the frame may paint.
void drawCaptionText(const Window* w, const Region& frameClip, const RECT& textRect)
{
    if (w->text.empty() || IsRectEmpty(textRect))
        return;
    Region clip = frameClip;
    clip.intersect(Region(textRect));
    if (clip.empty())
        return;
    HDC dc = MakeScreenDC({0, 0}, clip);
    if (!dc)
        return;
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, w->captionActive ? kActiveCaptionText : kInactiveCaptionText);
    TEXTMETRIC tm;
    GetTextMetrics(dc, &tm);
    int y = textRect.top + (textRect.bottom - textRect.top - int(tm.tmHeight)) / 2;
    TextOut(dc, textRect.left, y, w->text.data(), int(w->text.size()));
    FreeScreenDC(dc);
}

void moveBy(HWND hwnd, const RECT& orig, POINT start, POINT now)
{
    RECT screen = TheDesktop().desktop()->rect;
    // The cursor stays on the screen, so the caption stays reachable.
    now.x = std::clamp(now.x, screen.left, screen.right - 1);
    now.y = std::clamp(now.y, screen.top, screen.bottom - 1);
    SetWindowPos(hwnd, nullptr, orig.left + now.x - start.x, orig.top + now.y - start.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The caption drag: the window follows the cursor until the button is
// released, Escape puts it back, and losing the capture ends it. The loop
// waits for messages; it never spins.
void dragMove(Window* w, POINT start)
{
    HWND hwnd = H(w);
    if (GetKeyState(VK_LBUTTON) >= 0)
        return;
    RECT orig = w->rect;
    SetCapture(hwnd);
    Send(w, WM_ENTERSIZEMOVE, 0, 0);
    for (;;) {
        if (!IsWindow(hwnd) || GetCapture() != hwnd)
            break;
        MSG m;
        if (!PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            WaitMessage();
            continue;
        }
        if (m.message == WM_QUIT) {
            PostQuitMessage(int(m.wParam));
            break;
        }
        if (m.message == WM_MOUSEMOVE || m.message == WM_LBUTTONUP) {
            moveBy(hwnd, orig, start, m.pt);
            if (m.message == WM_LBUTTONUP)
                break;
            continue;
        }
        if (m.message == WM_KEYDOWN && m.wParam == WPARAM(VK_ESCAPE)) {
            moveBy(hwnd, orig, start, start);
            break;
        }
        if (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST)
            continue;
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    if (IsWindow(hwnd)) {
        if (GetCapture() == hwnd)
            ReleaseCapture();
        Send(w, WM_EXITSIZEMOVE, 0, 0);
    }
}

// A caption button pressed: it counts when the button is released over it.
bool trackCaptionButton(Window* w, LRESULT hit)
{
    HWND hwnd = H(w);
    if (GetKeyState(VK_LBUTTON) >= 0)
        return false;
    SetCapture(hwnd);
    bool inside = true;
    for (;;) {
        if (!IsWindow(hwnd) || GetCapture() != hwnd)
            return false;
        MSG m;
        if (!PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            WaitMessage();
            continue;
        }
        if (m.message == WM_QUIT) {
            PostQuitMessage(int(m.wParam));
            inside = false;
            break;
        }
        if (m.message == WM_MOUSEMOVE || m.message == WM_LBUTTONUP) {
            inside = HitTestFrame(w, m.pt) == hit;
            if (m.message == WM_LBUTTONUP)
                break;
            continue;
        }
        if (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST)
            continue;
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    if (IsWindow(hwnd) && GetCapture() == hwnd)
        ReleaseCapture();
    return inside && IsWindow(hwnd);
}

POINT systemMenuAnchor(const Window* w)
{
    RECT cap = captionRect(w);
    if (IsRectEmpty(cap)) {
        RECT r = ClientScreenRectOf(w);
        return {r.left, r.top};
    }
    return {cap.left, cap.bottom + 1};
}

// A right click: on the caption of a window with a system menu it opens
// that menu at the click; a child passes the question to its parent.
LRESULT contextMenu(Window* w, LPARAM lParam)
{
    if ((w->style & WS_CHILD) && w->parent) {
        Send(w->parent, WM_CONTEXTMENU, WPARAM(H(w)), lParam);
        return 0;
    }
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    LRESULT hit = HitTestFrame(w, pt);
    if ((w->style & WS_SYSMENU) && (hit == HTCAPTION || hit == HTSYSMENU))
        TrackSystemMenu(w, pt, false);
    return 0;
}

LRESULT sysCommand(Window* w, WPARAM wParam, LPARAM lParam)
{
    HWND hwnd = H(w);
    WPARAM cmd = wParam & 0xFFF0;
    switch (cmd) {
    case SC_CLOSE:
        if (SystemCommandEnabled(hwnd, SC_CLOSE) || !(w->style & WS_SYSMENU))
            Send(w, WM_CLOSE, 0, 0);
        return 0;
    case SC_MOVE: {
        POINT start = TheDesktop().cursor();
        if ((wParam & 0x000F) == WPARAM(HTCAPTION))
            start = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        dragMove(w, start);
        return 0;
    }
    case SC_MOUSEMENU:
    case SC_KEYMENU:
        // The mouse on the system-menu box, or Alt+Space: the system menu
        // drops from the left of the caption.
        if ((w->style & WS_SYSMENU) && (cmd == SC_MOUSEMENU || lParam == ' '))
            TrackSystemMenu(w, systemMenuAnchor(w), cmd == SC_KEYMENU);
        return 0;
    case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); return 0;
    case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); return 0;
    case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); return 0;
    default: return 0;
    }
}

LRESULT ncButtonDown(Window* w, WPARAM hit, LPARAM lParam)
{
    HWND hwnd = H(w);
    switch (LRESULT(hit)) {
    case HTCAPTION:
        Send(w, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, lParam);
        return 0;
    case HTSYSMENU:
        Send(w, WM_SYSCOMMAND, SC_MOUSEMENU + HTSYSMENU, lParam);
        return 0;
    case HTCLOSE:
        if (trackCaptionButton(w, HTCLOSE) && IsWindow(hwnd))
            Send(w, WM_SYSCOMMAND, SC_CLOSE, lParam);
        return 0;
    case HTMINBUTTON:
        if ((w->style & WS_MINIMIZEBOX) && trackCaptionButton(w, HTMINBUTTON) && IsWindow(hwnd))
            Send(w, WM_SYSCOMMAND, SC_MINIMIZE, lParam);
        return 0;
    case HTMAXBUTTON:
        if ((w->style & WS_MAXIMIZEBOX) && trackCaptionButton(w, HTMAXBUTTON) && IsWindow(hwnd))
            Send(w, WM_SYSCOMMAND, (w->style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE, lParam);
        return 0;
    default: return 0;
    }
}

}  // namespace

LRESULT HitTestFrame(Window* w, POINT pt)
{
    RECT r = ScreenRectOf(w);
    if (!PtInRect(r, pt))
        return HTNOWHERE;
    if (PtInRect(ClientScreenRectOf(w), pt))
        return HTCLIENT;
    if (w->style & WS_THICKFRAME) {
        int f = GetSystemMetrics(SM_CXFRAME);
        int corner = GetSystemMetrics(SM_CYCAPTION);
        bool left = pt.x < r.left + f, right = pt.x >= r.right - f;
        bool top = pt.y < r.top + f, bottom = pt.y >= r.bottom - f;
        bool nearLeft = pt.x < r.left + corner, nearRight = pt.x >= r.right - corner;
        bool nearTop = pt.y < r.top + corner, nearBottom = pt.y >= r.bottom - corner;
        if ((top && nearLeft) || (left && nearTop))
            return HTTOPLEFT;
        if ((top && nearRight) || (right && nearTop))
            return HTTOPRIGHT;
        if ((bottom && nearLeft) || (left && nearBottom))
            return HTBOTTOMLEFT;
        if ((bottom && nearRight) || (right && nearBottom))
            return HTBOTTOMRIGHT;
        if (left)
            return HTLEFT;
        if (right)
            return HTRIGHT;
        if (top)
            return HTTOP;
        if (bottom)
            return HTBOTTOM;
    }
    RECT cap = captionRect(w);
    if (PtInRect(cap, pt)) {
        if (w->style & WS_SYSMENU) {
            if (PtInRect(sysMenuRect(cap), pt))
                return HTSYSMENU;
            if (PtInRect(closeButtonRect(cap), pt))
                return HTCLOSE;
            if (w->style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) {
                if (PtInRect(maxButtonRect(cap), pt))
                    return HTMAXBUTTON;
                if (PtInRect(minButtonRect(cap), pt))
                    return HTMINBUTTON;
            }
        }
        return HTCAPTION;
    }
    return HTBORDER;
}

void DrawFrame(Window* w)
{
    if (!IsShown(w))
        return;
    Region clip = VisibleScreenRegion(H(w), false);
    clip.subtract(ClientScreenRectOf(w));
    if (clip.empty())
        return;
    FramePainter p(clip);
    RECT r = ScreenRectOf(w);
    RECT in = FrameInsets(w->style, w->exStyle);
    int frame = int(in.left);
    if (frame == 1) {
        p.edge(r, kDarkShadow, kDarkShadow);
    } else if (frame > 1) {
        p.edge(r, kFace, kDarkShadow);
        p.edge(shrink(r, 1), kHighlight, kShadow);
        for (int i = 2; i < frame; ++i)
            p.edge(shrink(r, i), kFace, kFace);
    }
    RECT cap = captionRect(w);
    if (IsRectEmpty(cap))
        return;
    bool active = w->captionActive;
    p.fill(cap, active ? kActiveCaption : kInactiveCaption);
    p.fill({cap.left, cap.bottom, cap.right, cap.bottom + 1}, kFace);
    LONG textLeft = cap.left + 2;
    LONG textRight = cap.right - 2;
    HICON icon = captionIcon(w);
    if (icon) {
        RECT box = sysMenuRect(cap);
        drawSmallIcon(p, icon, box);
        textLeft = box.right + 1;
    }
    if (w->style & WS_SYSMENU) {
        textRight = closeButtonRect(cap).left - 2;
        if (w->style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))
            textRight = minButtonRect(cap).left - 2;
    }
    drawCaptionText(w, clip, {textLeft, cap.top, textRight, cap.bottom});
    if (w->style & WS_SYSMENU) {
        RECT close = closeButtonRect(cap);
        p.button(close);
        bool noClose = w->cls && (w->cls->info.style & CS_NOCLOSE);
        drawCloseGlyph(p, close, noClose ? kShadow : kDarkShadow);
        if (w->style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) {
            RECT mx = maxButtonRect(cap);
            RECT mn = minButtonRect(cap);
            p.button(mx);
            p.button(mn);
            std::uint32_t maxInk = (w->style & WS_MAXIMIZEBOX) ? kDarkShadow : kShadow;
            std::uint32_t minInk = (w->style & WS_MINIMIZEBOX) ? kDarkShadow : kShadow;
            p.edge({mx.left + 3, mx.top + 2, mx.right - 4, mx.bottom - 3}, maxInk, maxInk);
            p.fill({mx.left + 3, mx.top + 3, mx.right - 4, mx.top + 4}, maxInk);
            p.fill({mn.left + 4, mn.bottom - 5, mn.left + 10, mn.bottom - 3}, minInk);
        }
    }
}

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Desktop& d = TheDesktop();
    Window* w = d.fromHandle(hwnd);
    if (!w)
        return 0;
    switch (msg) {
    case WM_NCCREATE: return 1;
    case WM_NCHITTEST: return HitTestFrame(w, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCPAINT: DrawFrame(w); return 0;
    case WM_NCACTIVATE:
        w->captionActive = wParam != 0;
        DrawFrame(w);
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: {
        if (!w->cls || !w->cls->info.hbrBackground)
            return 0;
        RECT c;
        GetClientRect(hwnd, &c);
        return FillWithClassBrush(reinterpret_cast<HDC>(wParam), c, w->cls->info.hbrBackground)
                   ? 1
                   : 0;
    }
    case WM_SETTEXT:
        w->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        if (w->parent == d.desktop())
            NameHostAfterActiveWindow();
        if (hasCaption(w))
            DrawFrame(w);
        return 1;
    case WM_GETTEXT: {
        if (wParam == 0 || !lParam)
            return 0;
        auto* out = reinterpret_cast<char*>(lParam);
        size_t n = std::min(w->text.size(), size_t(wParam) - 1);
        std::memcpy(out, w->text.data(), n);
        out[n] = '\0';
        return LRESULT(n);
    }
    case WM_GETTEXTLENGTH: return LRESULT(w->text.size());
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
            Window* f = d.fromHandle(d.focus);
            if (!f || (f != w && !IsDescendant(w, f))) {
                Window* remembered = RememberedFocus(w);
                SetFocus(remembered ? H(remembered) : hwnd);
            }
        }
        return 0;
    case WM_MOUSEACTIVATE:
        if ((w->style & WS_CHILD) && w->parent) {
            LRESULT r = Send(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
            if (r)
                return r;
        }
        return MA_ACTIVATE;
    case WM_SETCURSOR:
        if ((w->style & WS_CHILD) && w->parent && Send(w->parent, WM_SETCURSOR, wParam, lParam))
            return 1;
        ShowCursorFor(w->cls ? w->cls->info.hCursor : nullptr, LRESULT(std::int16_t(LOWORD(lParam))));
        return LOWORD(lParam) == HTCLIENT && w->cls && w->cls->info.hCursor ? 1 : 0;
    case WM_NCLBUTTONDOWN: return ncButtonDown(w, wParam, lParam);
    case WM_NCLBUTTONDBLCLK:
        if (LRESULT(wParam) == HTSYSMENU)
            Send(w, WM_SYSCOMMAND, SC_CLOSE, lParam);
        else if (LRESULT(wParam) == HTCAPTION && (w->style & WS_MAXIMIZEBOX))
            Send(w, WM_SYSCOMMAND, (w->style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE, lParam);
        return 0;
    case WM_SYSCOMMAND: return sysCommand(w, wParam, lParam);
    case WM_NCRBUTTONUP:
        if (LRESULT(wParam) == HTCAPTION || LRESULT(wParam) == HTSYSMENU)
            Send(w, WM_CONTEXTMENU, WPARAM(hwnd), lParam);
        return 0;
    case WM_CONTEXTMENU: return contextMenu(w, lParam);
    case WM_SYSKEYDOWN:
        if (wParam == WPARAM(VK_F4) && (lParam & KF_ALTDOWN_BIT)) {
            Window* top = TopLevelOf(w);
            if (top)
                PostMessageA(H(top), WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        return 0;
    case WM_SYSCHAR:
        if (wParam == ' ' && (lParam & KF_ALTDOWN_BIT))
            Send(TopLevelOf(w), WM_SYSCOMMAND, SC_KEYMENU, ' ');
        return 0;
    case WM_CANCELMODE:
        if (d.capture == hwnd)
            ReleaseCapture();
        return 0;
    default: return 0;
    }
}

}  // namespace plat
