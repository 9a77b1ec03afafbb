// Update regions, WM_PAINT, the visible regions of windows and the parts of
// the screen that no window covers.

#include "platform/clock/clock.h"
#include "platform/screen/screen.h"
#include "platform/window/caret.h"
#include "platform/window/desktop.h"
#include "platform/window/loop_service.h"

namespace plat {

namespace {

constexpr std::uint32_t kDesktopColour = 0x00008080;

Window* live(HWND hwnd)
{
    Window* w = TheDesktop().fromHandle(hwnd);
    if (!w)
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return w;
}

RECT clientRect(const Window* w)
{
    RECT c = ClientScreenRectOf(w);
    return {0, 0, c.right - c.left, c.bottom - c.top};
}

// Adds a client-coordinate region to a window's update region and, unless
// the window clips its children, to the children under it.
void addUpdate(Window* w, Region r, bool erase, bool children)
{
    r.intersect(clientRect(w));
    if (r.empty())
        return;
    w->update.unite(r);
    w->erase = w->erase || erase;
    if (!children || (w->style & WS_CLIPCHILDREN))
        return;
    RECT origin = ClientScreenRectOf(w);
    for (Window* c : w->children) {
        if (!IsShown(c))
            continue;
        RECT cs = ClientScreenRectOf(c);
        Region part = r;
        part.offset(origin.left - cs.left, origin.top - cs.top);
        addUpdate(c, part, erase, true);
    }
}

void subtractUpdate(Window* w, const Region* r)
{
    if (r)
        w->update.subtract(*r);
    else
        w->update.clear();
    if (w->update.empty()) {
        w->erase = false;
        w->internalPaint = false;
    }
}

// Every shown window in the order WM_PAINT visits them: top-level windows
// from the top, each before its children.
template <typename Fn>
bool forEachShown(Window* w, Fn&& fn)
{
    for (Window* c : w->children) {
        if (!IsShown(c))
            continue;
        if (fn(c) || forEachShown(c, fn))
            return true;
    }
    return false;
}

void exposeIn(Window* w, const Region& screen)
{
    Region vis = VisibleScreenRegion(H(w), false);
    vis.intersect(screen);
    if (!vis.empty()) {
        RECT client = ClientScreenRectOf(w);
        Region inClient = vis;
        inClient.intersect(client);
        Region frame = vis;
        frame.subtract(client);
        if (!frame.empty())
            w->ncDirty = true;
        if (!inClient.empty()) {
            inClient.offset(-client.left, -client.top);
            w->update.unite(inClient);
            w->erase = true;
        }
    }
    for (Window* c : w->children)
        if (IsShown(c))
            exposeIn(c, screen);
}

void paintNow(Window* w)
{
    if (w->ncDirty)
        SendNcPaint(w);
    if (w->alive && (!w->update.empty() || w->internalPaint))
        Send(w, WM_PAINT, 0, 0);
}

}  // namespace

Region VisibleScreenRegion(HWND hwnd, bool clientOnly)
{
    Desktop& d = TheDesktop();
    Window* w = d.fromHandle(hwnd);
    if (!w || !IsShown(w))
        return Region();
    if (w == d.desktop()) {
        Region r(d.desktop()->rect);
        if (!clientOnly)
            return r;
        for (Window* t : w->children)
            if (IsShown(t))
                r.subtract(ScreenRectOf(t));
        return r;
    }
    Region r(clientOnly ? ClientScreenRectOf(w) : ScreenRectOf(w));
    r.intersect(d.desktop()->rect);
    for (Window* a = w; a->parent; a = a->parent) {
        Window* p = a->parent;
        if (p != d.desktop())
            r.intersect(ClientScreenRectOf(p));
        bool clipSiblings = p == d.desktop() || (a->style & WS_CLIPSIBLINGS);
        if (clipSiblings) {
            for (Window* s : p->children) {
                if (s == a)
                    break;
                if (IsShown(s))
                    r.subtract(ScreenRectOf(s));
            }
        }
    }
    if (w->style & WS_CLIPCHILDREN)
        for (Window* c : w->children)
            if (IsShown(c))
                r.subtract(ScreenRectOf(c));
    return r;
}

void InvalidateScreen(const Region& screen)
{
    Desktop& d = TheDesktop();
    Region bare = screen;
    bare.intersect(d.desktop()->rect);
    if (bare.empty())
        return;
    for (Window* t : d.desktop()->children) {
        if (!IsShown(t))
            continue;
        exposeIn(t, screen);
        bare.subtract(ScreenRectOf(t));
    }
    PaintDesktop(bare);
}

void PaintDesktop(const Region& screenRegion)
{
    Screen& s = TheScreen();
    for (const RECT& r0 : screenRegion.rects()) {
        RECT r = IntersectRects(r0, s.bounds());
        for (LONG y = r.top; y < r.bottom; ++y) {
            std::uint32_t* row = s.pixels() + size_t(y) * size_t(s.stride());
            for (LONG x = r.left; x < r.right; ++x)
                row[x] = kDesktopColour;
        }
        s.markDirty(r);
    }
}

bool TakePaintMessage(MSG* out, HWND filter)
{
    Desktop& d = TheDesktop();
    Window* found = nullptr;
    forEachShown(d.desktop(), [&](Window* w) {
        if (filter && filter != reinterpret_cast<HWND>(-1) && H(w) != filter &&
            !IsChild(filter, H(w)))
            return false;
        if (filter == reinterpret_cast<HWND>(-1))
            return false;
        if (w->ncDirty && w->update.empty() && !w->internalPaint) {
            SendNcPaint(w);  // a frame alone needs no WM_PAINT
            return false;
        }
        if (!w->update.empty() || w->internalPaint) {
            found = w;
            return true;
        }
        return false;
    });
    if (!found)
        return false;
    *out = MSG{H(found), WM_PAINT, 0, 0, GetTickCount(), d.cursor()};
    return true;
}

void SendNcPaint(Window* w)
{
    w->ncDirty = false;
    Send(w, WM_NCPAINT, 1, 0);
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase)
{
    if (!hwnd) {
        InvalidateScreen(Region(rect ? *rect : TheDesktop().desktop()->rect));
        return 1;
    }
    Window* w = live(hwnd);
    if (!w)
        return 0;
    if (!IsShown(w))
        return 1;
    addUpdate(w, Region(rect ? *rect : clientRect(w)), erase != 0, true);
    return 1;
}

BOOL InvalidateRgn(HWND hwnd, const Region* region, BOOL erase)
{
    Window* w = live(hwnd);
    if (!w)
        return 0;
    if (!IsShown(w))
        return 1;
    addUpdate(w, region ? *region : Region(clientRect(w)), erase != 0, true);
    return 1;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect)
{
    Window* w = live(hwnd);
    if (!w)
        return 0;
    if (w->ncDirty)
        SendNcPaint(w);
    if (rect) {
        Region r(*rect);
        subtractUpdate(w, &r);
    } else {
        subtractUpdate(w, nullptr);
    }
    return 1;
}

BOOL ValidateRgn(HWND hwnd, const Region* region)
{
    Window* w = live(hwnd);
    if (!w)
        return 0;
    if (w->ncDirty)
        SendNcPaint(w);
    subtractUpdate(w, region);
    return 1;
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase)
{
    Window* w = live(hwnd);
    if (!w)
        return 0;
    if (rect)
        *rect = w->update.empty() ? RECT{} : w->update.box();
    if (erase && w->erase && !w->update.empty()) {
        HDC hdc = GetDC(hwnd);
        if (hdc && Send(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0))
            w->erase = false;
        ReleaseDC(hwnd, hdc);
    }
    return w->update.empty() ? 0 : 1;
}

int GetUpdateRgn(HWND hwnd, Region* region, BOOL erase)
{
    RECT box;
    BOOL any = GetUpdateRect(hwnd, &box, erase);
    Window* w = TheDesktop().fromHandle(hwnd);
    if (region)
        *region = w ? w->update : Region();
    // NULLREGION 1, SIMPLEREGION 2, COMPLEXREGION 3.
    if (!any || !w)
        return 1;
    return w->update.rectCount() == 1 ? 2 : 3;
}

BOOL UpdateWindow(HWND hwnd)
{
    Window* w = live(hwnd);
    if (!w)
        return 0;
    if (!IsShown(w))
        return 1;
    paintNow(w);
    std::vector<HWND> below;
    forEachShown(w, [&](Window* c) {
        below.push_back(H(c));
        return false;
    });
    for (HWND h : below)
        if (Window* c = TheDesktop().fromHandle(h); c && IsShown(c))
            paintNow(c);
    return 1;
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, const Region* region, UINT flags)
{
    Window* w = hwnd ? live(hwnd) : TheDesktop().desktop();
    if (!w)
        return 0;
    bool children = (flags & RDW_ALLCHILDREN) ||
                    (!(flags & RDW_NOCHILDREN) && !(w->style & WS_CLIPCHILDREN));
    Region r = region ? *region : Region(rect ? *rect : clientRect(w));
    if (w == TheDesktop().desktop() && (flags & RDW_INVALIDATE)) {
        InvalidateScreen(r);
    } else if (flags & RDW_INVALIDATE) {
        if (IsShown(w)) {
            addUpdate(w, r, (flags & RDW_ERASE) != 0, children);
            if (flags & RDW_FRAME)
                w->ncDirty = true;
            if (flags & RDW_INTERNALPAINT)
                w->internalPaint = true;
        }
    } else if (flags & RDW_VALIDATE) {
        subtractUpdate(w, region || rect ? &r : nullptr);
        if (flags & RDW_NOFRAME)
            w->ncDirty = false;
        if (flags & RDW_NOERASE)
            w->erase = false;
    }
    if (flags & RDW_UPDATENOW)
        UpdateWindow(H(w));
    else if ((flags & RDW_ERASENOW) && w->ncDirty)
        SendNcPaint(w);
    return 1;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps)
{
    Window* w = live(hwnd);
    if (!w || !ps)
        return nullptr;
    if (w->ncDirty)
        SendNcPaint(w);
    *ps = PAINTSTRUCT{};
    RECT client = ClientScreenRectOf(w);
    Region clip = VisibleScreenRegion(hwnd, true);
    Region update = w->update;
    update.offset(client.left, client.top);
    clip.intersect(update);
    ps->hdc = MakeScreenDC({client.left, client.top}, clip);
    ps->rcPaint = w->update.empty() ? RECT{} : w->update.box();
    bool erase = w->erase;
    w->update.clear();
    w->erase = false;
    w->internalPaint = false;
    w->inPaint = true;
    HideCaretForPaint(hwnd);
    if (erase && ps->hdc)
        erase = Send(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(ps->hdc), 0) == 0;
    ps->fErase = erase ? 1 : 0;
    return ps->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps)
{
    if (Window* w = TheDesktop().fromHandle(hwnd); w && w->inPaint) {
        w->inPaint = false;
        ShowCaretAfterPaint(hwnd);
    }
    if (ps && ps->hdc)
        FreeScreenDC(ps->hdc);
    NotifyWindowPainted(hwnd);
    return 1;
}

HDC GetDC(HWND hwnd)
{
    Desktop& d = TheDesktop();
    Window* w = hwnd ? live(hwnd) : d.desktop();
    if (!w)
        return nullptr;
    if (w == d.desktop())
        return MakeScreenDC({0, 0}, Region(d.desktop()->rect));
    RECT client = ClientScreenRectOf(w);
    return MakeScreenDC({client.left, client.top}, VisibleScreenRegion(H(w), true));
}

HDC GetWindowDC(HWND hwnd)
{
    Desktop& d = TheDesktop();
    Window* w = hwnd ? live(hwnd) : d.desktop();
    if (!w)
        return nullptr;
    RECT r = ScreenRectOf(w);
    return MakeScreenDC({r.left, r.top}, VisibleScreenRegion(H(w), false));
}

int ReleaseDC(HWND, HDC hdc)
{
    if (!hdc)
        return 0;
    FreeScreenDC(hdc);
    return 1;
}

}  // namespace plat
