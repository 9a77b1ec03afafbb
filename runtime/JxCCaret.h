#pragma once
// The one text caret of the program: the system caret in the window of the
// page whose edit box has the focus. The product makes it at its start and
// deletes it at exit.
//
// A stand-in with what the page windows' focus and tear-down need: the
// system caret follows the keyboard focus of its window and lets go of a
// window that is destroyed. Giving the caret to an edit box, moving, showing
// and hiding it for painting come with the edit boxes, which grow this
// class.

#include <cstdint>

#include "events/JxCNotifyRoot.h"
#include "foundation/JxCPoint.h"
#include "platform/core/types.h"

class JxCCaret : public JxCNotifyRoot {
public:
    static constexpr int kCaretWidth = 2;
    static constexpr std::int32_t kDefaultHeight = 10;

    JxCCaret() = default;
    ~JxCCaret() override = default;

    // The window gained the keyboard focus: when it is the caret's, the
    // system caret is made again where it was (and shown when it was
    // visible); 0 then, 1 for any other window.
    std::int16_t OnSetFocus(plat::HWND window);
    // The window lost the keyboard focus: the system caret goes.
    void Destroy(plat::HWND window);
    // The window is being destroyed: when it is the caret's, the caret is
    // hidden, destroyed and forgets its owner and window.
    void Detach(plat::HWND window);
    // Hides the caret of the owner; 0 when no window is set or the object
    // is not the owner.
    std::int16_t Hide(const JxCNotifyRoot* owner);

    plat::HWND GetWindow() const { return window_; }
    JxCNotifyRoot* GetOwner() const { return owner_; }
    std::int16_t IsVisible() const { return visible_; }

protected:
    // For the edit boxes' placing of the caret.
    void Place(JxCNotifyRoot* owner, plat::HWND window, JxCPoint position, JxCPoint origin, std::int32_t height,
               std::int16_t visible);

private:
    plat::HWND window_ = nullptr;
    JxCNotifyRoot* owner_ = nullptr;
    JxCPoint position_;
    JxCPoint origin_;
    std::int32_t height_ = kDefaultHeight;
    std::int16_t visible_ = 0;
};
