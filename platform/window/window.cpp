// Windows: creation, destruction, the tree, window words, text, showing,
// moving and the geometry of windows.

#include <algorithm>
#include <cstring>
#include <strings.h>

#include "platform/backend/backend.h"
#include "platform/window/caret.h"
#include "platform/window/desktop.h"

namespace plat {

namespace {

Window* live(HWND hwnd)
{
    Window* w = TheDesktop().fromHandle(hwnd);
    if (!w)
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return w;
}

bool isTopLevel(const Window* w)
{
    return w->parent == TheDesktop().desktop();
}

POINT clientOrigin(const Window* w)
{
    RECT c = ClientScreenRectOf(w);
    return {c.left, c.top};
}

void unlink(Window* w)
{
    if (w->parent)
        std::erase(w->parent->children, w);
}

// Keeps owned windows above their owners and topmost windows above the rest.
void sortTopLevels()
{
    auto& list = TheDesktop().desktop()->children;
    for (size_t pass = 0; pass < list.size(); ++pass) {
        bool moved = false;
        for (size_t i = 0; i < list.size(); ++i) {
            Window* w = list[i];
            if (!w->owner)
                continue;
            auto ownerIt = std::find(list.begin(), list.begin() + long(i), w->owner);
            if (ownerIt != list.begin() + long(i)) {  // the owner is above: lift the owned one
                list.erase(list.begin() + long(i));
                list.insert(std::find(list.begin(), list.end(), w->owner), w);
                moved = true;
            }
        }
        if (!moved)
            break;
    }
    std::stable_partition(list.begin(), list.end(),
                          [](const Window* w) { return (w->exStyle & WS_EX_TOPMOST) != 0; });
}

void placeInZOrder(Window* w, HWND after)
{
    auto& list = w->parent->children;
    std::erase(list, w);
    if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
        list.insert(list.begin(), w);
    } else if (after == HWND_BOTTOM) {
        list.push_back(w);
    } else {
        auto it = std::find(list.begin(), list.end(), reinterpret_cast<Window*>(after));
        list.insert(it == list.end() ? list.begin() : it + 1, w);
    }
    if (isTopLevel(w))
        sortTopLevels();
}

void sendMoveAndSize(Window* w, bool moved, bool sized)
{
    RECT in = FrameInsets(w->style, w->exStyle);
    if (moved)
        Send(w, WM_MOVE, 0, MAKELPARAM(WORD(w->rect.left + in.left), WORD(w->rect.top + in.top)));
    if (sized && TheDesktop().fromHandle(H(w))) {
        RECT c;
        GetClientRect(H(w), &c);
        WPARAM kind = (w->style & WS_MINIMIZE) ? SIZE_MINIMIZED
                      : (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                                 : SIZE_RESTORED;
        Send(w, WM_SIZE, kind, MAKELPARAM(WORD(c.right), WORD(c.bottom)));
    }
}

// The window that takes over when `gone` stops being active: its owner when
// it has one that can be active, else the topmost other shown top-level one.
Window* successorOf(Window* gone)
{
    Desktop& d = TheDesktop();
    auto usable = [&](Window* w) {
        return w && w != gone && w->alive && !w->destroying && IsShown(w) &&
               !(w->style & WS_DISABLED) && !IsDescendant(gone, w);
    };
    if (usable(gone->owner))
        return gone->owner;
    for (Window* w : d.desktop()->children)
        if (usable(w))
            return w;
    return nullptr;
}

void handOffActivation(Window* w)
{
    Desktop& d = TheDesktop();
    Window* active = d.fromHandle(d.active);
    if (active && (active == w || IsDescendant(w, active))) {
        Window* next = successorOf(w);
        if (next)
            Activate(next, WA_ACTIVE);
        else
            Activate(nullptr, WA_INACTIVE);
    }
    // Gone while the program is in the background: the successor is the one
    // that comes back active with it.
    Window* last = d.fromHandle(d.lastActive);
    if (!d.appActive && last && (last == w || IsDescendant(w, last)))
        d.lastActive = H(successorOf(w));
}

void sendDestroy(Window* w)
{
    w->destroying = true;
    KillWindowTimers(H(w));
    Send(w, WM_DESTROY, 0, 0);
    std::vector<Window*> kids = w->children;
    for (Window* c : kids)
        if (c->alive && !c->destroying)
            sendDestroy(c);
}

void finalDestroy(Window* w)
{
    std::vector<Window*> kids = w->children;
    for (Window* c : kids)
        if (c->alive)
            finalDestroy(c);
    KillWindowTimers(H(w));
    CaretWindowDestroyed(H(w));
    Send(w, WM_NCDESTROY, 0, 0);
    Desktop& d = TheDesktop();
    if (d.capture == H(w))
        d.capture = nullptr;
    if (d.focus == H(w))
        d.focus = nullptr;
    if (d.active == H(w))
        d.active = nullptr;
    if (d.lastActive == H(w))
        d.lastActive = nullptr;
    std::erase_if(d.cookedInput, [w](const MSG& m) { return m.hwnd == H(w); });
    if (d.lastClick.hwnd == H(w))
        d.lastClick = {};
    for (Window* other : d.desktop()->children)
        if (other->owner == w)
            other->owner = nullptr;
    if (w->cls)
        --w->cls->windows;
    unlink(w);
    d.bury(w);
}

}  // namespace

HWND CreateWindowExA(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                     int x, int y, int width, int height, HWND parentHandle, HMENU menu,
                     HINSTANCE instance, void* param)
{
    Desktop& d = TheDesktop();
    auto cls = d.findClass(className);
    if (!cls) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return nullptr;
    }
    Window* parent = d.desktop();
    Window* owner = nullptr;
    if (style & WS_CHILD) {
        parent = d.fromHandle(parentHandle);
        if (!parent) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
    } else if (parentHandle) {
        owner = TopLevelOf(d.fromHandle(parentHandle));
        if (!owner) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
    }
    // Overlapped windows always have a caption; top-level windows always
    // clip their siblings.
    if (!(style & (WS_CHILD | WS_POPUP)))
        style |= WS_CAPTION | WS_CLIPSIBLINGS;
    if (!(style & WS_CHILD))
        style |= WS_CLIPSIBLINGS;
    if (x == CW_USEDEFAULT) {
        x = 20 * int(d.desktop()->children.size() % 8);
        y = x;
    }
    if (width == CW_USEDEFAULT) {
        width = d.desktop()->rect.right * 3 / 4;
        height = d.desktop()->rect.bottom * 3 / 4;
    }

    Window* w = d.newWindow();
    w->cls = cls;
    ++cls->windows;
    w->proc = cls->info.lpfnWndProc;
    w->style = style & ~WS_VISIBLE;
    w->exStyle = exStyle;
    w->instance = instance;
    w->id = reinterpret_cast<std::uintptr_t>(menu);
    w->text = windowName ? windowName : "";
    w->words.assign(size_t(cls->info.cbWndExtra + 3) / 4, 0);
    w->parent = parent;
    w->owner = owner;
    w->rect = {x, y, x + std::max(width, 0), y + std::max(height, 0)};
    w->normalRect = w->rect;
    parent->children.insert(parent->children.begin(), w);
    if (parent == d.desktop())
        sortTopLevels();

    CREATESTRUCTA cs;
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = parentHandle;
    cs.cx = width;
    cs.cy = height;
    cs.x = x;
    cs.y = y;
    cs.style = LONG(style);
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;
    HWND hwnd = H(w);
    if (!Send(w, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) || !d.fromHandle(hwnd)) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (Send(w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1 || !d.fromHandle(hwnd)) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    sendMoveAndSize(w, true, true);
    if (d.fromHandle(hwnd) && (style & WS_VISIBLE))
        ShowWindow(hwnd, (style & WS_CHILD) ? SW_SHOWNA : SW_SHOW);
    return d.fromHandle(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd)
{
    Desktop& d = TheDesktop();
    Window* w = live(hwnd);
    if (!w || w == d.desktop())
        return 0;
    if (w->destroying)
        return 1;
    // Owned windows go first, while their owner is still whole.
    std::vector<Window*> owned;
    for (Window* o : d.desktop()->children)
        if (o->owner == w)
            owned.push_back(o);
    for (Window* o : owned)
        if (o->alive)
            DestroyWindow(H(o));
    if (!d.fromHandle(hwnd) || w->destroying)
        return 1;

    bool shown = IsShown(w);
    RECT screen = ScreenRectOf(w);
    w->destroying = true;
    w->style &= ~WS_VISIBLE;
    if (shown)
        InvalidateScreen(Region(screen));
    ForgetWindowInput(w, true);
    handOffActivation(w);
    w->destroying = false;
    sendDestroy(w);
    finalDestroy(w);
    return 1;
}

BOOL IsWindow(HWND hwnd)
{
    return TheDesktop().fromHandle(hwnd) ? 1 : 0;
}

HWND GetDesktopWindow()
{
    return H(TheDesktop().desktop());
}

HWND GetParent(HWND hwnd)
{
    Window* w = live(hwnd);
    if (!w || w == TheDesktop().desktop())
        return nullptr;
    if (w->style & WS_CHILD)
        return H(w->parent);
    return (w->style & WS_POPUP) ? H(w->owner) : nullptr;
}

HWND SetParent(HWND child, HWND newParent)
{
    Desktop& d = TheDesktop();
    Window* w = live(child);
    Window* p = newParent ? live(newParent) : d.desktop();
    if (!w || !p || w == d.desktop() || p == w || IsDescendant(w, p))
        return nullptr;
    Window* old = w->parent;
    bool shown = IsShown(w);
    if (shown)
        InvalidateScreen(Region(ScreenRectOf(w)));
    unlink(w);
    w->parent = p;
    p->children.insert(p->children.begin(), w);
    if (p == d.desktop())
        sortTopLevels();
    if (IsShown(w))
        InvalidateScreen(Region(ScreenRectOf(w)));
    return H(old);
}

HWND GetWindow(HWND hwnd, UINT cmd)
{
    Window* w = live(hwnd);
    if (!w)
        return nullptr;
    if (cmd == GW_CHILD)
        return w->children.empty() ? nullptr : H(w->children.front());
    if (cmd == GW_OWNER)
        return H(w->owner);
    if (!w->parent)
        return nullptr;
    auto& sib = w->parent->children;
    auto it = std::find(sib.begin(), sib.end(), w);
    switch (cmd) {
    case GW_HWNDFIRST: return H(sib.front());
    case GW_HWNDLAST: return H(sib.back());
    case GW_HWNDNEXT: return (it + 1 != sib.end()) ? H(*(it + 1)) : nullptr;
    case GW_HWNDPREV: return it != sib.begin() ? H(*(it - 1)) : nullptr;
    default: return nullptr;
    }
}

HWND GetTopWindow(HWND hwnd)
{
    return GetWindow(hwnd ? hwnd : GetDesktopWindow(), GW_CHILD);
}

BOOL IsChild(HWND parent, HWND hwnd)
{
    Desktop& d = TheDesktop();
    Window* p = d.fromHandle(parent);
    Window* w = d.fromHandle(hwnd);
    if (!p || !w)
        return 0;
    for (Window* a = w; a && (a->style & WS_CHILD); a = a->parent)
        if (a->parent == p)
            return 1;
    return 0;
}

namespace {
void collect(Window* w, std::vector<HWND>& out)
{
    for (Window* c : w->children) {
        out.push_back(H(c));
        collect(c, out);
    }
}
}  // namespace

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam)
{
    Window* p = parent ? live(parent) : TheDesktop().desktop();
    if (!p || !proc)
        return 0;
    std::vector<HWND> list;
    collect(p, list);
    for (HWND h : list)
        if (IsWindow(h) && !proc(h, lParam))
            break;
    return 1;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam)
{
    if (!proc)
        return 0;
    std::vector<HWND> list;
    for (Window* w : TheDesktop().desktop()->children)
        list.push_back(H(w));
    for (HWND h : list)
        if (IsWindow(h) && !proc(h, lParam))
            break;
    return 1;
}

HWND FindWindowA(const char* className, const char* windowName)
{
    for (Window* w : TheDesktop().desktop()->children) {
        if (className && (!w->cls || strcasecmp(w->cls->name.c_str(), className) != 0))
            continue;
        if (windowName && w->text != windowName)
            continue;
        return H(w);
    }
    return nullptr;
}

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index)
{
    Window* w = live(hwnd);
    if (!w)
        return 0;
    if (index >= 0) {
        if (index % 4 != 0 || size_t(index / 4) >= w->words.size()) {
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        return w->words[size_t(index / 4)];
    }
    switch (index) {
    case GWL_STYLE: return LONG_PTR(w->style);
    case GWL_EXSTYLE: return LONG_PTR(w->exStyle);
    case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWL_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWL_HWNDPARENT: return reinterpret_cast<LONG_PTR>(w->owner);
    case GWL_ID: return LONG_PTR(w->id);
    case GWL_USERDATA: return w->userData;
    default: SetLastError(ERROR_INVALID_INDEX); return 0;
    }
}

LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value)
{
    Window* w = live(hwnd);
    if (!w)
        return 0;
    LONG_PTR old = 0;
    if (index >= 0) {
        if (index % 4 != 0 || size_t(index / 4) >= w->words.size()) {
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        std::swap(w->words[size_t(index / 4)], value);
        return value;
    }
    switch (index) {
    case GWL_STYLE: old = LONG_PTR(w->style); w->style = DWORD(value); break;
    case GWL_EXSTYLE: old = LONG_PTR(w->exStyle); w->exStyle = DWORD(value); break;
    case GWL_WNDPROC:
        if (!value) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        old = reinterpret_cast<LONG_PTR>(w->proc);
        w->proc = reinterpret_cast<WNDPROC>(value);
        break;
    case GWL_ID: old = LONG_PTR(w->id); w->id = std::uintptr_t(value); break;
    case GWL_USERDATA: old = w->userData; w->userData = value; break;
    case GWL_HWNDPARENT: {
        old = reinterpret_cast<LONG_PTR>(w->owner);
        Window* o = TheDesktop().fromHandle(reinterpret_cast<HWND>(value));
        w->owner = (o && !IsDescendant(w, o) && o != w) ? TopLevelOf(o) : nullptr;
        if (isTopLevel(w))
            sortTopLevels();
        break;
    }
    default: SetLastError(ERROR_INVALID_INDEX); return 0;
    }
    return old;
}

LONG GetWindowLongA(HWND hwnd, int index)
{
    return LONG(GetWindowLongPtrA(hwnd, index));
}

LONG SetWindowLongA(HWND hwnd, int index, LONG value)
{
    return LONG(SetWindowLongPtrA(hwnd, index, value));
}

BOOL SetWindowTextA(HWND hwnd, const char* text)
{
    Window* w = live(hwnd);
    if (!w)
        return 0;
    return BOOL(Send(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")));
}

int GetWindowTextA(HWND hwnd, char* buffer, int size)
{
    Window* w = live(hwnd);
    if (!w || !buffer || size <= 0)
        return 0;
    return int(Send(w, WM_GETTEXT, WPARAM(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthA(HWND hwnd)
{
    Window* w = live(hwnd);
    return w ? int(Send(w, WM_GETTEXTLENGTH, 0, 0)) : 0;
}

std::string WindowText(HWND hwnd)
{
    Window* w = TheDesktop().fromHandle(hwnd);
    return w ? w->text : std::string();
}

BOOL IsWindowVisible(HWND hwnd)
{
    Window* w = TheDesktop().fromHandle(hwnd);
    if (!w)
        return 0;
    for (; w; w = w->parent)
        if (!(w->style & WS_VISIBLE))
            return 0;
    return 1;
}

BOOL IsIconic(HWND hwnd)
{
    Window* w = TheDesktop().fromHandle(hwnd);
    return w && (w->style & WS_MINIMIZE) ? 1 : 0;
}

BOOL IsZoomed(HWND hwnd)
{
    Window* w = TheDesktop().fromHandle(hwnd);
    return w && (w->style & WS_MAXIMIZE) ? 1 : 0;
}

BOOL EnableWindow(HWND hwnd, BOOL enable)
{
    Desktop& d = TheDesktop();
    Window* w = live(hwnd);
    if (!w)
        return 0;
    BOOL wasDisabled = (w->style & WS_DISABLED) ? 1 : 0;
    if (bool(enable) == !wasDisabled)
        return wasDisabled;
    if (enable) {
        w->style &= ~WS_DISABLED;
    } else {
        w->style |= WS_DISABLED;
        if (d.capture == hwnd)
            ReleaseCapture();
        if (d.focus == hwnd || IsChild(hwnd, d.focus))
            SetFocus(nullptr);
    }
    Send(w, WM_ENABLE, enable ? 1 : 0, 0);
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd)
{
    Window* w = TheDesktop().fromHandle(hwnd);
    return w && !(w->style & WS_DISABLED) ? 1 : 0;
}

BOOL ShowWindow(HWND hwnd, int cmd)
{
    Desktop& d = TheDesktop();
    Window* w = live(hwnd);
    if (!w || w == d.desktop())
        return 0;
    BOOL wasVisible = (w->style & WS_VISIBLE) ? 1 : 0;
    bool child = (w->style & WS_CHILD) != 0;
    switch (cmd) {
    case SW_HIDE:
        if (!wasVisible)
            return 0;
        Send(w, WM_SHOWWINDOW, 0, 0);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return wasVisible;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE: {
        if (w->style & WS_MINIMIZE)
            return wasVisible;
        bool shown = IsShown(w);
        RECT screen = ScreenRectOf(w);
        if (!(w->style & WS_MAXIMIZE))
            w->normalRect = w->rect;
        w->style |= WS_MINIMIZE | WS_VISIBLE;
        if (shown)
            InvalidateScreen(Region(screen));
        handOffActivation(w);
        sendMoveAndSize(w, false, true);
        FollowMinimizedWithHost();
        return wasVisible;
    }
    case SW_MAXIMIZE: {
        MINMAXINFO mmi;
        RECT in = FrameInsets(w->style, w->exStyle);
        RECT full = child ? RECT{0, 0, w->parent->rect.right - w->parent->rect.left,
                                 w->parent->rect.bottom - w->parent->rect.top}
                          : d.desktop()->rect;
        mmi.ptMaxSize = {full.right + in.left + in.right, full.bottom + in.left + in.right};
        mmi.ptMaxPosition = {-in.left, -in.left};
        mmi.ptMinTrackSize = {GetSystemMetrics(SM_CXMIN), GetSystemMetrics(SM_CYMIN)};
        mmi.ptMaxTrackSize = mmi.ptMaxSize;
        Send(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        if (!d.fromHandle(hwnd))
            return wasVisible;
        if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE)))
            w->normalRect = w->rect;
        const bool fromIcon = w->style & WS_MINIMIZE;
        w->style = (w->style & ~WS_MINIMIZE) | WS_MAXIMIZE;
        w->style &= ~WS_VISIBLE;
        SetWindowPos(hwnd, HWND_TOP, mmi.ptMaxPosition.x, mmi.ptMaxPosition.y, mmi.ptMaxSize.x,
                     mmi.ptMaxSize.y, SWP_SHOWWINDOW | SWP_FRAMECHANGED);
        if (fromIcon)
            FollowRestoredWithHost(w);
        return wasVisible;
    }
    default: {
        bool activate = !child && cmd != SW_SHOWNA && cmd != SW_SHOWNOACTIVATE;
        if ((w->style & (WS_MINIMIZE | WS_MAXIMIZE)) && cmd != SW_SHOWNA && cmd != SW_SHOW) {
            bool shown = IsShown(w);
            RECT screen = ScreenRectOf(w);
            w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
            if (shown)
                InvalidateScreen(Region(screen));
            RECT r = w->normalRect;
            w->style &= ~WS_VISIBLE;
            SetWindowPos(hwnd, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_SHOWWINDOW | (activate ? 0 : SWP_NOACTIVATE));
            FollowRestoredWithHost(w);
            return wasVisible;
        }
        if (!wasVisible) {
            Send(w, WM_SHOWWINDOW, 1, 0);
            if (!d.fromHandle(hwnd))
                return wasVisible;
        }
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE |
                         (activate ? 0 : SWP_NOACTIVATE | SWP_NOZORDER));
        return wasVisible;
    }
    }
}

BOOL SetWindowPos(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags)
{
    Desktop& d = TheDesktop();
    Window* w = live(hwnd);
    if (!w || w == d.desktop())
        return 0;
    bool shownBefore = IsShown(w);
    RECT oldScreen = ScreenRectOf(w);
    Region oldVisible = shownBefore ? VisibleScreenRegion(hwnd, false) : Region();

    RECT r = w->rect;
    if (!(flags & SWP_NOMOVE)) {
        r.right = x + (r.right - r.left);
        r.bottom = y + (r.bottom - r.top);
        r.left = x;
        r.top = y;
    }
    if (!(flags & SWP_NOSIZE)) {
        r.right = r.left + std::max(cx, 0);
        r.bottom = r.top + std::max(cy, 0);
    }
    bool moved = r.left != w->rect.left || r.top != w->rect.top;
    bool sized = (r.right - r.left) != (w->rect.right - w->rect.left) ||
                 (r.bottom - r.top) != (w->rect.bottom - w->rect.top);
    w->rect = r;

    if (!(flags & SWP_NOZORDER)) {
        if (after == HWND_TOPMOST)
            w->exStyle |= WS_EX_TOPMOST;
        else if (after == HWND_NOTOPMOST)
            w->exStyle &= ~WS_EX_TOPMOST;
        placeInZOrder(w, after);
    }
    if (flags & SWP_SHOWWINDOW)
        w->style |= WS_VISIBLE;
    if (flags & SWP_HIDEWINDOW)
        w->style &= ~WS_VISIBLE;
    bool shownAfter = IsShown(w);

    if (!(flags & SWP_NOREDRAW)) {
        Region dirty;
        if (moved || sized || (flags & SWP_FRAMECHANGED) || shownBefore != shownAfter) {
            if (shownBefore)
                dirty.unite(oldScreen);
            if (shownAfter)
                dirty.unite(ScreenRectOf(w));
        } else if (shownAfter) {
            // Only a change of stacking: what was covered now shows.
            dirty = VisibleScreenRegion(hwnd, false);
            dirty.subtract(oldVisible);
        }
        if (!dirty.empty())
            InvalidateScreen(dirty);
    }
    if (shownBefore && !shownAfter) {
        ForgetWindowInput(w, false);
        handOffActivation(w);
    }
    sendMoveAndSize(w, moved, sized);
    if (d.fromHandle(hwnd) && shownAfter && !(flags & SWP_NOACTIVATE) && isTopLevel(w) &&
        d.active != hwnd && !(w->style & WS_DISABLED))
        Activate(w, WA_ACTIVE);
    return 1;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint)
{
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hwnd)
{
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement)
{
    Window* w = live(hwnd);
    if (!w || !placement)
        return 0;
    placement->flags = 0;
    placement->showCmd = !(w->style & WS_VISIBLE)     ? SW_HIDE
                         : (w->style & WS_MINIMIZE) ? SW_SHOWMINIMIZED
                         : (w->style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED
                                                    : SW_SHOWNORMAL;
    placement->ptMinPosition = {-1, -1};
    placement->ptMaxPosition = {-1, -1};
    placement->rcNormalPosition =
        (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) ? w->normalRect : w->rect;
    return 1;
}

BOOL GetWindowRect(HWND hwnd, RECT* rect)
{
    Window* w = live(hwnd);
    if (!w || !rect)
        return 0;
    *rect = ScreenRectOf(w);
    return 1;
}

BOOL GetClientRect(HWND hwnd, RECT* rect)
{
    Window* w = live(hwnd);
    if (!w || !rect)
        return 0;
    RECT c = ClientScreenRectOf(w);
    *rect = {0, 0, c.right - c.left, c.bottom - c.top};
    return 1;
}

BOOL ClientToScreen(HWND hwnd, POINT* point)
{
    Window* w = live(hwnd);
    if (!w || !point)
        return 0;
    POINT o = clientOrigin(w);
    point->x += o.x;
    point->y += o.y;
    return 1;
}

BOOL ScreenToClient(HWND hwnd, POINT* point)
{
    Window* w = live(hwnd);
    if (!w || !point)
        return 0;
    POINT o = clientOrigin(w);
    point->x -= o.x;
    point->y -= o.y;
    return 1;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count)
{
    Desktop& d = TheDesktop();
    Window* a = from ? d.fromHandle(from) : d.desktop();
    Window* b = to ? d.fromHandle(to) : d.desktop();
    if (!a || !b)
        return 0;
    POINT oa = clientOrigin(a);
    POINT ob = clientOrigin(b);
    LONG dx = oa.x - ob.x;
    LONG dy = oa.y - ob.y;
    for (UINT i = 0; i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return int(MAKELPARAM(WORD(dx), WORD(dy)));
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle)
{
    if (!rect)
        return 0;
    if (!(style & (WS_CHILD | WS_POPUP)))
        style |= WS_CAPTION;
    RECT in = FrameInsets(style, exStyle);
    rect->left -= in.left;
    rect->top -= in.top + (menu ? GetSystemMetrics(SM_CYMENU) : 0);
    rect->right += in.right;
    rect->bottom += in.bottom;
    return 1;
}

BOOL AdjustWindowRect(RECT* rect, DWORD style, BOOL menu)
{
    return AdjustWindowRectEx(rect, style, menu, 0);
}

namespace {

Window* childAt(Window* parent, POINT screen, bool shownEnabledOnly)
{
    for (Window* c : parent->children) {
        if (shownEnabledOnly &&
            (!(c->style & WS_VISIBLE) || (c->style & WS_MINIMIZE) || (c->style & WS_DISABLED) ||
             (c->exStyle & WS_EX_TRANSPARENT)))
            continue;
        if (PtInRect(ScreenRectOf(c), screen))
            return c;
    }
    return nullptr;
}

}  // namespace

HWND WindowFromPoint(POINT pt)
{
    Desktop& d = TheDesktop();
    Window* w = nullptr;
    for (Window* t : d.desktop()->children) {
        if ((t->style & WS_VISIBLE) && !(t->style & WS_MINIMIZE) && PtInRect(ScreenRectOf(t), pt)) {
            w = t;
            break;
        }
    }
    while (w) {
        if (!PtInRect(ClientScreenRectOf(w), pt))
            break;
        Window* c = childAt(w, pt, true);
        if (!c)
            break;
        w = c;
    }
    return w ? H(w) : nullptr;
}

HWND ChildWindowFromPoint(HWND parent, POINT clientPoint)
{
    Window* p = live(parent);
    if (!p)
        return nullptr;
    RECT c;
    GetClientRect(parent, &c);
    if (!PtInRect(c, clientPoint))
        return nullptr;
    POINT screen = clientPoint;
    ClientToScreen(parent, &screen);
    Window* w = childAt(p, screen, false);
    return H(w ? w : p);
}

}  // namespace plat
