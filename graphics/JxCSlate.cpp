#include "graphics/JxCSlate.h"

#include <algorithm>
#include <cmath>

#include "graphics/JxCDisplaySlate.h"
#include "graphics/JxCMemorySlate.h"
#include "platform/draw/draw.h"

namespace {

// Rounds to the nearest pixel. Plain truncation after adding one half
// would move coordinates left of the device's origin by one pixel.
std::int32_t RoundCoordinate(float value)
{
    const double v = std::floor(double(value) + 0.5);
    return std::int32_t(std::clamp(v, -2147483648.0, 2147483647.0));
}

std::int16_t Clamp16(std::int64_t v)
{
    return std::int16_t(std::clamp<std::int64_t>(v, INT16_MIN, INT16_MAX));
}

JxCRect Intersection(const JxCRect& a, const JxCRect& b)
{
    return JxCRect(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                   std::min(a.bottom, b.bottom));
}

}  // namespace

// --- JxCTransform ------------------------------------------------------------

void JxCTransform::Update()
{
    identity = (a == 1 && b == 0 && c == 0 && d == 1 && tx == 0 && ty == 0) ? 1 : 0;
}

plat::POINT JxCTransform::Apply(std::int32_t x, std::int32_t y) const
{
    if (identity)
        return {x, y};
    return {RoundCoordinate(a * float(x) + c * float(y) + tx), RoundCoordinate(b * float(x) + d * float(y) + ty)};
}

plat::RECT JxCTransform::Apply(const plat::RECT& r) const
{
    const plat::POINT p = Apply(r.left, r.top);
    const plat::POINT q = Apply(r.right, r.bottom);
    return {p.x, p.y, q.x, q.y};
}

plat::RECT JxCTransform::Apply(const JxCRect& r) const
{
    return Apply(plat::RECT{r.left, r.top, r.right, r.bottom});
}

// --- JxCDrawState ------------------------------------------------------------

JxCDrawState::JxCDrawState() : clip(0, 0, 32767, 32767) {}

JxCDrawState::JxCDrawState(const JxCDrawState& other) = default;

JxCDrawState& JxCDrawState::operator=(const JxCDrawState& other) = default;

// --- JxCSlate ----------------------------------------------------------------

JxCSlate::JxCSlate() = default;

JxCSlate::~JxCSlate()
{
    for (JxCSlateState* s = savers_; s; s = s->next_)
        s->slate_ = nullptr;
    savers_ = nullptr;
}

namespace {

// The transform that maps the area from onto the area to.
void MapArea(JxCTransform& t, const JxCRect& to, const JxCRect& from)
{
    const auto scale = [](std::int32_t a, std::int32_t b) { return b ? float(a) / float(b) : 1.0f; };
    t.a = scale(to.Width(), from.Width());
    t.d = scale(to.Height(), from.Height());
    t.b = t.c = 0;
    t.tx = float(to.left) - float(from.left) * t.a;
    t.ty = float(to.top) - float(from.top) * t.d;
    t.Update();
}

}  // namespace

void JxCSlate::SetMapping(const JxCRect& deviceArea, const JxCRect& logicalArea)
{
    state_.deviceArea = deviceArea;
    state_.logicalArea = logicalArea;
    MapArea(state_.forward, deviceArea, logicalArea);
    MapArea(state_.inverse, logicalArea, deviceArea);
    offsetX_ = offsetY_ = 0;
}

std::int16_t JxCSlate::OffsetOrigin(std::int32_t dx, std::int32_t dy)
{
    state_.logicalArea.Offset(dx, dy);
    state_.inverse.tx += float(dx);
    state_.inverse.ty += float(dy);
    state_.inverse.Update();
    state_.forward.tx -= float(dx) * state_.forward.a;
    state_.forward.ty -= float(dy) * state_.forward.d;
    state_.forward.Update();
    offsetX_ += dx;
    offsetY_ += dy;
    return 1;
}

std::int16_t JxCSlate::ResetOriginOffset()
{
    return OffsetOrigin(-offsetX_, -offsetY_);
}

JxCRect JxCSlate::ClipToArea(const JxCRect& rect) const
{
    return Intersection(rect, state_.logicalArea);
}

JxCRect JxCSlate::InverseTransformRect(const plat::RECT& rect) const
{
    const plat::RECT r = state_.inverse.Apply(rect);
    return JxCRect(Clamp16(r.left), Clamp16(r.top), Clamp16(r.right), Clamp16(r.bottom));
}

std::int16_t JxCSlate::SelectClipRect(const JxCRect& rect)
{
    if (!hdc_)
        return 0;
    state_.clip.SetRectTransformed(rect, state_.forward);
    return state_.clip.SelectIntoDC(hdc_) == plat::ERROR ? 0 : 1;
}

plat::HPALETTE JxCSlate::ExchangePalette(plat::HPALETTE palette, std::int16_t forceBackground)
{
    plat::HPALETTE before = palette_;
    SelectPalette(palette, forceBackground);
    return before;
}

std::int32_t JxCSlate::ScrollArea(std::int32_t dx, std::int32_t dy, const JxCRect& rect, JxCRect* uncovered)
{
    if (!hdc_)
        return 0;
    const plat::RECT r = TransformRect(rect);
    plat::RECT box{};
    const std::int32_t result = plat::ScrollDC(hdc_, dx, dy, &r, &r, nullptr, &box);
    if (uncovered)
        *uncovered = InverseTransformRect(box);
    return result;
}

void JxCSlate::Register(JxCSlateState* saver)
{
    saver->next_ = savers_;
    savers_ = saver;
}

void JxCSlate::Unregister(JxCSlateState* saver)
{
    for (JxCSlateState** p = &savers_; *p; p = &(*p)->next_) {
        if (*p == saver) {
            *p = saver->next_;
            return;
        }
    }
}

std::int16_t JxCSlate::Blit(JxCSlate* destination, JxCSlate* source, const JxCRect* srcRect, const JxCRect* dstRect,
                            std::int16_t transparent)
{
    if (!destination || !source || !destination->GetHDC() || !source->GetHDC())
        return 0;
    JxCScopedClip clip(destination);
    JxCRect src = srcRect ? *srcRect : source->GetArea();
    JxCRect dst = dstRect ? *dstRect : src;

    // Pixels that would land outside the destination, or come from outside
    // the source, are skipped on both sides so that the rest keeps its
    // place.
    const JxCRect dstArea = destination->GetArea();
    const JxCRect srcArea = source->GetArea();
    const std::int32_t skipX = std::max({0, dstArea.left - dst.left, srcArea.left - src.left});
    const std::int32_t skipY = std::max({0, dstArea.top - dst.top, srcArea.top - src.top});
    src.left = Clamp16(std::int32_t(src.left) + skipX);
    src.top = Clamp16(std::int32_t(src.top) + skipY);
    dst.left = Clamp16(std::int32_t(dst.left) + skipX);
    dst.top = Clamp16(std::int32_t(dst.top) + skipY);

    src = Intersection(src, srcArea);
    dst = Intersection(dst, dstArea);
    if (src.IsEmpty() || dst.IsEmpty())
        return 1;
    const plat::RECT s = source->TransformRect(src);
    const plat::RECT d = destination->TransformRect(dst);
    if (JxCDisplaySlate* display = source->AsDisplaySlate())
        return destination->CopyFrom(display, s, d, transparent);
    if (JxCMemorySlate* memory = source->AsMemorySlate())
        return destination->CopyFromBits(memory, s, d, transparent);
    return 0;
}

// --- JxCSlateState -----------------------------------------------------------

JxCSlateState::JxCSlateState(JxCSlate* slate)
    : slate_(slate), live_(slate ? &slate->state_ : nullptr), saved_(slate ? slate->state_ : JxCDrawState())
{
    if (slate_)
        slate_->Register(this);
}

JxCSlateState::~JxCSlateState()
{
    if (!slate_)
        return;
    *live_ = saved_;
    slate_->Unregister(this);
}

void JxCSlateState::SetFont(const JxCFontRecord* font)
{
    if (live_ && slate_)
        live_->font = font;
}

// --- JxCScopedClip -----------------------------------------------------------

JxCScopedClip::JxCScopedClip(JxCSlate* slate) : hdc_(slate ? slate->GetHDC() : nullptr), previous_(hdc_)
{
    if (hdc_)
        slate->GetClipRegion().SelectIntoDC(hdc_);
}

JxCScopedClip::~JxCScopedClip()
{
    if (hdc_)
        previous_.SelectIntoDC(hdc_);
}
