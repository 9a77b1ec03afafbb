#include "runtime/JxCCaret.h"

#include "platform/window/caret.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCDisplayObject.h"
#include "runtime/JxCPageObject.h"
#include "runtime/JxCPanelObject.h"

JxCPoint JxCCaret::ownerOrigin(const JxCDisplayObject& owner)
{
    // Owner coordinates are its panel's content coordinates: the panel's
    // place in the page less its scroll, below the page's caption.
    auto* panel = dynamic_cast<JxCPanelObject*>(owner.GetContainer());
    if (!panel)
        return {};
    const JxCRect rect = panel->GetRect();
    const JxCPoint scroll = panel->GetScrollOffset();
    const JxCPageObject* page = panel->GetParent();
    const std::int32_t caption = page ? page->GetCaptionHeight() : 0;
    return JxCPoint(std::int16_t(rect.left - scroll.x), std::int16_t(rect.top - scroll.y + caption));
}

plat::HWND JxCCaret::ownerWindow(const JxCDisplayObject& owner)
{
    auto* panel = dynamic_cast<JxCPanelObject*>(owner.GetContainer());
    const JxCPageObject* page = panel ? panel->GetParent() : nullptr;
    return page ? page->GetWindow() : nullptr;
}

std::int16_t JxCCaret::Create(JxCDisplayObject* owner, JxCPoint position, std::int32_t height)
{
    // The caret stands in the window of the owner's own page, which need
    // not be the current page: a field given the focus by an action that a
    // click on another page started would otherwise take the keyboard to
    // that page each time its caret is shown.
    const plat::HWND own = owner ? ownerWindow(*owner) : nullptr;
    const bool otherOwner = owner_ && owner_ != owner;
    if (window_ && (otherOwner || (own && own != window_))) {
        if (auto* client = dynamic_cast<JxCCaretClient*>(ownerObject_); client && otherOwner)
            client->ForgetTextMeasure();
        Destroy(window_);
        window_ = nullptr;
    }
    if (!window_)
        window_ = own;
    if (!window_) {
        JxCBaseProduct* product = GetProduct();
        JxCPageObject* page = product ? product->GetCurrentPage() : nullptr;
        window_ = page ? page->GetWindow() : nullptr;
    }
    if (!owner)
        return 1;
    owner_ = owner;
    ownerObject_ = owner;
    origin_ = ownerOrigin(*owner);
    height_ = height;
    Hide(owner);
    plat::CreateCaret(window_, nullptr, kCaretWidth, height_);
    MoveTo(owner, position);
    return Show(owner);
}

std::int16_t JxCCaret::MoveTo(const JxCNotifyRoot* owner, JxCPoint position)
{
    if (!owner || owner != owner_)
        return 0;
    const std::int16_t wasVisible = visible_;
    Hide(owner);
    position_ = position;
    plat::SetCaretPos(position_.x + origin_.x, position_.y + origin_.y);
    if (wasVisible)
        Show(owner);
    return 1;
}

std::int16_t JxCCaret::Show(const JxCNotifyRoot* owner)
{
    if (!owner || owner != owner_)
        return 0;
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* focus = product ? product->GetFocusPage() : nullptr;
    // A child page never becomes the focus page: its window is the focus
    // page's own as far as the caret goes.
    const plat::HWND focusWindow = focus ? focus->GetWindow() : nullptr;
    if (!focusWindow || !window_ || (focusWindow != window_ && !plat::IsChild(focusWindow, window_)))
        return 0;
    visible_ = 1;
    // Taking the focus away and back makes the window's focus message
    // build the system caret afresh.
    plat::SetFocus(nullptr);
    plat::ShowCaret(window_);
    plat::SetFocus(window_);
    return 1;
}

std::int16_t JxCCaret::Hide(const JxCNotifyRoot* owner)
{
    if (owner != owner_)
        return 0;
    visible_ = 0;
    if (!window_)
        return 0;
    plat::HideCaret(window_);
    return 1;
}

std::int16_t JxCCaret::Release(const JxCNotifyRoot* owner)
{
    if (!owner || owner != owner_)
        return 0;
    if (Hide(owner)) {
        owner_ = nullptr;
        ownerObject_ = nullptr;
        window_ = nullptr;
    }
    return 1;
}

bool JxCCaret::ownerMeets(const JxCRect& area) const
{
    if (!ownerObject_)
        return true;
    JxCRect rect = ownerObject_->GetRect();
    rect.OffsetByPoint(origin_);
    return rect.Intersects(area);
}

void JxCCaret::HideForPaint(plat::HWND window, const JxCRect* area)
{
    if (!window || window != window_ || !visible_)
        return;
    if (area && !ownerMeets(*area))
        return;
    hiddenForPaint_ = 1;
    plat::HideCaret(window);
}

void JxCCaret::ShowPending()
{
    if (!hiddenForPaint_)
        return;
    hiddenForPaint_ = 0;
    Show(owner_);
}

std::int16_t JxCCaret::OnSetFocus(plat::HWND window)
{
    if (!window || window != window_)
        return 1;
    plat::CreateCaret(window, nullptr, kCaretWidth, height_);
    plat::SetCaretPos(position_.x + origin_.x, position_.y + origin_.y);
    if (visible_)
        plat::ShowCaret(window);
    return 0;
}

void JxCCaret::Destroy(plat::HWND window)
{
    plat::HideCaret(window);
    plat::DestroyCaret();
}

void JxCCaret::Detach(plat::HWND window)
{
    if (!window || window != window_)
        return;
    Hide(owner_);
    Destroy(window);
    owner_ = nullptr;
    ownerObject_ = nullptr;
    window_ = nullptr;
}

void JxCCaret::MoveToWindow(plat::HWND from, plat::HWND to)
{
    if (!from || from != window_ || !to || to == from)
        return;
    const std::int16_t wasVisible = visible_;
    Hide(owner_);
    Destroy(from);
    window_ = to;
    // Showing it gives the new window the focus, whose message builds the
    // system caret there; while another page has the focus it waits for
    // the window to get it.
    if (wasVisible && !Show(owner_))
        visible_ = 1;
}

void JxCCaret::Place(JxCNotifyRoot* owner, plat::HWND window, JxCPoint position, JxCPoint origin,
                     std::int32_t height, std::int16_t visible)
{
    owner_ = owner;
    ownerObject_ = dynamic_cast<JxCDisplayObject*>(owner);
    window_ = window;
    position_ = position;
    origin_ = origin;
    height_ = height;
    visible_ = visible;
}
