#pragma once
// The edit box (object type "EditBox"): the one display object the user
// types into. A single line of text in a character style, centred
// vertically over a background picture (focused, normal or disabled), with
// the program's caret and a selection made with the keyboard or the mouse.
// Typing stops once the text is wider than the box; replacing a selection
// by no more text, and deleting, stay possible. A double-byte character,
// which arrives as two character messages, goes in whole or not at all;
// control characters (Tab, Enter, Escape, those typed with Ctrl) never go
// in.
//
// A linked object (a group collage) gets every key first and is told of
// each change of the text or the caret with command 1 (arguments 0, 0 and
// 1 for an interim character of the input method; it reads the text with
// GetText), and of the box's end with command 2.
//
// Property 31 "Text" reads and replaces the text.

#include <cstdint>

#include "events/JxCBitmapRef.h"
#include "foundation/JxCRect.h"
#include "foundation/JxCString.h"
#include "foundation/JxCTableString.h"
#include "objects/widgets/JxCEditString.h"
#include "runtime/JxCCaret.h"
#include "runtime/JxCDisplayObject.h"

class JxCCharStyleObject;
class JxCPageObject;
class JxCTextOut;

class JxCEditBox : public JxCDisplayObject, public JxCCaretClient {
public:
    // Commands to the linked object.
    static constexpr std::int32_t kTextChangedCommand = 1;
    static constexpr std::int32_t kEditBoxGoneCommand = 2;

    // The cursor "IBeam".
    JxCEditBox();
    // Gives the caret and the focus up, tells the linked object, lets its
    // pictures go.
    ~JxCEditBox() override;

    // The display-object record, the focused, normal and disabled picture
    // names (table strings) and the character style id.
    std::int16_t Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type) override;
    // Takes the mouse capture itself from now on, loads the pictures (a
    // missing normal or disabled picture falls back on another) and finds
    // the style; 0 when a picture does not load or the style is missing
    // (reported, 1068).
    std::int16_t CreateResources() override;
    std::int16_t ReleaseResources() override;
    std::int16_t Draw(JxCSlate* slate, const JxCRect* clip) override;
    std::int16_t MouseDown(const JxCPoint& point) override;
    std::int16_t MouseUp(const JxCPoint& point, std::int16_t flag) override;
    std::int16_t MouseMove(const JxCPoint& point) override;
    std::int16_t Start() override { return 1; }
    // Takes every key that reaches it (1).
    std::int16_t HandleKey(JxCKeyParams& key) override;
    // 1 when the box holds the focus afterwards.
    std::int32_t SetFocus() override;
    std::int32_t KillFocus() override;
    const JxCString& GetText() const override;

    std::int16_t GetStringProperty(std::int16_t index, JxCString* text) override;
    std::int16_t SetStringProperty(std::int16_t index, const JxCString& text) override;
    JxPropertyKind GetPropertyInfo(std::int16_t index, std::int32_t* stringId) override;

    // Measures again on the next drawing or focus.
    void ForgetTextMeasure() override { lineHeight_ = -1; }
    // Replaces the text; with reset, measures the limit and puts the caret
    // at the end (at the start when the text is wider than the box).
    virtual std::int16_t SetText(const char* text, std::int16_t redraw, std::int16_t reset);
    // The line height and the text rectangle in the style.
    virtual void Measure();
    // The edit a key makes; whether the text or the caret changed.
    virtual std::int16_t ProcessKey(JxCKeyParams& key);

    // The box takes the focus, and its page becomes the focus page with the
    // keyboard; the previous focus object (null for none). A box that has
    // the focus takes the keyboard back, with its caret.
    JxCDisplayObject* TakeFocus();
    // -1 leaves an end as it is. 1 when something changed.
    std::int16_t SetSelection(std::int32_t caret, std::int32_t anchor, std::int16_t force);
    void Disable(std::int16_t redraw);
    void Enable(std::int16_t redraw);
    // Returns the previous one.
    JxCDisplayObject* SetLinkedObject(JxCDisplayObject* object);
    JxCDisplayObject* GetLinkedObject() const { return linked_; }
    bool HasFocus() const;

    JxCEditString& GetEditString() { return text_; }
    std::int32_t GetLineHeight() const { return lineHeight_; }
    const JxCRect& GetTextRect() const { return textRect_; }
    JxCCharStyleObject* GetStyle() const { return style_; }

private:
    enum Picture { kFocused, kNormal, kDisabled, kPictureCount };

    JxCPageObject* page() const;
    void becomeFocusPage(JxCPageObject& owner);
    // The box has the focus: its page becomes the focus page and takes the
    // keyboard, with the box's caret.
    void takeKeyboard(JxCPageObject& owner);
    bool disabled() const { return TestStateFlags(kStateDisabled) != 0; }
    // The limit flag: set while the text is wider than the box.
    void measureLimit();
    // The width of the text's first bytes (-1: all of it).
    std::int32_t textWidth(std::int32_t bytes);
    // The position (bytes) just after the character under an x of the box's
    // content coordinates.
    std::int32_t positionAt(const JxCPoint& point);
    void moveCaret();
    void redraw();
    const JxObjectRef* background() const;

    std::int32_t lineHeight_ = -1;
    JxCRect textRect_;
    JxCCharStyleObject* style_ = nullptr;
    JxCEditString text_;
    JxSharedImage pictures_[kPictureCount];
    JxCTableString names_[kPictureCount];
    std::int16_t drag_ = 0;
    std::int16_t tracking_ = 0;
    // The lead byte of a double-byte character whose trail byte is still
    // to come; 0 for none.
    std::uint8_t leadByte_ = 0;
    std::int32_t styleId_ = 0;
    JxCDisplayObject* linked_ = nullptr;
    mutable JxCString textCopy_;
};
