// The panel's drawing: its slate and device context through the owner
// page, the background, the objects, and the panel transitions with their
// double slates.

#include <memory>

#include "foundation/JxErrorReport.h"
#include "foundation/JxStartupSettings.h"
#include "graphics/JxCMemorySlate.h"
#include "graphics/JxCPooledSlate.h"
#include "graphics/JxCSlate.h"
#include "platform/draw/draw.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPageObject.h"
#include "runtime/JxCPanelObject.h"

namespace {

bool isWipe(std::int32_t type)
{
    return type >= kTransitionWipeUp && type <= kTransitionWipeRight;
}

// Restores a slate's palette at the end of a draw.
class PaletteScope {
public:
    PaletteScope(JxCSlate* slate, plat::HPALETTE palette)
        : slate_(slate), previous_(slate ? slate->ExchangePalette(palette, 0) : nullptr)
    {
    }
    ~PaletteScope()
    {
        if (slate_)
            slate_->ExchangePalette(previous_, 0);
    }
    PaletteScope(const PaletteScope&) = delete;
    PaletteScope& operator=(const PaletteScope&) = delete;

private:
    JxCSlate* slate_;
    plat::HPALETTE previous_;
};

// Hides the caret for a panel's draw and shows a caret so hidden at the end.
class CaretPaintScope {
public:
    CaretPaintScope(JxCCaret* caret, plat::HWND window, const JxCRect& area) : caret_(caret)
    {
        if (caret_)
            caret_->HideForPaint(window, &area);
    }
    ~CaretPaintScope()
    {
        if (caret_)
            caret_->ShowPending();
    }
    CaretPaintScope(const CaretPaintScope&) = delete;
    CaretPaintScope& operator=(const CaretPaintScope&) = delete;

private:
    JxCCaret* caret_;
};

}  // namespace

// --- Through the owner page ------------------------------------------------------

void* JxCPanelObject::GetDC()
{
    auto dc = static_cast<plat::HDC>(ownerPage_ ? ownerPage_->GetDC() : nullptr);
    if (!dc)
        return nullptr;
    plat::POINT origin{};
    plat::GetWindowOrgEx(dc, &origin);
    plat::SetWindowOrgEx(dc, origin.x + scroll_.cx - rect_.left, origin.y + scroll_.cy - rect_.top, nullptr);
    if (plat::HRGN clip = plat::CreateRectRgn(rect_.left, rect_.top, rect_.right, rect_.bottom)) {
        plat::SelectClipRgn(dc, clip);
        plat::DeleteObject(clip);
    }
    return dc;
}

std::int16_t JxCPanelObject::ReleaseDC(void* dc)
{
    return ownerPage_ ? ownerPage_->ReleaseDC(dc) : 0;
}

JxCSlate* JxCPanelObject::GetSlate()
{
    JxCSlate* slate = ownerPage_ ? ownerPage_->GetSlate() : nullptr;
    if (slate)
        slate->OffsetOrigin(scroll_.cx - rect_.left, scroll_.cy - rect_.top);
    return slate;
}

std::int16_t JxCPanelObject::ReleaseSlate(JxCSlate* slate)
{
    return ownerPage_ ? ownerPage_->ReleaseSlate(slate) : 0;
}

// --- Drawing ---------------------------------------------------------------------------

JxCRect JxCPanelObject::windowArea(const JxCRect& area) const
{
    const std::int32_t caption = ownerPage_ ? ownerPage_->GetCaptionHeight() : 0;
    JxCRect moved = area;
    moved.Offset(rect_.left - scroll_.cx, rect_.top - scroll_.cy + caption);
    return moved;
}

JxCRect JxCPanelObject::visibleArea() const
{
    return JxCRect(scroll_.cx, scroll_.cy, std::int16_t(scroll_.cx + rect_.Width()),
                   std::int16_t(scroll_.cy + rect_.Height()));
}

std::int16_t JxCPanelObject::PaintBackground(JxCSlate* slate, const JxCRect& rect, std::int16_t)
{
    const JxCPanelDef* def = findDefinition(0);
    if (!slate || !slate->GetHDC())
        return 0;
    const JxCRGB colour = def ? def->colour : JxCRGB();
    plat::HBRUSH brush = plat::CreateSolidBrush(colour.GetPaletteColorRef());
    if (!brush)
        return 0;
    const plat::RECT device = slate->TransformRect(rect);
    {
        JxCScopedClip clip(slate);
        plat::FillRect(slate->GetHDC(), &device, brush);
    }
    plat::DeleteObject(brush);
    return 1;
}

void JxCPanelObject::drawContent(JxCSlate* slate, const JxCRect& area, std::int16_t transition)
{
    slate->SelectClipRect(area);
    PaintBackground(slate, area, transition);
    for (JxCDisplayObject* object = objects_.GetFirst(); object; object = objects_.GetNext(object)) {
        JxCRect part = object->GetRect();
        if (!part.Intersects(area))
            continue;
        part.Intersect(area);
        object->Draw(slate, &part);
    }
    ReservedPanelCheck2(slate, area);
}

namespace {

// An off-screen slate of the size at the area's place, or null. Its
// bitmap comes from the slate pool: a page change draws every panel
// through one, and the next one of the size takes it again.
std::unique_ptr<JxCMemorySlate> newSlate(std::int32_t width, std::int32_t height, const JxCRect& area)
{
    auto slate = std::make_unique<JxCPooledSlate>(width, height, area.left, area.top);
    if (!slate->HasBitmap() || !slate->GetHDC())
        return nullptr;
    slate->ExchangePalette(GetProductPalette(), 0);
    return slate;
}

}  // namespace

std::unique_ptr<JxCMemorySlate> JxCPanelObject::makeTransitionSlate(const JxCRect& area, std::int32_t& type)
{
    const std::int32_t width = area.Width();
    const std::int32_t height = area.Height();
    std::unique_ptr<JxCMemorySlate> slate;
    if (isWipe(type)) {
        const bool sideways = type == kTransitionWipeLeft || type == kTransitionWipeRight;
        slate = newSlate(sideways ? 2 * width : width, sideways ? height : 2 * height, area);
        if (slate) {
            drawHalves(*slate, area, type);
            return slate;
        }
        ReportErrorOk(kCannotCreateSlateId);
        // Without room for the previous picture the new one comes at once.
        type = kTransitionNone;
    }
    slate = newSlate(width, height, area);
    if (slate)
        drawContent(slate.get(), area, 1);
    return slate;
}

void JxCPanelObject::drawHalves(JxCMemorySlate& slate, const JxCRect& area, std::int32_t type)
{
    // The previous panel's picture in one half and the new content in the
    // other, each drawn with the origin shifted by a half and the shift
    // undone, so that the half the wipe starts from stands at the area's
    // place, as the transition runner expects.
    const bool sideways = type == kTransitionWipeLeft || type == kTransitionWipeRight;
    const bool previousFirst = type == kTransitionWipeLeft || type == kTransitionWipeUp;
    const std::int32_t dx = sideways ? area.Width() : 0;
    const std::int32_t dy = sideways ? 0 : area.Height();
    previousPanel_->SetPage(pageDef_);
    auto second = [&](auto draw) {
        slate.OffsetOrigin(-dx, -dy);
        draw();
        slate.OffsetOrigin(dx, dy);
    };
    auto previous = [&] { previousPanel_->Draw(&slate, &area, 0); };
    auto content = [&] { drawContent(&slate, area, 1); };
    if (previousFirst) {
        previous();
        second(content);
    } else {
        content();
        second(previous);
    }
}

std::int16_t JxCPanelObject::Draw(JxCSlate* slate, const JxCRect* clip, std::int16_t transition)
{
    if (IsForceScreenPaint())
        transition = 0;
    const JxCRect visible = visibleArea();
    JxCRect area = clip ? *clip : visible;
    if (!area.Intersects(visible))
        return 1;
    area.Intersect(visible);
    if (area.IsEmpty())
        return 1;

    // The caret is not drawn over: it hides while the panel draws where it
    // stands, and shows again afterwards.
    JxCBaseProduct* product = GetProduct();
    JxCCaret* caret = product && ownerPage_ ? product->GetCaret() : nullptr;
    CaretPaintScope caretScope(caret, ownerPage_ ? ownerPage_->GetWindow() : nullptr, windowArea(area));

    JxCSlate* target = slate;
    if (!slate && !(target = GetSlate()))
        return 1;
    {
        PaletteScope palette(target, GetProductPalette());
        if (transition_.inTransition) {
            // While a transition runs, the picture it builds stands for the panel.
            if (transition_.slate)
                target->Blit(transition_.slate, &area, &area, 0);
        } else {
            drawInto(target, area, transition);
        }
    }
    if (!slate)
        ReleaseSlate(target);
    return 1;
}

void JxCPanelObject::drawInto(JxCSlate* target, const JxCRect& area, std::int16_t transition)
{
    // A wipe starts from a previous panel's picture.
    if (!previousPanel_ && isWipe(transitionType_))
        transitionType_ = kTransitionNone;
    if (transition) {
        JxCBaseProduct* product = GetProduct();
        const bool plain = !transitionPending_ || (product && product->IsClosingPopup());
        std::int32_t type = plain ? kTransitionNone : transitionType_;
        if (std::unique_ptr<JxCMemorySlate> offscreen = makeTransitionSlate(area, type)) {
            RunPanelTransition(transition_, target, area, offscreen.get(), type, 0);
            transitionPending_ = 0;
            return;
        }
    }
    drawContent(target, area, 0);
}

void JxCPanelObject::DrawForOutput(JxCSlate& slate)
{
    slate.OffsetOrigin(scroll_.cx - rect_.left, scroll_.cy - rect_.top);
    Draw(&slate, nullptr, 0);
    slate.OffsetOrigin(rect_.left - scroll_.cx, rect_.top - scroll_.cy);
}
