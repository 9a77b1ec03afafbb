#include "platform/window/caret.h"

#include <atomic>
#include <limits>
#include <mutex>

#include "platform/draw/draw.h"

namespace plat {

namespace {

struct CaretState {
    std::recursive_mutex mutex;
    bool exists = false;
    HWND window = nullptr;
    enum class Kind { Solid, Grey, Bitmap } kind = Kind::Solid;
    HBITMAP bitmap = nullptr;
    int width = 0;
    int height = 0;
    POINT position;
    int hides = 0;  // the caret shows while this is 0
    int paintHides = 0;  // of hides, those taken by paints in progress
    bool drawn = false;  // inverted on the screen now
    POINT drawnAt;
    UINT blinkTime = kDefaultCaretBlinkTime;
    std::uint64_t nextBlink = 0;
    CaretHost host;
    // nextBlink while it blinks, else never: read without the lock.
    static constexpr std::uint64_t kNever = std::numeric_limits<std::uint64_t>::max();
    std::atomic<std::uint64_t> due{kNever};
};

CaretState& caret()
{
    static CaretState s;
    return s;
}

std::uint64_t now(const CaretState& s)
{
    return s.host.now ? s.host.now() : 0;
}

// Inverts the caret's pixels at a place; twice puts the screen back.
void invertAt(CaretState& s, POINT at)
{
    if (!s.host.getDC || !s.window)
        return;
    HDC dc = s.host.getDC(s.window);
    if (!dc)
        return;
    switch (s.kind) {
    case CaretState::Kind::Solid: PatBlt(dc, at.x, at.y, s.width, s.height, DSTINVERT); break;
    case CaretState::Kind::Grey: {
        static const WORD grey[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
        HBITMAP pattern = CreateBitmap(8, 8, 1, 1, grey);
        HBRUSH brush = CreatePatternBrush(pattern);
        DeleteObject(pattern);
        COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
        COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
        HGDIOBJ old = SelectObject(dc, brush);
        PatBlt(dc, at.x, at.y, s.width, s.height, PATINVERT);
        SelectObject(dc, old);
        SetTextColor(dc, text);
        SetBkColor(dc, back);
        DeleteObject(brush);
        break;
    }
    case CaretState::Kind::Bitmap: {
        HDC mem = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(mem, s.bitmap);
        if (old)
            BitBlt(dc, at.x, at.y, s.width, s.height, mem, 0, 0, SRCINVERT);
        SelectObject(mem, old);
        DeleteDC(mem);
        break;
    }
    }
    if (s.host.releaseDC)
        s.host.releaseDC(s.window, dc);
}

void erase(CaretState& s)
{
    if (s.drawn) {
        invertAt(s, s.drawnAt);
        s.drawn = false;
    }
}

void draw(CaretState& s)
{
    if (!s.drawn) {
        s.drawnAt = s.position;
        invertAt(s, s.drawnAt);
        s.drawn = true;
    }
}

bool visible(const CaretState& s)
{
    return s.exists && s.hides == 0;
}

bool blinking(const CaretState& s)
{
    return visible(s) && s.blinkTime != INFINITE;
}

// Shown now, with a whole blink period before it goes off.
void restartBlink(CaretState& s)
{
    if (!visible(s))
        return;
    draw(s);
    s.nextBlink = now(s) + s.blinkTime;
}

// The caret locked; on the way out it says when it next blinks, so that
// the loop, which asks on every pass, takes the lock only when it is due.
class Locked {
public:
    explicit Locked(CaretState& s) : s_(s) { s_.mutex.lock(); }
    ~Locked()
    {
        s_.due.store(blinking(s_) ? s_.nextBlink : CaretState::kNever, std::memory_order_release);
        s_.mutex.unlock();
    }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    CaretState& s_;
};

bool mine(const CaretState& s, HWND hwnd)
{
    return s.exists && (!hwnd || hwnd == s.window);
}

void forget(CaretState& s)
{
    s.exists = false;
    s.window = nullptr;
    s.bitmap = nullptr;
    s.drawn = false;
    s.hides = 0;
    s.paintHides = 0;
}

}  // namespace

BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height)
{
    auto& s = caret();
    Locked lock(s);
    if (!hwnd || (s.host.isWindow && !s.host.isWindow(hwnd)))
        return 0;
    if (s.exists) {
        erase(s);
        forget(s);
    }
    s.kind = CaretState::Kind::Solid;
    if (bitmap == CARET_GRAY_BITMAP) {
        s.kind = CaretState::Kind::Grey;
    } else if (bitmap) {
        auto* b = AsGdi<BitmapObject>(bitmap, GdiKind::Bitmap);
        if (!b)
            return 0;
        s.kind = CaretState::Kind::Bitmap;
        s.bitmap = bitmap;
        width = b->width;
        height = b->height;
    }
    // A width or height of 0 is the system's: a one-pixel bar as high as
    // the window's text would be is the usual answer; 1 and 16 stand in.
    s.width = width > 0 ? width : 1;
    s.height = height > 0 ? height : 16;
    s.window = hwnd;
    s.exists = true;
    s.hides = 1;
    s.paintHides = 0;
    s.position = {};
    return 1;
}

BOOL DestroyCaret()
{
    auto& s = caret();
    Locked lock(s);
    if (!s.exists)
        return 0;
    erase(s);
    forget(s);
    return 1;
}

BOOL ShowCaret(HWND hwnd)
{
    auto& s = caret();
    Locked lock(s);
    if (!mine(s, hwnd) || s.hides == 0)
        return 0;
    // A show never takes back the hide of a paint still in progress.
    if (s.hides <= s.paintHides)
        return 0;
    if (--s.hides == 0)
        restartBlink(s);
    return 1;
}

BOOL HideCaret(HWND hwnd)
{
    auto& s = caret();
    Locked lock(s);
    if (!mine(s, hwnd))
        return 0;
    ++s.hides;
    erase(s);
    return 1;
}

BOOL SetCaretPos(int x, int y)
{
    auto& s = caret();
    Locked lock(s);
    if (!s.exists)
        return 0;
    if (s.position == POINT{x, y})
        return 1;
    erase(s);
    s.position = {x, y};
    restartBlink(s);
    return 1;
}

BOOL GetCaretPos(POINT* out)
{
    auto& s = caret();
    Locked lock(s);
    if (!out || !s.exists)
        return 0;
    *out = s.position;
    return 1;
}

UINT GetCaretBlinkTime()
{
    auto& s = caret();
    Locked lock(s);
    return s.blinkTime;
}

BOOL SetCaretBlinkTime(UINT milliseconds)
{
    auto& s = caret();
    Locked lock(s);
    if (milliseconds == 0)
        return 0;
    s.blinkTime = milliseconds;
    if (visible(s)) {
        draw(s);  // a caret that stops blinking stays on
        s.nextBlink = now(s) + s.blinkTime;
    }
    return 1;
}

HWND GetCaretWindow()
{
    auto& s = caret();
    Locked lock(s);
    return s.exists ? s.window : nullptr;
}

void HideCaretForPaint(HWND hwnd)
{
    auto& s = caret();
    Locked lock(s);
    if (!s.exists || hwnd != s.window)
        return;
    ++s.hides;
    ++s.paintHides;
    erase(s);
}

void ShowCaretAfterPaint(HWND hwnd)
{
    auto& s = caret();
    Locked lock(s);
    if (!s.exists || hwnd != s.window || s.paintHides == 0)
        return;
    --s.paintHides;
    if (--s.hides == 0)
        restartBlink(s);
}

void CaretWindowDestroyed(HWND hwnd)
{
    auto& s = caret();
    Locked lock(s);
    if (s.exists && hwnd == s.window)
        forget(s);  // nothing to erase: the window's pixels are repainted
}

std::optional<std::uint64_t> NextCaretBlink()
{
    auto& s = caret();
    Locked lock(s);
    if (!blinking(s))
        return std::nullopt;
    return s.nextBlink;
}

void BlinkCaretIfDue(std::uint64_t time)
{
    auto& s = caret();
    if (time < s.due.load(std::memory_order_acquire))
        return;
    Locked lock(s);
    if (!blinking(s) || time < s.nextBlink)
        return;
    if (s.drawn)
        erase(s);
    else
        draw(s);
    s.nextBlink = time + s.blinkTime;
}

void SetCaretHost(CaretHost host)
{
    auto& s = caret();
    Locked lock(s);
    s.host = std::move(host);
}

}  // namespace plat
