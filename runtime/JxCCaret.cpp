#include "runtime/JxCCaret.h"

#include "platform/window/caret.h"

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
    window_ = nullptr;
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

void JxCCaret::Place(JxCNotifyRoot* owner, plat::HWND window, JxCPoint position, JxCPoint origin,
                     std::int32_t height, std::int16_t visible)
{
    owner_ = owner;
    window_ = window;
    position_ = position;
    origin_ = origin;
    height_ = height;
    visible_ = visible;
}
