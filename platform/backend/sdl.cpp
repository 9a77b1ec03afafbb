#include "platform/backend/sdl.h"

#include <SDL.h>
#include <SDL_syswm.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
// The host's display libraries keep, and lose when they are unloaded, a few
// allocations of their own; a sanitizer build does not report what this
// thread allocates while the SDL backend lives.
#define KELBO_HOST_LIBRARIES_BEGIN() __lsan_disable()
#define KELBO_HOST_LIBRARIES_END() __lsan_enable()
#else
#define KELBO_HOST_LIBRARIES_BEGIN() ((void)0)
#define KELBO_HOST_LIBRARIES_END() ((void)0)
#endif

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/backend/backend.h"
#include "platform/backend/x_errors.h"
#include "platform/backend/x_picture_selection.h"
#include "platform/fs/paths.h"
#include "platform/screen/screen.h"
#include "platform/window/cursor.h"
#include "platform/window/input.h"
#include "platform/window/messages.h"
#include "platform/window/window.h"

namespace plat {

namespace {

// A closed terminal (SIGHUP) ends the program as SIGTERM does: SDL turns
// SIGTERM into its quit event, which closes the program's window, so what
// the user did is saved on the way out. The hang-up is passed on as a
// SIGTERM. A hang-up that is ignored (nohup) or handled already, or a
// SIGTERM that SDL does not handle, is left as it is.
void onHangUp(int)
{
    ::kill(::getpid(), SIGTERM);  // safe in a signal handler
}

void endHangUpsAsTerminate()
{
    struct sigaction term {};
    struct sigaction hangUp {};
    if (::sigaction(SIGTERM, nullptr, &term) != 0 || term.sa_handler == SIG_DFL || term.sa_handler == SIG_IGN)
        return;
    if (::sigaction(SIGHUP, nullptr, &hangUp) != 0 || hangUp.sa_handler != SIG_DFL)
        return;
    struct sigaction passOn {};
    passOn.sa_handler = onHangUp;
    sigemptyset(&passOn.sa_mask);
    passOn.sa_flags = SA_RESTART;
    ::sigaction(SIGHUP, &passOn, nullptr);
}

// On X, the errors of SDL's connection and of the clipboard's are the
// program's to meet (x_errors.h), a lost display among them.
void watchXErrors()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && std::strcmp(driver, "x11") == 0)
        InstallXErrorHandlers();
}

// Virtual-key code and keyboard scan code (set 1, with the extended flag)
// of an SDL key.
struct KeyCodes {
    int vk = 0;
    int scan = 0;
    bool extended = false;
};

KeyCodes keyCodes(const SDL_Keysym& k)
{
    static const char letterScan[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                        0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                        0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
    SDL_Scancode s = k.scancode;
    if (s >= SDL_SCANCODE_A && s <= SDL_SCANCODE_Z)
        return {'A' + (s - SDL_SCANCODE_A), letterScan[s - SDL_SCANCODE_A], false};
    if (s >= SDL_SCANCODE_1 && s <= SDL_SCANCODE_9)
        return {'1' + (s - SDL_SCANCODE_1), 0x02 + (s - SDL_SCANCODE_1), false};
    if (s >= SDL_SCANCODE_F1 && s <= SDL_SCANCODE_F10)
        return {VK_F1 + (s - SDL_SCANCODE_F1), 0x3B + (s - SDL_SCANCODE_F1), false};
    if (s >= SDL_SCANCODE_F13 && s <= SDL_SCANCODE_F24)
        return {VK_F1 + 12 + (s - SDL_SCANCODE_F13), 0, false};
    if (s >= SDL_SCANCODE_KP_1 && s <= SDL_SCANCODE_KP_9) {
        static const int kp[9] = {0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};
        return {VK_NUMPAD0 + 1 + (s - SDL_SCANCODE_KP_1), kp[s - SDL_SCANCODE_KP_1], false};
    }
    switch (s) {
    case SDL_SCANCODE_0: return {'0', 0x0B};
    case SDL_SCANCODE_F11: return {VK_F1 + 10, 0x57};
    case SDL_SCANCODE_F12: return {VK_F12, 0x58};
    case SDL_SCANCODE_RETURN: return {VK_RETURN, 0x1C};
    case SDL_SCANCODE_KP_ENTER: return {VK_RETURN, 0x1C, true};
    case SDL_SCANCODE_ESCAPE: return {VK_ESCAPE, 0x01};
    case SDL_SCANCODE_BACKSPACE: return {VK_BACK, 0x0E};
    case SDL_SCANCODE_TAB: return {VK_TAB, 0x0F};
    case SDL_SCANCODE_SPACE: return {VK_SPACE, 0x39};
    case SDL_SCANCODE_MINUS: return {VK_OEM_MINUS, 0x0C};
    case SDL_SCANCODE_EQUALS: return {VK_OEM_PLUS, 0x0D};
    case SDL_SCANCODE_LEFTBRACKET: return {VK_OEM_4, 0x1A};
    case SDL_SCANCODE_RIGHTBRACKET: return {VK_OEM_6, 0x1B};
    case SDL_SCANCODE_BACKSLASH: return {VK_OEM_5, 0x2B};
    case SDL_SCANCODE_SEMICOLON: return {VK_OEM_1, 0x27};
    case SDL_SCANCODE_APOSTROPHE: return {VK_OEM_7, 0x28};
    case SDL_SCANCODE_GRAVE: return {VK_OEM_3, 0x29};
    case SDL_SCANCODE_COMMA: return {VK_OEM_COMMA, 0x33};
    case SDL_SCANCODE_PERIOD: return {VK_OEM_PERIOD, 0x34};
    case SDL_SCANCODE_SLASH: return {VK_OEM_2, 0x35};
    case SDL_SCANCODE_CAPSLOCK: return {VK_CAPITAL, 0x3A};
    case SDL_SCANCODE_LSHIFT: return {VK_SHIFT, 0x2A};
    case SDL_SCANCODE_RSHIFT: return {VK_SHIFT, 0x36};
    case SDL_SCANCODE_LCTRL: return {VK_CONTROL, 0x1D};
    case SDL_SCANCODE_RCTRL: return {VK_CONTROL, 0x1D, true};
    case SDL_SCANCODE_LALT: return {VK_MENU, 0x38};
    case SDL_SCANCODE_RALT: return {VK_MENU, 0x38, true};
    case SDL_SCANCODE_UP: return {VK_UP, 0x48, true};
    case SDL_SCANCODE_DOWN: return {VK_DOWN, 0x50, true};
    case SDL_SCANCODE_LEFT: return {VK_LEFT, 0x4B, true};
    case SDL_SCANCODE_RIGHT: return {VK_RIGHT, 0x4D, true};
    case SDL_SCANCODE_HOME: return {VK_HOME, 0x47, true};
    case SDL_SCANCODE_END: return {VK_END, 0x4F, true};
    case SDL_SCANCODE_PAGEUP: return {VK_PRIOR, 0x49, true};
    case SDL_SCANCODE_PAGEDOWN: return {VK_NEXT, 0x51, true};
    case SDL_SCANCODE_INSERT: return {VK_INSERT, 0x52, true};
    case SDL_SCANCODE_DELETE: return {VK_DELETE, 0x53, true};
    case SDL_SCANCODE_KP_0: return {VK_NUMPAD0, 0x52};
    case SDL_SCANCODE_KP_PERIOD: return {VK_DECIMAL, 0x53};
    case SDL_SCANCODE_KP_MULTIPLY: return {VK_MULTIPLY, 0x37};
    case SDL_SCANCODE_KP_PLUS: return {VK_ADD, 0x4E};
    case SDL_SCANCODE_KP_MINUS: return {VK_SUBTRACT, 0x4A};
    case SDL_SCANCODE_KP_DIVIDE: return {VK_DIVIDE, 0x35, true};
    case SDL_SCANCODE_NUMLOCKCLEAR: return {VK_NUMLOCK, 0x45};
    case SDL_SCANCODE_SCROLLLOCK: return {VK_SCROLL, 0x46};
    case SDL_SCANCODE_PAUSE: return {VK_PAUSE, 0x45, true};
    case SDL_SCANCODE_PRINTSCREEN: return {VK_SNAPSHOT, 0x37, true};
    default: return {};
    }
}

// Whether a renderer draws through a GL implementation that runs on the
// processor (llvmpipe and its kin): every present then wakes a pool of
// rasterising threads, where the window surface costs one copy of what
// changed.
bool rendersInSoftware(SDL_Renderer* renderer)
{
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || !(info.flags & SDL_RENDERER_ACCELERATED))
        return true;
    if (!info.name || std::strncmp(info.name, "opengl", 6) != 0)
        return false;
    using GetString = const unsigned char* (*)(unsigned);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString ? getString(0x1F01 /* GL_RENDERER */) : nullptr;
    if (!name)
        return false;
    const std::string renderer_name(reinterpret_cast<const char*>(name));
    for (const char* soft : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"})
        if (renderer_name.find(soft) != std::string::npos)
            return true;
    return false;
}

class SdlBackend final : public Backend {
public:
    SdlBackend() : Backend(std::make_shared<RealClock>()) { KELBO_HOST_LIBRARIES_BEGIN(); }
    ~SdlBackend() override;

    bool open(std::string* error);
    const char* name() const override { return "sdl"; }
    void wait(std::optional<std::uint64_t> deadline) override;
    void wake() override;
    void poll() override;
    void present() override;
    void showCursor(HCURSOR cursor) override;
    void setHostCapture(bool on) override { SDL_CaptureMouse(on ? SDL_TRUE : SDL_FALSE); }
    void setTitle(const std::string& utf8) override
    {
        if (window_)
            SDL_SetWindowTitle(window_, utf8.c_str());
    }
    void setHostMinimized(bool minimized) override;
    void setHostClipboardText(const std::string& utf8) override;
    void setHostClipboardPicture(std::string png) override;

    bool hostToDesktop(POINT host, POINT* desktop);
    bool desktopToHost(POINT desktop, POINT* host);
    bool presentsThroughSurface() const { return !renderer_ && surface_; }
    unsigned long x11Window() const
    {
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        return window_ && SDL_GetWindowWMInfo(window_, &info) && info.subsystem == SDL_SYSWM_X11
                   ? info.info.x11.window
                   : 0;
    }

private:
    void handle(const SDL_Event& e);
    void openPresenter();
    bool outputSize(int* w, int* h);
    void layout();
    void presentToSurface(const Region& dirty);
    void presentToRenderer(const Region& dirty);
    void drainEvents();
    bool focusCameWithClick();

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    // Without a hardware renderer the window's own surface shows the
    // desktop, and only what changed is copied to it.
    SDL_Surface* surface_ = nullptr;
    int textureW_ = 0;
    int textureH_ = 0;
    Uint32 wakeEvent_ = 0;
    SDL_Rect dest_{0, 0, 0, 0};
    int scale_ = 1;
    bool fullRedraw_ = true;
    std::uint64_t lastPoll_ = 0;
    std::uint64_t lastPresent_ = 0;
    SDL_Cursor* cursor_ = nullptr;
    HCURSOR cursorSource_ = nullptr;
    std::unique_ptr<XPictureSelection> pictures_;  // made when first needed
};

SdlBackend::~SdlBackend()
{
    if (cursor_)
        SDL_FreeCursor(cursor_);
    if (texture_)
        SDL_DestroyTexture(texture_);
    if (renderer_)
        SDL_DestroyRenderer(renderer_);
    if (window_)
        SDL_DestroyWindow(window_);
    // All of SDL: its D-Bus connection and video drivers go with it.
    SDL_Quit();
    KELBO_HOST_LIBRARIES_END();
}

bool SdlBackend::open(std::string* error)
{
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        *error = SDL_GetError();
        return false;
    }
    watchXErrors();
    endHangUpsAsTerminate();
    // The largest whole factor that fits the host's display.
    const Screen& s = TheScreen();
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0)
        scale_ = std::max(1, std::min(usable.w / s.width(), (usable.h - 40) / s.height()));
    window_ = SDL_CreateWindow("kelbo32", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               s.width() * scale_, s.height() * scale_, SDL_WINDOW_RESIZABLE);
    if (!window_) {
        *error = SDL_GetError();
        return false;
    }
    openPresenter();
    if (!renderer_ && !surface_) {
        *error = SDL_GetError();
        return false;
    }
    wakeEvent_ = SDL_RegisterEvents(1);
    SDL_StartTextInput();
    layout();
    return true;
}

// A hardware renderer where there is one (SDL_RENDER_DRIVER chooses
// another); else the window surface, copied to the X server without GL.
void SdlBackend::openPresenter()
{
    const char* chosen = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    renderer_ = SDL_CreateRenderer(window_, -1, chosen && *chosen ? 0 : SDL_RENDERER_ACCELERATED);
    if (renderer_ && (chosen && *chosen ? false : rendersInSoftware(renderer_))) {
        SDL_DestroyRenderer(renderer_);
        renderer_ = nullptr;
    }
    if (renderer_)
        return;
    // The surface of the window itself, not one that SDL would show through
    // a renderer of its own.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    surface_ = SDL_GetWindowSurface(window_);
    if (!surface_)
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
}

bool SdlBackend::outputSize(int* w, int* h)
{
    *w = *h = 0;
    if (renderer_)
        return SDL_GetRendererOutputSize(renderer_, w, h) == 0;
    if (!surface_)
        return false;
    *w = surface_->w;
    *h = surface_->h;
    return true;
}

void SdlBackend::layout()
{
    const Screen& s = TheScreen();
    if (!renderer_)
        surface_ = SDL_GetWindowSurface(window_);  // a new one after each resize
    int w = 0, h = 0;
    outputSize(&w, &h);
    scale_ = std::max(1, std::min(w / s.width(), h / s.height()));
    dest_ = {(w - s.width() * scale_) / 2, (h - s.height() * scale_) / 2, s.width() * scale_,
             s.height() * scale_};
    fullRedraw_ = true;
    if (!renderer_) {
        textureW_ = s.width();
        textureH_ = s.height();
        return;
    }
    if (textureW_ != s.width() || textureH_ != s.height()) {
        if (texture_)
            SDL_DestroyTexture(texture_);
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                     SDL_TEXTUREACCESS_STREAMING, s.width(), s.height());
        textureW_ = s.width();
        textureH_ = s.height();
    }
    fullRedraw_ = true;
}

bool SdlBackend::hostToDesktop(POINT host, POINT* desktop)
{
    int ww = 0, wh = 0, ow = 0, oh = 0;
    SDL_GetWindowSize(window_, &ww, &wh);
    outputSize(&ow, &oh);
    if (ww <= 0 || wh <= 0)
        return false;
    LONG px = LONG(std::int64_t(host.x) * ow / ww);
    LONG py = LONG(std::int64_t(host.y) * oh / wh);
    POINT d{(px - dest_.x) / scale_, (py - dest_.y) / scale_};
    bool inside = px >= dest_.x && py >= dest_.y && d.x < TheScreen().width() &&
                  d.y < TheScreen().height();
    d.x = std::clamp<LONG>(d.x, 0, TheScreen().width() - 1);
    d.y = std::clamp<LONG>(d.y, 0, TheScreen().height() - 1);
    *desktop = d;
    return inside;
}

bool SdlBackend::desktopToHost(POINT desktop, POINT* host)
{
    int ww = 0, wh = 0, ow = 0, oh = 0;
    SDL_GetWindowSize(window_, &ww, &wh);
    outputSize(&ow, &oh);
    if (ow <= 0 || oh <= 0)
        return false;
    // The middle of the host pixels that show the desktop pixel.
    std::int64_t px = dest_.x + desktop.x * scale_ + scale_ / 2;
    std::int64_t py = dest_.y + desktop.y * scale_ + scale_ / 2;
    *host = {LONG(px * ww / ow), LONG(py * wh / oh)};
    return true;
}

void SdlBackend::handle(const SDL_Event& e)
{
    switch (e.type) {
    case SDL_MOUSEMOTION: {
        POINT d;
        hostToDesktop({e.motion.x, e.motion.y}, &d);
        InjectMouseMove(d);
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        MouseButton b = e.button.button == SDL_BUTTON_LEFT    ? MouseButton::Left
                        : e.button.button == SDL_BUTTON_RIGHT ? MouseButton::Right
                        : e.button.button == SDL_BUTTON_MIDDLE ? MouseButton::Middle
                                                               : MouseButton(-1);
        if (int(b) < 0)
            break;
        POINT d;
        hostToDesktop({e.button.x, e.button.y}, &d);
        InjectMouseButton(b, e.type == SDL_MOUSEBUTTONDOWN, d);
        break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        KeyCodes k = keyCodes(e.key.keysym);
        if (k.vk)
            InjectKey(k.vk, e.type == SDL_KEYDOWN, k.scan, k.extended);
        break;
    }
    case SDL_TEXTINPUT:
        for (char32_t c : DecodeUtf8(e.text.text))
            InjectChar(c);
        break;
    case SDL_WINDOWEVENT:
        switch (e.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            // A click that brought us to the front activates the window
            // under it, as a click on an inactive program does.
            HostActivated(focusCameWithClick());
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST: HostDeactivated(); break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESIZED: layout(); break;
        case SDL_WINDOWEVENT_EXPOSED: fullRedraw_ = true; break;
        case SDL_WINDOWEVENT_MINIMIZED:
        case SDL_WINDOWEVENT_HIDDEN: HostMinimized(); break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SHOWN: HostRestored(); break;
        default: break;
        }
        break;
    case SDL_QUIT: HostCloseRequested(); break;
    default: break;
    }
}

// A press waiting in the queue, or the left button held over our client
// area: a press on the host window's frame or title bar never reaches a
// window of ours, so it leaves the choice to the keyboard.
bool SdlBackend::focusCameWithClick()
{
    SDL_Event pending;
    if (SDL_PeepEvents(&pending, 1, SDL_PEEKEVENT, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONDOWN) > 0)
        return true;
    int gx = 0, gy = 0, wx = 0, wy = 0, ww = 0, wh = 0;
    if (!(SDL_GetGlobalMouseState(&gx, &gy) & SDL_BUTTON_LMASK))
        return false;
    SDL_GetWindowPosition(window_, &wx, &wy);
    SDL_GetWindowSize(window_, &ww, &wh);
    return gx >= wx && gy >= wy && gx < wx + ww && gy < wy + wh;
}

void SdlBackend::drainEvents()
{
    SDL_Event e;
    while (SDL_PollEvent(&e))
        handle(e);
    lastPoll_ = clock().now();
}

void SdlBackend::poll()
{
    std::uint64_t now = clock().now();
    if (now - lastPoll_ >= 2)
        drainEvents();
    // A loop that never waits still shows what it draws.
    if (now - lastPresent_ >= 16)
        present();
}

void SdlBackend::wait(std::optional<std::uint64_t> deadline)
{
    present();
    int timeout = -1;
    if (deadline) {
        std::uint64_t now = clock().now();
        timeout = *deadline > now ? int(std::min<std::uint64_t>(*deadline - now, 1u << 30)) : 0;
    }
    SDL_Event e;
    if (SDL_WaitEventTimeout(&e, timeout))
        handle(e);
    drainEvents();
}

void SdlBackend::wake()
{
    SDL_Event e{};
    e.type = wakeEvent_;
    SDL_PushEvent(&e);
}

void SdlBackend::setHostClipboardText(const std::string& utf8)
{
    SDL_SetClipboardText(utf8.c_str());
    // SDL leaves its claim on the clipboard in its connection's buffer until
    // the loop next reads events: a picture copied meanwhile through our own
    // connection would be taken back by the text. The server has the claim
    // before the copy returns.
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window_ && SDL_GetWindowWMInfo(window_, &info) && info.subsystem == SDL_SYSWM_X11)
        XSync(info.info.x11.display, False);
}

// Only an X display has the picture selection; elsewhere the picture stays
// the program's own.
void SdlBackend::setHostClipboardPicture(std::string png)
{
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "x11") != 0)
        return;
    if (!pictures_)
        pictures_ = XPictureSelection::Open();
    if (pictures_)
        pictures_->offer(std::move(png));
}

void SdlBackend::setHostMinimized(bool minimized)
{
    if (minimized)
        SDL_MinimizeWindow(window_);
    else if (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED)
        SDL_RestoreWindow(window_);
}

void SdlBackend::present()
{
    lastPresent_ = clock().now();
    Screen& s = TheScreen();
    if (s.width() != textureW_ || s.height() != textureH_)
        layout();
    Region dirty = s.takeDirty();
    if (dirty.empty() && !fullRedraw_)
        return;
    if (fullRedraw_)
        dirty = Region(s.bounds());
    if (renderer_)
        presentToRenderer(dirty);
    else
        presentToSurface(dirty);
    fullRedraw_ = false;
}

void SdlBackend::presentToRenderer(const Region& dirty)
{
    Screen& s = TheScreen();
    RECT box = dirty.box();
    SDL_Rect r{box.left, box.top, box.right - box.left, box.bottom - box.top};
    const std::uint32_t* src = s.pixels() + size_t(box.top) * size_t(s.stride()) + size_t(box.left);
    SDL_UpdateTexture(texture_, &r, src, s.stride() * 4);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, &dest_);
    SDL_RenderPresent(renderer_);
}

// Each changed rectangle, scaled, into the window surface, and only those
// rectangles shown.
void SdlBackend::presentToSurface(const Region& dirty)
{
    Screen& s = TheScreen();
    if (!surface_)
        return;
    SDL_Surface* screen = SDL_CreateRGBSurfaceWithFormatFrom(s.pixels(), s.width(), s.height(), 32,
                                                             s.stride() * 4, SDL_PIXELFORMAT_RGB888);
    if (!screen)
        return;
    std::vector<SDL_Rect> shown;
    if (fullRedraw_) {
        SDL_FillRect(surface_, nullptr, SDL_MapRGB(surface_->format, 0, 0, 0));
        shown.push_back({0, 0, surface_->w, surface_->h});
    }
    // Many small pieces cost more to send than their bounding box.
    std::vector<RECT> parts = dirty.rects();
    if (parts.size() > 16)
        parts = {dirty.box()};
    for (const RECT& part : parts) {
        SDL_Rect from{part.left, part.top, part.right - part.left, part.bottom - part.top};
        SDL_Rect to{dest_.x + from.x * scale_, dest_.y + from.y * scale_, from.w * scale_, from.h * scale_};
        if (scale_ == 1)
            SDL_BlitSurface(screen, &from, surface_, &to);
        else
            SDL_BlitScaled(screen, &from, surface_, &to);
        if (!fullRedraw_)
            shown.push_back(to);
    }
    SDL_FreeSurface(screen);
    SDL_UpdateWindowSurfaceRects(window_, shown.data(), int(shown.size()));
}

void SdlBackend::showCursor(HCURSOR cursor)
{
    if (!cursor) {
        SDL_ShowCursor(SDL_DISABLE);
        return;
    }
    SDL_ShowCursor(SDL_ENABLE);
    if (cursor == cursorSource_ && cursor_) {
        SDL_SetCursor(cursor_);
        return;
    }
    const CursorObject& c = *cursor;
    if (c.width <= 0 || c.height <= 0 || c.pixels.size() < size_t(c.width) * size_t(c.height))
        return;
    // Pixels that invert the screen show as black: SDL cursors cannot invert.
    std::vector<std::uint32_t> argb(c.pixels);
    for (size_t i = 0; i < argb.size() && i < c.invert.size(); ++i)
        if (c.invert[i])
            argb[i] = 0xFF000000u;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        argb.data(), c.width, c.height, 32, c.width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!surface)
        return;
    SDL_Surface* shown = surface;
    if (scale_ > 1) {
        shown = SDL_CreateRGBSurfaceWithFormat(0, c.width * scale_, c.height * scale_, 32,
                                               SDL_PIXELFORMAT_ARGB8888);
        if (shown)
            SDL_BlitScaled(surface, nullptr, shown, nullptr);
        else
            shown = surface;
    }
    SDL_Cursor* made = SDL_CreateColorCursor(shown, c.hotspot.x * scale_, c.hotspot.y * scale_);
    if (shown != surface)
        SDL_FreeSurface(shown);
    SDL_FreeSurface(surface);
    if (!made)
        return;
    SDL_SetCursor(made);
    if (cursor_)
        SDL_FreeCursor(cursor_);
    cursor_ = made;
    // Only a shared cursor lives as long as the program: another freed may
    // leave its address to a new one, which must not show the old picture.
    cursorSource_ = c.shared ? cursor : nullptr;
}

}  // namespace

std::unique_ptr<Backend> CreateSdlBackend(std::string* error)
{
    std::string local;
    if (!error)
        error = &local;
    auto b = std::make_unique<SdlBackend>();
    if (!b->open(error))
        return nullptr;
    return b;
}

bool SdlDesktopToHost(Backend& backend, POINT desktop, POINT* host)
{
    auto* sdl = dynamic_cast<SdlBackend*>(&backend);
    return sdl && host && sdl->desktopToHost(desktop, host);
}

bool SdlPresentsThroughWindowSurface(Backend& backend)
{
    auto* sdl = dynamic_cast<SdlBackend*>(&backend);
    return sdl && sdl->presentsThroughSurface();
}

unsigned long SdlHostX11Window(Backend& backend)
{
    auto* sdl = dynamic_cast<SdlBackend*>(&backend);
    return sdl ? sdl->x11Window() : 0;
}

bool SdlHostToDesktop(Backend& backend, POINT host, POINT* desktop)
{
    auto* sdl = dynamic_cast<SdlBackend*>(&backend);
    return sdl && desktop && sdl->hostToDesktop(host, desktop);
}

}  // namespace plat
