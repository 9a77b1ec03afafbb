#include "platform/backend/harness.h"

#include "platform/audio/wave_out.h"

#include <stdexcept>

#include "platform/backend/screen_png.h"
#include "platform/fs/paths.h"
#include "platform/screen/screen.h"
#include "platform/window/desktop.h"
#include "platform/window/loop_service.h"

namespace plat {

namespace {

Responder& responderSlot()
{
    static Responder r;
    return r;
}

}  // namespace

Responder SetResponder(Responder responder)
{
    Responder old = std::move(responderSlot());
    responderSlot() = std::move(responder);
    return old;
}

std::optional<int> AskResponder(const UiRequest& request)
{
    auto& r = responderSlot();
    if (!r)
        return std::nullopt;
    return r(request);
}

Harness::Harness(bool virtualClock)
{
    auto b = std::make_unique<HeadlessBackend>(virtualClock);
    backend_ = b.get();
    previous_ = InstallBackend(std::move(b));
    previousResponder_ = SetResponder(nullptr);
    TheScreen().reset(Screen::kDefaultWidth, Screen::kDefaultHeight, 32);
    ResetDesktop();
}

Harness::~Harness()
{
    ResetDesktop();
    SetResponder(std::move(previousResponder_));
    InstallBackend(std::move(previous_));
}

std::uint64_t Harness::now() const
{
    return backend_->sharedClock()->now();
}

void Harness::advance(std::uint64_t ms)
{
    if (VirtualClock* vc = backend_->virtualClock())
        vc->advanceBy(ms);
}

void Harness::refusePosts(int count)
{
    TheDesktop().queue.refusePosts(count);
}

void Harness::moveMouse(POINT screen)
{
    InjectMouseMove(screen);
}

void Harness::press(POINT screen, MouseButton button)
{
    InjectMouseButton(button, true, screen);
}

void Harness::release(POINT screen, MouseButton button)
{
    InjectMouseButton(button, false, screen);
}

void Harness::click(POINT screen, MouseButton button)
{
    press(screen, button);
    release(screen, button);
}

void Harness::doubleClick(POINT screen, MouseButton button)
{
    click(screen, button);
    click(screen, button);
}

void Harness::keyDown(int vk)
{
    InjectKey(vk, true);
}

void Harness::keyUp(int vk)
{
    InjectKey(vk, false);
}

void Harness::tap(int vk)
{
    keyDown(vk);
    keyUp(vk);
}

void TypeText(const std::string& utf8)
{
    for (char32_t c : DecodeUtf8(utf8))
        InjectChar(c);
}

void Harness::typeText(const std::string& utf8)
{
    TypeText(utf8);
}

void Harness::activateApp(bool byClick)
{
    HostActivated(byClick);
}

void Harness::deactivateApp()
{
    HostDeactivated();
}

void Harness::minimizeHost()
{
    backend_->setHostMinimized(true);
    HostMinimized();
}

void Harness::restoreHost()
{
    backend_->setHostMinimized(false);
    HostRestored();
}

void Harness::changeDisplay(int width, int height, int bitsPerPixel)
{
    DisplayChanged(width, height, bitsPerPixel);
}

int Harness::runUntilIdle(int limit)
{
    int count = 0;
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) {
            quitSeen_ = true;
            exitCode_ = int(m.wParam);
            continue;
        }
        if (++count > limit)
            throw std::runtime_error("the program keeps making messages: more than " +
                                     std::to_string(limit) + " without becoming idle");
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return count;
}

int Harness::runFor(std::uint64_t ms)
{
    std::uint64_t end = now() + ms;
    int count = runUntilIdle();
    for (;;) {
        // Timers and wave buffers fall due on the way, each in its turn.
        auto due = NextTimerDue(nullptr);
        if (auto wave = NextWaveOutDue(); wave && (!due || *wave < *due))
            due = wave;
        if (auto service = NextLoopServiceDue(); service && (!due || *service < *due))
            due = service;
        if (!due || *due > end)
            break;
        if (VirtualClock* vc = backend_->virtualClock())
            vc->advanceTo(*due);
        count += runUntilIdle();
    }
    if (VirtualClock* vc = backend_->virtualClock())
        vc->advanceTo(end);
    count += runUntilIdle();
    return count;
}

bool Harness::writeScreenPng(const std::string& path, std::string* error) const
{
    return WriteScreenPng(TheScreen(), path, error);
}

}  // namespace plat
