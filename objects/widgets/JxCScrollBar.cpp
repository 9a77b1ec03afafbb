#include "objects/widgets/JxCScrollBar.h"

#include <algorithm>
#include <utility>

#include "foundation/JxCInStrStream.h"
#include "graphics/JxDibUtils.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxSharedBitmaps.h"

namespace {

enum Image { kUp, kDown, kThumb, kTrack, kUpPressed, kDownPressed, kThumbDragged, kTrackPressed };

constexpr std::int32_t kAccelerationTicks = 10;
constexpr std::int32_t kFirstRepeatTicks = 3;
constexpr std::int32_t kMaxMetric = 4681;

const JxCTableString& arrowCursor()
{
    static const JxCTableString arrow("Arrow");
    return arrow;
}

void showCursor(const JxCTableString& name)
{
    if (JxCBaseProduct* product = GetProduct())
        product->SetCursor(name);
}

// The part of a picture laid at origin that falls in both rectangles.
JxCRect meet(JxCRect a, const JxCRect& b)
{
    a.left = std::max(a.left, b.left);
    a.top = std::max(a.top, b.top);
    a.right = std::min(a.right, b.right);
    a.bottom = std::min(a.bottom, b.bottom);
    return a;
}

bool hasArea(const JxCRect& r)
{
    return r.right > r.left && r.bottom > r.top;
}

}  // namespace

JxCScrollBar::JxCScrollBar()
{
    SetPageSizeWord(1);
}

JxCScrollBar::~JxCScrollBar()
{
    if (pressed_)
        if (JxCBaseProduct* product = GetProduct())
            product->KillTimer(this, -1);
    if (JxCDisplayObject* listener = std::exchange(listener_, nullptr))
        listener->HandleCommand(kCommandGoing, 0, 0, 0);
}

std::int16_t JxCScrollBar::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    if (!JxCScrollingThing::Read(in, container, type))
        return 0;
    for (JxCString& name : names_) {
        JxCTableString stored;
        if (!ReadTableString(in, stored))
            return 0;
        name = JxCString(stored.GetText() ? stored.GetText() : "");
    }
    std::int32_t pageSize = 0;
    if (!in.ReadBigEndian16To32(metricA_).ReadBigEndian16To32(metricB_).ReadBigEndian16To32(lineStep_))
        return 0;
    if (!in.ReadBigEndian16To32(acceleration_).ReadBigEndian16(notifyWhileDragging_).ReadBigEndian32(pageSize))
        return 0;
    // Through the rule of SetPageSize, so that a stored size never passes
    // the range (a size below 1 keeps the step of 1).
    SetPageSize(pageSize);
    return 1;
}

// --- Pictures and layout ---------------------------------------------------------

void JxCScrollBar::loadImages()
{
    // The bar's shares go first, so a reload never keeps two of one picture.
    for (JxSharedImage& image : images_)
        image.reset();
    for (std::size_t i = 0; i < images_.size(); ++i)
        if (!names_[i].IsEmpty())
            images_[i] = LoadSharedBitmap(*this, JxCTableString(names_[i].GetText()));
}

std::int16_t JxCScrollBar::CreateResources()
{
    if (!SetThumbMetrics(metricA_, metricB_, lineStep_, acceleration_))
        return 0;
    loadImages();
    Layout();
    updateThumbTravel();
    placeThumb();
    SetOptionFlags(kOptionOwnCapture);
    return 1;
}

std::int16_t JxCScrollBar::ReleaseResources()
{
    for (JxSharedImage& image : images_)
        image.reset();
    return JxCScrollingThing::ReleaseResources();
}

std::int32_t JxCScrollBar::imageHeight(int index) const
{
    const JxSharedImage& image = images_[std::size_t(index)];
    return image ? GetBitmapHeight(*image) : 0;
}

std::int32_t JxCScrollBar::imageWidth(int index) const
{
    const JxSharedImage& image = images_[std::size_t(index)];
    return image ? GetBitmapWidth(*image) : 0;
}

void JxCScrollBar::Layout()
{
    const JxCRect bar = GetRect();
    std::int32_t width = -1;
    auto takeWidth = [&](int image) {
        if (width < 0 && images_[std::size_t(image)])
            width = imageWidth(image);
    };
    auto fitWidth = [&](JxCRect& rect) {
        if (width >= 0 && rect.Width() != width)
            rect.right = std::int16_t(rect.left + width);
    };
    JxCRect& up = parts_[kPartUp];
    up = bar;
    up.bottom = std::int16_t(bar.top + imageHeight(kUp));
    takeWidth(kUp);
    fitWidth(up);

    JxCRect& down = parts_[kPartDown];
    down = bar;
    down.top = std::int16_t(bar.bottom - imageHeight(kDown));
    takeWidth(kDown);
    fitWidth(down);

    JxCRect& track = parts_[kPartTrack];
    track = bar;
    track.top = up.bottom;
    track.bottom = down.top;
    takeWidth(kTrack);
    fitWidth(track);

    JxCRect& thumb = parts_[kPartThumb];
    thumb = track;
    takeWidth(kThumb);
    // Without a picture the thumb is square.
    thumb.bottom = std::int16_t(thumb.top + (images_[kThumb] ? imageHeight(kThumb) : track.Width()));
    fitWidth(thumb);

    parts_[kPartPageUp] = track;
    parts_[kPartPageUp].bottom = thumb.top;
    parts_[kPartPageDown] = track;
    parts_[kPartPageDown].top = thumb.bottom;

    if (width >= 0 && bar.Width() != width) {
        JxCRect narrowed = bar;
        narrowed.right = std::int16_t(bar.left + width);
        JxCDisplayObject::SetRect(narrowed);
    }
}

void JxCScrollBar::updateThumbTravel()
{
    const JxCRect& track = parts_[kPartTrack];
    const JxCRect& thumb = parts_[kPartThumb];
    // A thumb taller than its track has nowhere to go: a pixel span of 1,
    // the value span kept.
    SetSpans(GetValueSpan(), std::max(1, track.Height() + 1 - thumb.Height()));
}

void JxCScrollBar::placeThumb()
{
    std::int32_t minimum = 0, maximum = 0;
    GetRange(minimum, maximum);
    JxCRect& thumb = parts_[kPartThumb];
    const std::int32_t height = thumb.Height();
    // Counted from the minimum: the minimum puts the thumb at the top.
    thumb.top = std::int16_t(parts_[kPartTrack].top + ValueToPixels(std::int64_t(GetPosition()) - minimum));
    thumb.bottom = std::int16_t(thumb.top + height);
    parts_[kPartPageUp].bottom = thumb.top;
    parts_[kPartPageDown].top = thumb.bottom;
}

void JxCScrollBar::SetRect(const JxCRect& rect)
{
    JxCDisplayObject::SetRect(rect);
    Layout();
    updateThumbTravel();
    placeThumb();
}

void JxCScrollBar::SetPartImageNames(const std::array<JxCString, kImageCount>& names)
{
    names_ = names;
    loadImages();
    Layout();
}

void JxCScrollBar::SetPartImageName(std::int32_t index, const JxCString& name)
{
    if (index < 1 || index >= kImageCount)
        return;
    images_[std::size_t(index)].reset();
    names_[std::size_t(index)] = name;
    if (!name.IsEmpty())
        images_[std::size_t(index)] = LoadSharedBitmap(*this, JxCTableString(name.GetText()));
    Layout();
}

void JxCScrollBar::GetPartImageName(JxSharedImage& image, std::int32_t part) const
{
    auto pick = [&](int pressedLook, bool pressed, int normal) {
        image = pressed && images_[std::size_t(pressedLook)] ? images_[std::size_t(pressedLook)]
                                                             : images_[std::size_t(normal)];
    };
    const bool held = pressed_ != 0 && pressedPart_ == part;
    switch (part) {
    case kPartUp: pick(kUpPressed, held, kUp); break;
    case kPartDown: pick(kDownPressed, held, kDown); break;
    case kPartThumb: pick(kThumbDragged, dragging_ != 0, kThumb); break;
    case kPartPageUp:
    case kPartPageDown: pick(kTrackPressed, held, kTrack); break;
    default: image.reset(); break;
    }
}

// --- Range, position, settings ---------------------------------------------------

void JxCScrollBar::SetRange(std::int32_t minimum, std::int32_t maximum)
{
    JxCScrollingThing::SetRange(minimum, maximum);
    updateThumbTravel();
}

void JxCScrollBar::SetPosition(std::int32_t value)
{
    SetPositionWord(Clamp(value));
    if (!dragging_)
        tellListener();
    if (!enabled_)
        return;
    placeThumb();
    addDirty(parts_[kPartTrack]);
    Redraw();
}

std::int16_t JxCScrollBar::Redraw()
{
    const JxCRect area = hasArea(dirty_) ? dirty_ : GetRect();
    RedrawInContainer(area);
    return 1;
}

JxCDisplayObject* JxCScrollBar::SetListener(JxCDisplayObject* listener)
{
    return std::exchange(listener_, listener);
}

std::int16_t JxCScrollBar::SetThumbMetrics(std::int32_t a, std::int32_t b, std::int32_t lineStep,
                                           std::int32_t acceleration)
{
    if (!(a >= b && b >= 1 && lineStep >= 1 && lineStep <= acceleration && acceleration < kMaxMetric))
        return 0;
    metricA_ = a;
    metricB_ = b;
    lineStep_ = lineStep;
    acceleration_ = acceleration;
    return 1;
}

std::int16_t JxCScrollBar::SetPageSize(std::int32_t size)
{
    if (size < 1)
        return 0;
    SetPageSizeWord(std::min<std::int64_t>(size, GetValueSpan()));
    return 1;
}

void JxCScrollBar::Configure(std::int32_t minimum, std::int32_t maximum, std::int32_t pageSize)
{
    SetRange(minimum, maximum);
    SetPageSize(pageSize);
    if (maximum <= 0)
        Disable();
}

void JxCScrollBar::addDirty(const JxCRect& rect)
{
    dirty_ = hasArea(dirty_) ? UnionOf(dirty_, rect) : rect;
}

void JxCScrollBar::tellListener()
{
    if (listener_)
        listener_->HandleCommand(kCommandMoved, 0, 0, 0);
}

void JxCScrollBar::movePartner(std::int32_t value)
{
    if (JxCScrollingThing* partner = GetPartner())
        partner->SetPosition(value);
}

JxCPanelObject* JxCScrollBar::panel() const
{
    JxCRunTimeObject* container = GetContainer();
    return container && container->GetKind() == kPanelKind ? static_cast<JxCPanelObject*>(container) : nullptr;
}

// --- Mouse ---------------------------------------------------------------------------

std::int16_t JxCScrollBar::MouseDown(const JxCPoint& point)
{
    if (!enabled_)
        return 1;
    if (!GetRect().Contains(point))
        return 0;
    const std::int32_t y = point.y;
    std::int32_t part = kPartDown;
    if (y < parts_[kPartUp].bottom) {
        part = kPartUp;
        step_ = -lineStep_;
    } else if (y < parts_[kPartThumb].top) {
        part = kPartPageUp;
        step_ = -GetScrollPageSize();
    } else if (y < parts_[kPartThumb].bottom) {
        part = kPartThumb;
    } else if (y < parts_[kPartTrack].bottom) {
        part = kPartPageDown;
        step_ = GetScrollPageSize();
    } else {
        step_ = lineStep_;
    }
    pressedPart_ = part;
    JxCPanelObject* owner = panel();
    if (part == kPartThumb) {
        if (!dragging_) {
            if (owner)
                owner->CaptureMouse(this);
            dragging_ = 1;
            addDirty(parts_[kPartThumb]);
            Redraw();
        }
        return 1;
    }
    if (owner)
        owner->CaptureMouse(this);
    addDirty(parts_[std::size_t(part)]);
    if (!pressed_) {
        accelerationCountdown_ = kAccelerationTicks;
        repeatCountdown_ = kFirstRepeatTicks;
        JxCBaseProduct* product = GetProduct();
        pressed_ = product ? product->SetTimer(this, nullptr, kRepeatIntervalMs) : 0;
    }
    Redraw();
    // One move at once; the partner follows the bar.
    switch (part) {
    case kPartUp: LineBack(); break;
    case kPartDown: LineForward(); break;
    case kPartPageUp: PageBack(); break;
    default: PageForward(); break;
    }
    movePartner(GetPosition());
    return 1;
}

void JxCScrollBar::OnSystemEvent(JxCTimerParams*)
{
    if (!pressed_ || --repeatCountdown_ != 0)
        return;
    if (acceleration_ > 1 && --accelerationCountdown_ == 0) {
        accelerationCountdown_ = kAccelerationTicks;
        const std::int64_t step = step_;
        const std::int64_t grown = step > 0 ? (7 * step + 1) / 4 : (7 * step - 1) / 4;
        step_ = std::int32_t(std::clamp<std::int64_t>(grown, -kMaxStep, kMaxStep));
    }
    repeatCountdown_ = 1;
    JxCPanelObject* owner = panel();
    const JxCPoint point = owner ? owner->GetCursorPos() : JxCPoint();
    if (!enabled_ || pressedPart_ < 0 || !parts_[std::size_t(pressedPart_)].Contains(point)) {
        // The pointer left the part (or the thumb passed it), or the bar was
        // disabled meanwhile: the press ends.
        MouseUp(point, 0);
        return;
    }
    MoveBy(step_);
    movePartner(GetPosition());
}

std::int16_t JxCScrollBar::MouseMove(const JxCPoint& point)
{
    if (!enabled_ || !IsVisible()) {
        showCursor(arrowCursor());
        return 1;
    }
    showCursor(TestStateFlags(kStateDisabled) ? arrowCursor() : GetCursorName());
    if (dragging_) {
        std::int32_t minimum = 0, maximum = 0;
        GetRange(minimum, maximum);
        const std::int32_t y = point.y - parts_[kPartTrack].top - parts_[kPartThumb].Height() / 2;
        const std::int32_t value = Saturate(PixelsToValue(y) + minimum);
        SetPosition(value);
        if (notifyWhileDragging_)
            tellListener();
        movePartner(GetPosition());
    }
    return dragging_;
}

void JxCScrollBar::endPress()
{
    if (JxCBaseProduct* product = GetProduct()) {
        product->ReleaseMouseCapture();
        if (pressed_)
            product->KillTimer(this, -1);
    }
    pressed_ = 0;
}

std::int16_t JxCScrollBar::MouseUp(const JxCPoint&, std::int16_t)
{
    // A bar disabled while held still lets go of the capture and the timer.
    if (!enabled_ && !pressed_ && !dragging_) {
        showCursor(arrowCursor());
        return 1;
    }
    endPress();
    if (dragging_) {
        dragging_ = 0;
        tellListener();
    }
    if (!enabled_) {
        showCursor(arrowCursor());
        return 1;
    }
    if (pressedPart_ >= 0)
        dirty_ = parts_[std::size_t(pressedPart_)];
    Redraw();
    return 1;
}

// --- Drawing -------------------------------------------------------------------------

void JxCScrollBar::drawOnce(JxCSlate* slate, const JxCRect& clip, std::int32_t part)
{
    JxSharedImage image;
    GetPartImageName(image, part);
    const JxCRect& rect = parts_[std::size_t(part)];
    if (!image || !rect.Intersects(clip))
        return;
    JxCRect laid = rect;
    laid.right = std::int16_t(std::min<std::int32_t>(rect.right, rect.left + GetBitmapWidth(*image)));
    laid.bottom = std::int16_t(std::min<std::int32_t>(rect.bottom, rect.top + GetBitmapHeight(*image)));
    const JxCRect dest = meet(laid, clip);
    if (!hasArea(dest))
        return;
    DrawBitmapAt(*this, image.get(), dest, JxCPoint(std::int16_t(dest.left - rect.left), std::int16_t(dest.top - rect.top)),
                 slate, 0);
}

void JxCScrollBar::drawTiled(JxCSlate* slate, const JxCRect& clip, std::int32_t part)
{
    JxSharedImage image;
    GetPartImageName(image, part);
    const JxCRect& rect = parts_[std::size_t(part)];
    const std::int32_t height = image ? GetBitmapHeight(*image) : 0;
    if (!image || height <= 0 || !rect.Intersects(clip))
        return;
    const JxCRect area = meet(rect, clip);
    if (!hasArea(area))
        return;
    // Tiles lie at multiples of the picture's height from the track's top.
    const std::int32_t origin = parts_[kPartTrack].top;
    std::int32_t tileTop = origin + (area.top - origin) / height * height;
    if (tileTop > area.top)
        tileTop -= height;
    for (; tileTop < area.bottom; tileTop += height) {
        JxCRect tile(rect.left, std::int16_t(tileTop),
                     std::int16_t(std::min<std::int32_t>(rect.right, rect.left + GetBitmapWidth(*image))),
                     std::int16_t(tileTop + height));
        const JxCRect dest = meet(tile, area);
        if (hasArea(dest))
            DrawBitmapAt(*this, image.get(), dest,
                         JxCPoint(std::int16_t(dest.left - rect.left), std::int16_t(dest.top - tileTop)), slate, 0);
    }
}

std::int16_t JxCScrollBar::Draw(JxCSlate* slate, const JxCRect* clip)
{
    const JxCRect area = clip ? *clip : GetRect();
    drawOnce(slate, area, kPartUp);
    drawTiled(slate, area, kPartPageUp);
    drawOnce(slate, area, kPartThumb);
    drawTiled(slate, area, kPartPageDown);
    drawOnce(slate, area, kPartDown);
    dirty_ = JxCRect();
    return 1;
}
