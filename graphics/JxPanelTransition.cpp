#include "graphics/JxPanelTransition.h"

#include <algorithm>
#include <array>
#include <memory>

#include "foundation/JxWinHelpers.h"
#include "graphics/JxCMemorySlate.h"
#include "graphics/JxCSlate.h"
#include "graphics/JxTransitionLink.h"
#include "platform/clock/clock.h"
#include "platform/draw/draw.h"
#include "platform/window/window.h"

namespace {

struct KeywordEntry {
    std::string_view keyword;
    std::int32_t type;
};

// In table order; the definitions name transitions by these keywords.
constexpr std::array<KeywordEntry, 7> kKeywords{{
    {"none", kTransitionNone},
    {"zoom", kTransitionNone},
    {"boxy_dissolve", kTransitionBoxyDissolve},
    {"wipe_up", kTransitionWipeUp},
    {"wipe_down", kTransitionWipeDown},
    {"wipe_left", kTransitionWipeLeft},
    {"wipe_right", kTransitionWipeRight},
}};

// The lowest taps of the published maximal-length registers, by width.
constexpr std::array<std::uint8_t, 33> kTaps{0,    0,    3,    3,    3,    5,    3,    3,    0x17, 0x11, 9,
                                             5,    0x65, 0x1B, 0x35, 3,    0x2D, 9,    0x81, 0x39, 9,    5,
                                             3,    0x21, 0x1B, 9,    0x71, 0x39, 9,    5,    0x65, 9,    0xA3};

std::uint32_t& statistic()
{
    static std::uint32_t value = 256;
    return value;
}

JxCRect clipped(const JxCRect& a, const JxCRect& b)
{
    JxCRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom));
    if (r.IsEmpty())
        r.Set(r.left, r.top, r.left, r.top);
    return r;
}

// Serves wave-output completions until `deadline` (a timeGetTime value),
// sleeping in between.
void pumpUntil(plat::DWORD deadline)
{
    for (;;) {
        PumpPrivateMessages();
        const std::int32_t left = std::int32_t(deadline - plat::timeGetTime());
        if (left <= 0)
            return;
        plat::WaitMessageTimeout(plat::MM_WOM_DONE, plat::MM_WOM_DONE, plat::DWORD(left));
    }
}

// Takes and serves at most one waiting wave-output completion.
void serveOneCompletion()
{
    plat::MSG msg{};
    if (plat::PeekMessageA(&msg, nullptr, plat::MM_WOM_DONE, plat::MM_WOM_DONE, plat::PM_REMOVE))
        plat::DispatchMessageA(&msg);
}

std::span<std::uint8_t> pixelBuffer(JxCSlate* slate)
{
    JxCMemorySlate* memory = slate ? slate->AsMemorySlate() : nullptr;
    if (!memory)
        return {};
    plat::BITMAPINFOHEADER header{};
    std::uint8_t* bits = memory->GetBits(&header);
    if (!bits)
        return {};
    const std::size_t rows = std::size_t(header.biHeight < 0 ? -std::int64_t(header.biHeight) : header.biHeight);
    return {bits, std::size_t(plat::DibStride(header.biWidth, header.biBitCount)) * rows};
}

bool isWipe(std::int32_t type)
{
    return type >= kTransitionWipeUp && type <= kTransitionWipeRight;
}

bool isVertical(std::int32_t type)
{
    return type == kTransitionWipeUp || type == kTransitionWipeDown;
}

// Moves the source window one step in the direction of the type.
void moveWindow(JxCRect& window, std::int32_t type, std::int32_t by)
{
    switch (type) {
    case kTransitionWipeUp: window.Offset(0, by); break;
    case kTransitionWipeDown: window.Offset(0, -by); break;
    case kTransitionWipeLeft: window.Offset(by, 0); break;
    case kTransitionWipeRight: window.Offset(-by, 0); break;
    default: break;
    }
}

// The timed wipe; S is moved as the wipe goes and left at the full extent.
void runWipe(JxCSlate* destination, JxCSlate* source, const JxCRect& r, JxCRect& s, std::int32_t type,
             std::int32_t duration)
{
    const std::int32_t w = r.Width();
    const std::int32_t h = r.Height();
    const std::int32_t extent = isVertical(type) ? h : w;
    if (extent <= 0 || w <= 0 || h <= 0)
        return;
    std::int32_t step =
        GetTransitionStepForImage(w, h, duration, statistic(), isVertical(type) ? 1 : 0);
    step = std::max(step, (extent + kMaxWipePasses - 1) / kMaxWipePasses);
    const std::int32_t passes = (extent + step - 1) / step;
    const plat::DWORD passTime = kWipeMilliseconds / plat::DWORD(passes);
    PumpPrivateMessages();
    if (type == kTransitionWipeDown)
        s.Offset(0, h);
    else if (type == kTransitionWipeRight)
        s.Offset(w, 0);
    JxCSlate::Blit(destination, source, &s, &r, 0);
    PumpPrivateMessages();
    std::uint64_t total = 0;
    std::uint64_t count = 0;
    for (std::int32_t covered = 0; covered < extent;) {
        const plat::DWORD start = plat::timeGetTime();
        const std::int32_t by = std::min(step, extent - covered);
        moveWindow(s, type, by);
        JxCSlate::Blit(destination, source, &s, &r, 0);
        covered += by;
        total += plat::timeGetTime() - start;
        ++count;
        const std::uint64_t perPass = ((total / count) << 20) / (std::uint64_t(h) * std::uint64_t(w));
        statistic() = std::uint32_t(std::min<std::uint64_t>(perPass, 0xFFFFFFFFu));
        pumpUntil(start + passTime);
    }
    PumpPrivateMessages();
}

}  // namespace

std::int32_t FindTransitionKeyword(std::string_view keyword)
{
    for (std::size_t i = 0; i < kKeywords.size(); ++i) {
        std::string_view entry = kKeywords[i].keyword;
        if (!entry.empty() && entry.front() == '@')
            entry.remove_prefix(1);
        if (entry == keyword)
            return std::int32_t(i);
    }
    return -1;
}

std::int32_t GetTransitionTypeAt(std::int32_t position)
{
    if (position < 0 || std::size_t(position) >= kKeywords.size())
        return kTransitionNone;
    return kKeywords[std::size_t(position)].type;
}

std::int32_t GetTransitionType(std::string_view keyword)
{
    return GetTransitionTypeAt(FindTransitionKeyword(keyword));
}

std::uint32_t BitLength(std::uint32_t value)
{
    std::uint32_t bits = 0;
    for (; value; value >>= 1)
        ++bits;
    return bits;
}

std::uint32_t GetDissolveTapMask(std::uint32_t width)
{
    if (width < 2 || width >= kTaps.size())
        return 0;
    std::uint32_t mask = kTaps[width];
    while (BitLength(mask) < width)
        mask <<= 1;
    return mask;
}

std::uint32_t DissolveStep(std::span<const std::uint8_t> source, std::span<std::uint8_t> destination,
                           std::uint32_t limit, std::uint32_t value, std::uint32_t mask, std::uint32_t count,
                           std::uint16_t rowLength)
{
    (void)rowLength;  // the buffers are walked as one run of bytes
    const std::uint64_t bound = std::min<std::uint64_t>({limit, source.size(), destination.size()});
    if (mask == 0 || value == 0)
        return value;
    std::uint32_t copied = 0;
    // A maximal-length register is back at 1 after 2^n - 1 steps; a mask
    // that is not one must not keep the loop going for ever.
    std::uint64_t steps = std::uint64_t(1) << BitLength(mask);
    do {
        if (steps-- == 0)
            break;
        const bool out = value & 1;
        value >>= 1;
        if (out)
            value ^= mask;
        if (value >= 1 && value < bound) {
            destination[value] = source[value];
            if (++copied == count)
                break;
        }
    } while (value != 1);
    return value;
}

std::int32_t GetTransitionStepForImage(std::int32_t width, std::int32_t height, std::int32_t duration,
                                       std::uint32_t speed, std::int16_t vertical)
{
    if (duration < 0)
        duration = 1;
    // Milliseconds of one pass as the machine was last measured.
    std::uint64_t e = std::uint64_t(speed) * std::uint64_t(std::max(width, 0)) * std::uint64_t(std::max(height, 0));
    e = e > 0xFFFFF ? e >> 20 : 1;
    std::uint64_t n;
    if (duration == 0) {
        n = std::max<std::uint64_t>(750 / e, 1);
        if (n < 10 && e * 10 > 2000)
            n = 1;
    } else {
        n = std::max<std::uint64_t>(std::uint64_t(duration) / e, 1);
    }
    const std::int32_t extent = vertical ? height : width;
    return std::int32_t(std::uint64_t(std::max(extent, 0)) / n);
}

std::uint32_t GetWipeSpeedStatistic()
{
    return statistic();
}

void SetWipeSpeedStatistic(std::uint32_t value)
{
    statistic() = value;
}

void RunTransitionWithMessagePump(JxCTransitionState& panel, JxCSlate* destination, JxCSlate* source,
                                  const JxCRect& rect)
{
    const std::int32_t width = rect.Width();
    const std::int32_t height = rect.Height();
    if (width <= 0 || height <= 0 || !destination)
        return;
    // The picture being built, at the panel's place in the destination.
    auto built = std::make_unique<JxCMemorySlate>(width, height, rect.left, rect.top);
    const std::span<std::uint8_t> target = pixelBuffer(built.get());
    if (target.empty())
        return;
    panel.slate = built.get();
    struct Forget {
        JxCTransitionState& panel;
        ~Forget() { panel.slate = nullptr; }
    } forget{panel};
    serveOneCompletion();
    JxCSlate::Blit(built.get(), destination, &rect, &rect, 0);
    const std::span<std::uint8_t> picture = pixelBuffer(source);
    if (picture.empty())
        return;
    const std::uint32_t registerWidth = BitLength(std::uint32_t(width) + 1) + BitLength(std::uint32_t(height) + 1);
    const std::uint32_t mask = GetDissolveTapMask(registerWidth);
    if (mask == 0)
        return;
    const std::uint64_t pixels = std::uint64_t(width) * std::uint64_t(height);
    const std::uint32_t limit = std::uint32_t(std::min<std::uint64_t>(pixels, 0xFFFFFFFFu));
    const std::uint32_t perPass = limit / 10;
    TransitionMarkBusy();
    std::uint32_t value = 1;
    do {
        const plat::DWORD start = plat::timeGetTime();
        serveOneCompletion();
        value = DissolveStep(picture, target, limit, value, mask, perPass, std::uint16_t(width + 1));
        JxCSlate::Blit(destination, built.get(), nullptr, nullptr, 0);
        pumpUntil(start + kDissolvePassMilliseconds);
    } while (value != 1);
    TransitionMarkIdle();
}

void RunPanelTransition(JxCTransitionState& panel, JxCSlate* destination, const JxCRect& rect, JxCSlate* source,
                        std::int32_t type, std::int32_t duration)
{
    if (!destination || !source)
        return;
    if (duration < 0)
        duration = 1;
    const JxCRect r = clipped(rect, destination->GetArea());
    JxCRect s = clipped(r, source->GetArea());
    if (!TransitionIsClosingPopup()) {
        panel.inTransition = 1;
        if (isWipe(type)) {
            runWipe(destination, source, r, s, type, duration);
        } else if (type == kTransitionBoxyDissolve) {
            RunTransitionWithMessagePump(panel, destination, source, rect);
        }
        panel.inTransition = 0;
    }
    if (plat::HDC dc = destination->GetHDC()) {
        plat::SelectPalette(dc, TransitionRestorePalette(), 0);
        plat::RealizePalette(dc);
    }
    // The wipes whose source window moves down or right end where it stopped.
    if (type == kTransitionWipeUp || type == kTransitionWipeLeft)
        JxCSlate::Blit(destination, source, &s, &r, 0);
    else
        JxCSlate::Blit(destination, source, &r, &r, 0);
}
