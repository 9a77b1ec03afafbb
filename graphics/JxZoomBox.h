#pragma once
// The zoom box: an outline that travels on the screen from one rectangle to
// another in ten frames, 50 ms apart, leaving a trail of three outlines
// drawn by inverting the screen, so that nothing has to be repainted. The
// page windows of popup pages are opened through ZoomToPage and closed
// through ZoomWindow, which also play the navigation sound of the window
// transition and, for opening, can play an animation transition.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "events/JxCRunTimeObject.h"
#include "foundation/JxCPoint.h"
#include "foundation/JxCRect.h"
#include "foundation/JxCString.h"
#include "platform/core/types.h"

// One zoom run.
class JxCZoomInfo : public JxCRunTimeObject {
public:
    static constexpr int kFrames = 10;

    std::int32_t frame = 0;
    plat::HDC dc = nullptr;
    std::array<JxCRect, kFrames> frames;
};

// The share of the way each frame has gone, in per cent.
constexpr std::array<std::int32_t, JxCZoomInfo::kFrames> kZoomEasing{0, 1, 3, 10, 17, 25, 33, 50, 70, 100};
constexpr std::int32_t kZoomFrameMilliseconds = 50;

// The window transitions of popup pages.
enum JxWindowTransitionKind : std::int32_t {
    kWindowNone = 0,
    kWindowZoom = 1,
    kWindowWave = 2,
    kWindowAnimation = 3,
};

struct JxWindowTransition {
    std::string_view keyword;
    std::int32_t kind;
    // The navigation sound; empty for none.
    std::string_view sound;
};

// The entry of a transition index; an index outside the table gives kind 0
// and no sound.
JxWindowTransition GetWindowTransition(std::int32_t index);
// The index of a keyword of the table, -1 when it is not there.
std::int32_t FindWindowTransition(std::string_view keyword);

// Frame i of a zoom (0 is `from`, 9 is `to`); with ease-in the box starts
// slowly and speeds up, without it starts fast and slows down.
JxCRect ZoomFrame(const JxCRect& from, const JxCRect& to, int i, bool easeIn);

// Draws the zoom from one screen rectangle to another in a nested loop
// that serves every message but mouse input; a quit ends it early (and is
// posted again), with the screen put back.
void ZoomBox(const JxCRect& from, const JxCRect& to, std::int16_t easeIn);

// What a page window is opened with. Popup pages also pass their window
// style and caption height, which the window's creation uses.
struct JxZoomTarget {
    JxCString title;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    plat::HWND parent = nullptr;
    std::int32_t transition = 0;
    // The point the zoom starts from, in the parent's client coordinates;
    // none: the product's last mouse point.
    std::optional<JxCPoint> point;
    void* createParam = nullptr;
    std::uint32_t style = 0;
    std::int32_t captionHeight = 0;
};

// Runs the opening transition, then creates the window; null when an
// animation transition cannot run or the window cannot be made.
plat::HWND ZoomToPage(const JxZoomTarget& target);
// Hides and destroys the window, then runs the closing transition towards
// the point (screen coordinates; none: the window's bottom-right corner).
// 0 when the window does not exist, else 1.
std::int16_t ZoomWindow(plat::HWND window, std::int32_t transition, std::optional<JxCPoint> point);
