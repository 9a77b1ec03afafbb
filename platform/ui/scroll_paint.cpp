#include "platform/ui/scroll_paint.h"

#include <algorithm>

#include "platform/ui/control_kit.h"

namespace plat::ui {

namespace {

int length(const ScrollGeometry& g)
{
    return int(g.vertical ? g.bar.bottom - g.bar.top : g.bar.right - g.bar.left);
}

int thickness(const ScrollGeometry& g)
{
    return int(g.vertical ? g.bar.right - g.bar.left : g.bar.bottom - g.bar.top);
}

int arrowLen(const ScrollGeometry& g)
{
    return std::min(thickness(g), length(g) / 2);
}

// Thumb start and length along the track (which starts after the first arrow).
std::pair<int, int> thumb(const ScrollGeometry& g)
{
    int track = length(g) - 2 * arrowLen(g);
    int range = g.maxPos - g.minPos;
    int len = thickness(g);
    if (g.page > 0 && range >= 0)
        len = std::max(8, int((long long)track * g.page / (range + g.page)));
    len = std::min(len, track);
    int travel = track - len;
    int at = range > 0 ? int((long long)travel * (std::clamp(g.pos, g.minPos, g.maxPos) - g.minPos) / range) : 0;
    return {arrowLen(g) + at, len};
}

RECT along(const ScrollGeometry& g, int from, int to)
{
    if (g.vertical)
        return {g.bar.left, g.bar.top + from, g.bar.right, g.bar.top + to};
    return {g.bar.left + from, g.bar.top, g.bar.left + to, g.bar.bottom};
}

void arrow(HDC dc, const RECT& r, int dir, bool enabled)
{
    // dir 0 up, 1 down, 2 left, 3 right: a small solid triangle.
    FillSolid(dc, r, GetSysColor(COLOR_BTNFACE));
    RaisedEdge(dc, r);
    COLORREF c = enabled ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT);
    int cx = int(r.left + r.right) / 2, cy = int(r.top + r.bottom) / 2;
    for (int i = 0; i < 4; ++i) {
        if (dir == 0)
            FillSolid(dc, {cx - i, cy - 2 + i, cx + i + 1, cy - 1 + i}, c);
        else if (dir == 1)
            FillSolid(dc, {cx - i, cy + 1 - i, cx + i + 1, cy + 2 - i}, c);
        else if (dir == 2)
            FillSolid(dc, {cx - 2 + i, cy - i, cx - 1 + i, cy + i + 1}, c);
        else
            FillSolid(dc, {cx + 1 - i, cy - i, cx + 2 - i, cy + i + 1}, c);
    }
}

}  // namespace

RECT ThumbRect(const ScrollGeometry& g)
{
    auto [at, len] = thumb(g);
    return along(g, at, at + len);
}

void DrawScrollBar(HDC dc, const ScrollGeometry& g, bool enabled)
{
    int a = arrowLen(g), n = length(g);
    // The track: the classic half-tone of face and highlight, as a dither.
    RECT track = along(g, a, n - a);
    for (LONG y = track.top; y < track.bottom; ++y)
        for (LONG x = track.left; x < track.right; ++x)
            SetPixel(dc, int(x), int(y), ((x + y) & 1) ? GetSysColor(COLOR_BTNHIGHLIGHT) : GetSysColor(COLOR_BTNFACE));
    arrow(dc, along(g, 0, a), g.vertical ? 0 : 2, enabled);
    arrow(dc, along(g, n - a, n), g.vertical ? 1 : 3, enabled);
    if (enabled && g.maxPos > g.minPos) {
        RECT t = ThumbRect(g);
        FillSolid(dc, t, GetSysColor(COLOR_BTNFACE));
        RaisedEdge(dc, t);
    }
}

int ScrollHit(const ScrollGeometry& g, POINT p)
{
    if (!PtInRect(g.bar, p))
        return -1;
    int off = int(g.vertical ? p.y - g.bar.top : p.x - g.bar.left);
    int a = arrowLen(g), n = length(g);
    if (off < a)
        return SB_LINEUP;
    if (off >= n - a)
        return SB_LINEDOWN;
    auto [at, len] = thumb(g);
    if (off < at)
        return SB_PAGEUP;
    if (off >= at + len)
        return SB_PAGEDOWN;
    return SB_THUMBTRACK;
}

int ScrollPosAt(const ScrollGeometry& g, int trackOffset)
{
    auto [at, len] = thumb(g);
    (void)at;
    int travel = length(g) - 2 * arrowLen(g) - len;
    int range = g.maxPos - g.minPos;
    if (travel <= 0 || range <= 0)
        return g.minPos;
    int off = std::clamp(trackOffset - arrowLen(g), 0, travel);
    return g.minPos + int(((long long)off * range + travel / 2) / travel);
}

}  // namespace plat::ui
