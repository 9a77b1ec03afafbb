#include "platform/window/desktop.h"

#include <strings.h>

#include "platform/audio/wave_out.h"
#include "platform/backend/backend.h"
#include "platform/clock/clock.h"
#include "platform/screen/screen.h"
#include "platform/window/caret.h"

namespace plat {

namespace {

std::unique_ptr<Desktop>& desktopSlot()
{
    static std::unique_ptr<Desktop> d;
    return d;
}

}  // namespace

Desktop::Desktop() : desktop_(std::make_unique<Window>())
{
    desktop_->style = WS_VISIBLE | WS_CLIPCHILDREN;
    desktop_->rect = TheScreen().bounds();
    desktop_->text = "Desktop";
    queue.addWindow(H(desktop_.get()));
    CaretHost host;
    host.getDC = [](HWND hwnd) { return GetDC(hwnd); };
    host.releaseDC = [](HWND hwnd, HDC hdc) { ReleaseDC(hwnd, hdc); };
    host.isWindow = [](HWND hwnd) { return IsWindow(hwnd) != 0; };
    host.now = [] { return TheClock().now(); };
    SetCaretHost(std::move(host));
}

Desktop::~Desktop() = default;

Window* Desktop::fromHandle(HWND hwnd) const
{
    if (!hwnd || !queue.isLive(hwnd))
        return nullptr;
    return reinterpret_cast<Window*>(hwnd);
}

Window* Desktop::newWindow()
{
    windows_.push_back(std::make_unique<Window>());
    Window* w = windows_.back().get();
    queue.addWindow(H(w));
    return w;
}

void Desktop::bury(Window* w)
{
    // The handle must never name another window later, so the dead record
    // keeps its address; only what it owned is given back.
    queue.removeWindow(H(w));
    w->alive = false;
    w->children.clear();
    w->children.shrink_to_fit();
    w->words.clear();
    w->words.shrink_to_fit();
    w->text.clear();
    w->text.shrink_to_fit();
    w->update.clear();
    w->systemMenu.reset();
    w->cls.reset();
    w->parent = nullptr;
    w->owner = nullptr;
}

std::shared_ptr<WindowClass> Desktop::findClass(const char* name) const
{
    if (!name)
        return nullptr;
    for (const auto& c : classes)
        if (strcasecmp(c->name.c_str(), name) == 0)
            return c;
    return nullptr;
}

Desktop& TheDesktop()
{
    auto& d = desktopSlot();
    if (!d) {
        RequireMainThreadToCreate("desktop");
        d = std::make_unique<Desktop>();
    }
    return *d;
}

void ResetDesktop()
{
    DestroyCaret();
    CloseAllWaveOut();  // their callbacks name windows of the old desktop
    desktopSlot().reset();
    desktopSlot() = std::make_unique<Desktop>();
}

Window* TopLevelOf(Window* w)
{
    Window* d = TheDesktop().desktop();
    while (w && w->parent && w->parent != d)
        w = w->parent;
    return w == d ? nullptr : w;
}

bool IsDescendant(const Window* ancestor, const Window* w)
{
    for (const Window* p = w ? w->parent : nullptr; p; p = p->parent)
        if (p == ancestor)
            return true;
    return false;
}

RECT ScreenRectOf(const Window* w)
{
    RECT r = w->rect;
    const Window* p = w->parent;
    if (p && p->parent) {  // not a top-level window: offset by the parent's client origin
        RECT c = ClientScreenRectOf(p);
        r = {r.left + c.left, r.top + c.top, r.right + c.left, r.bottom + c.top};
    }
    return r;
}

RECT ClientScreenRectOf(const Window* w)
{
    RECT r = ScreenRectOf(w);
    RECT in = FrameInsets(w->style, w->exStyle);
    r.left += in.left;
    r.top += in.top;
    r.right -= in.right;
    r.bottom -= in.bottom;
    if (r.right < r.left)
        r.right = r.left;
    if (r.bottom < r.top)
        r.bottom = r.top;
    return r;
}

RECT FrameInsets(DWORD style, DWORD exStyle)
{
    int frame = 0;
    if (style & WS_THICKFRAME)
        frame = GetSystemMetrics(SM_CXFRAME);
    else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        frame = GetSystemMetrics(SM_CXDLGFRAME);
    else if (style & WS_BORDER)
        frame = GetSystemMetrics(SM_CXBORDER);
    int caption = (style & WS_CAPTION) == WS_CAPTION ? GetSystemMetrics(SM_CYCAPTION) : 0;
    return {frame, frame + caption, frame, frame};
}

bool IsShown(const Window* w)
{
    for (; w; w = w->parent)
        if (!(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE) || !w->alive)
            return false;
    return true;
}

}  // namespace plat
