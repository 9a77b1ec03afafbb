#pragma once
// The push button (object type "Button"): a display object drawn from three
// of the product's bitmaps (normal, pressed, disabled). It shows the
// pressed picture while the mouse button is held on it, the normal one
// while the held mouse is outside it, and raises "on_click" when released
// inside it. The title can disable and enable it; with its transparent
// word set, the pictures are drawn see-through and the picture's
// transparent pixels are not part of the button.
//
// Record, after the display object's: the normal, pressed and disabled
// bitmap names (table strings), u16 starts-disabled, u16 transparent.
//
// The pictures come from the shared bitmap loader and are shared with every
// object that shows them: the button only drops its shares.

#include <cstdint>

#include "events/JxCBitmapRef.h"
#include "foundation/JxCString.h"
#include "runtime/JxCDisplayObject.h"

class JxCButton : public JxCDisplayObject {
public:
    // Cursor "Hand".
    JxCButton();
    ~JxCButton() override;

    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    // Sets "ResetResources".
    std::int16_t ResetFlags() override;
    // Loads the normal and pressed pictures (and the disabled one when
    // named); 1 without names (a button without pictures), 0 when a named
    // picture cannot be loaded. A starts-disabled button is disabled then,
    // without a redraw.
    std::int16_t CreateResources() override;
    // Drops the pictures; 1.
    std::int16_t ReleaseResources() override;
    // The disabled picture while disabled (when it has one), else the
    // normal one; the pressed picture is drawn by the mouse handling only.
    std::int16_t Draw(JxCSlate* slate, const JxCRect* clip) override;
    std::int16_t MouseDown(const JxCPoint& point) override;
    // Draws the normal picture again and, when released inside, clicks
    // (Clicked), also when the normal picture could not be drawn (the result
    // is then 0).
    std::int16_t MouseUp(const JxCPoint& point, std::int16_t flag) override;
    std::int16_t MouseMove(const JxCPoint& point) override;
    // The button's own transparent word.
    std::int16_t IsActive() const override { return transparent_; }

    // Sets or clears the state "Disabled"; with redraw, the panel draws the
    // button's area again.
    void Disable(std::int16_t redraw);
    void Enable(std::int16_t redraw);

    const JxCString& GetNormalName() const { return normalName_; }
    const JxCString& GetPressedName() const { return pressedName_; }
    const JxCString& GetDisabledName() const { return disabledName_; }
    std::int16_t StartsDisabled() const { return startsDisabled_; }
    bool HasImages() const { return normal_ != nullptr; }

protected:
    // What a release inside the button does: raises "on_click". Buttons
    // that act otherwise keep the drawing of the press and the release.
    virtual void Clicked();
    // Names the normal and pressed pictures in place of the record's, for
    // buttons whose pictures are the program's own.
    void SetPictureNames(const JxCString& normal, const JxCString& pressed);
    // Draws a picture at the button's rectangle straight to the window.
    std::int16_t DrawImage(const JxSharedImage& image);
    const JxSharedImage& GetNormalImage() const { return normal_; }
    // Draws the part of a picture under the clip (the whole button without
    // one) into the slate.
    std::int16_t DrawImagePart(const JxSharedImage& image, JxCSlate* slate, const JxCRect* clip);
    // Whether the point (panel coordinates) lies on a transparent pixel of
    // the normal picture while the transparent word is set.
    bool OnTransparentPixel(const JxCPoint& point) const;
    // What every drawing and mouse call does first: false for a hidden
    // button; the pictures are made when missing.
    bool prepare();
    const JxSharedImage& NormalImage() const { return normal_; }
    const JxSharedImage& PressedImage() const { return pressed_; }
    const JxSharedImage& DisabledImage() const { return disabled_; }

private:
    std::int16_t loadImage(const JxCString& name, JxSharedImage& image);
    void dropImages();

    JxSharedImage normal_;
    JxSharedImage pressed_;
    JxSharedImage disabled_;
    JxCString normalName_;
    JxCString pressedName_;
    JxCString disabledName_;
    std::int16_t startsDisabled_ = 0;
    std::int16_t transparent_ = 0;
    // A load failed since the resources were last released.
    bool loadFailed_ = false;
};
