#pragma once
// The one text caret of the program: the system caret, a solid bar two
// pixels wide, in the window of the page whose edit box has the focus. The
// product makes it at its start and deletes it at exit.
//
// It remembers which display object owns it and where that object's panel
// lies in the window, so that the owner places it in its own coordinates.
// The system caret exists only while the page window holds the keyboard
// focus: it goes when the window loses the focus and is made again, where
// it was and as visible as it was, when the window regains it.

#include <cstdint>

#include "events/JxCNotifyRoot.h"
#include "foundation/JxCPoint.h"
#include "foundation/JxCRect.h"
#include "platform/core/types.h"

class JxCDisplayObject;

// What an owner of the caret that measures its text is told when another
// object takes the caret: it measures itself again on its next drawing.
class JxCCaretClient {
public:
    virtual ~JxCCaretClient() = default;
    virtual void ForgetTextMeasure() = 0;
};

class JxCCaret : public JxCNotifyRoot {
public:
    static constexpr int kCaretWidth = 2;
    static constexpr std::int32_t kDefaultHeight = 10;

    JxCCaret() = default;
    ~JxCCaret() override = default;

    // Gives the caret to the owner at the position (owner coordinates) with
    // the height, in the window of the owner's page (of the product's
    // current page for an owner on none, when no window is set). A former
    // owner is told to measure itself again; the system caret goes from a
    // window that is not the new one. 1 for a null owner; otherwise what
    // showing it answers (0 when the window is not the focus page's).
    std::int16_t Create(JxCDisplayObject* owner, JxCPoint position, std::int32_t height);
    // Moves the caret of the owner, visible again when it was; 0 when the
    // object is not the owner.
    std::int16_t MoveTo(const JxCNotifyRoot* owner, JxCPoint position);
    // Shows the caret of the owner when its window is the focus page's (or
    // a child window of it, a child page's).
    std::int16_t Show(const JxCNotifyRoot* owner);
    // Hides the caret of the owner; 0 when no window is set or the object
    // is not the owner.
    std::int16_t Hide(const JxCNotifyRoot* owner);
    // The owner goes: the caret is hidden and forgets owner and window.
    virtual std::int16_t Release(const JxCNotifyRoot* owner);
    // Before a panel of the window draws (the area in window coordinates,
    // or none for all of it): a visible caret whose owner the area meets is
    // hidden until ShowPending.
    void HideForPaint(plat::HWND window, const JxCRect* area);
    void ShowPending();

    // The window gained the keyboard focus: when it is the caret's, the
    // system caret is made again where it was (and shown when it was
    // visible); 0 then, 1 for any other window.
    std::int16_t OnSetFocus(plat::HWND window);
    // The window lost the keyboard focus: the system caret goes.
    void Destroy(plat::HWND window);
    // The window is being destroyed: when it is the caret's, the caret is
    // hidden, destroyed and forgets its owner and window.
    void Detach(plat::HWND window);
    // The page of the caret's window moves to another window (a popup page
    // over a new opener): when the caret is in the first, it goes to the
    // second with its owner, where it was and as visible as it was.
    void MoveToWindow(plat::HWND from, plat::HWND to);

    plat::HWND GetWindow() const { return window_; }
    JxCNotifyRoot* GetOwner() const { return owner_; }
    std::int16_t IsVisible() const { return visible_; }
    std::int16_t IsHiddenForPaint() const { return hiddenForPaint_; }
    JxCPoint GetPosition() const { return position_; }
    JxCPoint GetOrigin() const { return origin_; }

protected:
    void Place(JxCNotifyRoot* owner, plat::HWND window, JxCPoint position, JxCPoint origin, std::int32_t height,
               std::int16_t visible);

private:
    static JxCPoint ownerOrigin(const JxCDisplayObject& owner);
    // The window of the page the owner lies on; null when there is none.
    static plat::HWND ownerWindow(const JxCDisplayObject& owner);
    bool ownerMeets(const JxCRect& area) const;

    plat::HWND window_ = nullptr;
    JxCNotifyRoot* owner_ = nullptr;
    JxCDisplayObject* ownerObject_ = nullptr;
    JxCPoint position_;
    JxCPoint origin_;
    std::int32_t height_ = kDefaultHeight;
    std::int16_t visible_ = 0;
    std::int16_t hiddenForPaint_ = 0;
};
