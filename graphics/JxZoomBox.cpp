#include "graphics/JxZoomBox.h"

#include <algorithm>
#include <memory>
#include <new>
#include <string>

#include "foundation/JxErrorReport.h"
#include "foundation/JxFileUtils.h"
#include "foundation/JxWinHelpers.h"
#include "graphics/JxCAnimationTransition.h"
#include "graphics/JxTransitionLink.h"
#include "platform/clock/clock.h"
#include "platform/draw/draw.h"
#include "platform/window/messages.h"
#include "platform/window/window.h"

namespace {

constexpr unsigned kZoomMemoryErrorId = 1002;

constexpr std::array<JxWindowTransition, 12> kWindowTransitions{{
    {"none", 0, ""},
    {"zoom", 1, "zm"},
    {"wave", 2, ""},
    {"anim", 3, ""},
    {"slide_up", 4, ""},
    {"slide_down", 5, ""},
    {"slide_left", 6, ""},
    {"slide_right", 7, ""},
    {"unslide_up", 8, ""},
    {"unslide_down", 9, ""},
    {"unslide_left", 10, ""},
    {"unslide_right", 11, ""},
}};

std::int16_t ease(std::int32_t a, std::int32_t b, std::int32_t p)
{
    return std::int16_t(a * (100 - p) / 100 + b * p / 100);
}

// A move and four lines, in the device context's drawing mode.
void drawOutline(plat::HDC dc, const JxCRect& r)
{
    plat::MoveToEx(dc, r.left, r.top, nullptr);
    plat::LineTo(dc, r.right, r.top);
    plat::LineTo(dc, r.right, r.bottom);
    plat::LineTo(dc, r.left, r.bottom);
    plat::LineTo(dc, r.left, r.top);
}

bool isMouse(plat::UINT message)
{
    return message >= plat::WM_MOUSEFIRST && message <= plat::WM_MOUSELAST;
}

// Serves one waiting message, or waits until `due` or the next message.
// False when the quit arrived (it is posted again).
bool serveOrWait(plat::DWORD due)
{
    plat::MSG msg{};
    if (plat::PeekMessageA(&msg, nullptr, 0, 0, plat::PM_REMOVE)) {
        if (msg.message == plat::WM_QUIT) {
            plat::PostQuitMessage(int(msg.wParam));
            return false;
        }
        if (!isMouse(msg.message)) {
            plat::TranslateMessage(&msg);
            plat::DispatchMessageA(&msg);
        }
        return true;
    }
    const std::int32_t left = std::int32_t(due - plat::timeGetTime());
    if (left > 0)
        plat::WaitMessageTimeout(0, 0, plat::DWORD(left));
    return true;
}

// The opening or closing navigation sound of a transition entry.
void playNavigationSound(std::string_view name, bool closing)
{
    if (name.empty() || TransitionSoundSuppressed())
        return;
    const JxTransitionMediaLink* media = TransitionMedia();
    if (!media || !media->playSound)
        return;
    std::string sound;
    if (name.front() == '@') {
        sound = closing ? "@r" + std::string(name.substr(1)) : std::string(name);
    } else {
        sound = std::string(TransitionDataPath().View()) + "nav\\" + (closing ? "r" : "") + std::string(name) + ".wav";
        if (!FileExists(sound.c_str()))
            return;
    }
    media->playSound(JxCString(sound.c_str()));
}

// Plays the animation transition of an "anim" entry; false when it cannot
// be had at all.
bool playAnimation(const JxWindowTransition& entry, std::int32_t index)
{
    const std::optional<JxCRunTimeObject*> panel = TransitionCurrentPageFirstPanel();
    if (!panel || index < 0)
        return false;
    auto transition = std::unique_ptr<JxCAnimationTransition>(new (std::nothrow) JxCAnimationTransition);
    if (!transition)
        return false;
    const std::string file = std::string(TransitionDataPath().View()) + "nav\\" + std::string(entry.sound) + ".ani";
    if (FileExists(file.c_str()) && transition->Read(JxCString(file.c_str()), *panel)) {
        const JxTransitionMediaLink* media = TransitionMedia();
        if (media && media->setTransitionFlag && transition->GetAction())
            media->setTransitionFlag(*transition->GetAction());
        transition->Run();
    }
    return true;
}

}  // namespace

JxWindowTransition GetWindowTransition(std::int32_t index)
{
    if (index < 0 || std::size_t(index) >= kWindowTransitions.size())
        return {"", kWindowNone, ""};
    return kWindowTransitions[std::size_t(index)];
}

std::int32_t FindWindowTransition(std::string_view keyword)
{
    for (std::size_t i = 0; i < kWindowTransitions.size(); ++i)
        if (kWindowTransitions[i].keyword == keyword)
            return std::int32_t(i);
    return -1;
}

JxCRect ZoomFrame(const JxCRect& from, const JxCRect& to, int i, bool easeIn)
{
    if (easeIn) {
        const std::int32_t p = kZoomEasing[std::size_t(i)];
        return JxCRect(ease(from.left, to.left, p), ease(from.top, to.top, p), ease(from.right, to.right, p),
                       ease(from.bottom, to.bottom, p));
    }
    const std::int32_t p = kZoomEasing[std::size_t(JxCZoomInfo::kFrames - 1 - i)];
    return JxCRect(ease(to.left, from.left, p), ease(to.top, from.top, p), ease(to.right, from.right, p),
                   ease(to.bottom, from.bottom, p));
}

void ZoomBox(const JxCRect& from, const JxCRect& to, std::int16_t easeIn)
{
    std::unique_ptr<JxCZoomInfo> info(new (std::nothrow) JxCZoomInfo);
    if (!info) {
        OhNoItsAnError(kZoomMemoryErrorId, "ZoomBox memory allocation error");
        return;
    }
    info->dc = GetScreenDC();
    for (int i = 0; i < JxCZoomInfo::kFrames; ++i)
        info->frames[std::size_t(i)] = ZoomFrame(from, to, i, easeIn != 0);
    const int previousMode = plat::SetROP2(info->dc, plat::R2_NOT);
    plat::DWORD due = plat::timeGetTime();
    std::int32_t& n = info->frame;
    // Frames n - 3 to n - 1 are on the screen; each tick draws frame n and
    // erases frame n - 3.
    while (n < JxCZoomInfo::kFrames + 2) {
        if (std::int32_t(plat::timeGetTime() - due) >= 0) {
            if (n < JxCZoomInfo::kFrames)
                drawOutline(info->dc, info->frames[std::size_t(n)]);
            if (n >= 3)
                drawOutline(info->dc, info->frames[std::size_t(n - 3)]);
            ++n;
            due += kZoomFrameMilliseconds;
            continue;
        }
        if (!serveOrWait(due))
            break;
    }
    // Erase what is still shown (at the end: frame 9 alone).
    for (std::int32_t k = std::max(0, n - 3); k < std::min(n, JxCZoomInfo::kFrames); ++k)
        drawOutline(info->dc, info->frames[std::size_t(k)]);
    plat::SetROP2(info->dc, previousMode);
    ReleaseScreenDC(info->dc);
}

plat::HWND ZoomToPage(const JxZoomTarget& target)
{
    JxBusyScope busy;
    JxCPoint point = target.point.value_or(TransitionLastMousePoint());
    plat::POINT screen{point.x, point.y};
    if (target.parent)
        plat::ClientToScreen(target.parent, &screen);
    if (!TransitionIsClosingPopup()) {
        const JxWindowTransition entry = GetWindowTransition(target.transition);
        playNavigationSound(entry.sound, false);
        if (entry.kind == kWindowZoom) {
            const JxCRect at(std::int16_t(screen.x), std::int16_t(screen.y), std::int16_t(screen.x),
                             std::int16_t(screen.y));
            ZoomBox(at,
                    JxCRect(std::int16_t(target.x), std::int16_t(target.y), std::int16_t(target.x + target.width),
                            std::int16_t(target.y + target.height)),
                    1);
        } else if (entry.kind == kWindowAnimation && !playAnimation(entry, target.transition)) {
            return nullptr;
        }
    }
    return TransitionCreatePageWindow(target);
}

std::int16_t ZoomWindow(plat::HWND window, std::int32_t transition, std::optional<JxCPoint> point)
{
    JxBusyScope busy;
    if (!window || !plat::IsWindow(window))
        return 0;
    plat::RECT r{};
    plat::GetWindowRect(window, &r);
    plat::ShowWindow(window, plat::SW_HIDE);
    for (plat::HWND page : TransitionPageWindows())
        if (plat::IsWindow(page))
            plat::UpdateWindow(page);
    plat::DestroyWindow(window);
    if (TransitionIsClosingPopup())
        return 1;
    const JxWindowTransition entry = GetWindowTransition(transition);
    playNavigationSound(entry.sound, true);
    if (entry.kind == kWindowZoom) {
        const JxCPoint at = point.value_or(JxCPoint(r.right, r.bottom));
        ZoomBox(JxCRect(std::int16_t(r.left), std::int16_t(r.top), std::int16_t(r.right), std::int16_t(r.bottom)),
                JxCRect(std::int16_t(at.x), std::int16_t(at.y), std::int16_t(at.x), std::int16_t(at.y)), 0);
    }
    return 1;
}
