#include "objects/widgets/JxCEditBox.h"

#include <algorithm>
#include <utility>

#include "foundation/JxCBaseString.h"
#include "foundation/JxCInStrStream.h"
#include "foundation/JxCharSteps.h"
#include "foundation/JxCharTables.h"
#include "foundation/JxErrorReport.h"
#include "graphics/JxCSlate.h"
#include "graphics/JxCStyleDef.h"
#include "graphics/JxCTextOut.h"
#include "platform/window/messages.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCKeyParams.h"
#include "runtime/JxCPageObject.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxObjectDC.h"
#include "runtime/JxSharedBitmaps.h"

namespace {

constexpr const char* kIBeam = "IBeam";
// No double-byte code page has a trail byte below this: a control character,
// a blank or a digit after a lead byte leaves the character unfinished.
constexpr std::uint8_t kFirstTrailByte = 0x40;

JxCCaret* productCaret()
{
    JxCBaseProduct* product = GetProduct();
    return product ? product->GetCaret() : nullptr;
}

bool held(int vk)
{
    return (plat::GetAsyncKeyState(vk) & 0x8000) != 0;
}

// The cursor command of a key press; 0 for a key that moves nothing.
std::int16_t commandOfKey(std::uint16_t vk)
{
    std::int16_t command = 0;
    switch (vk) {
    case plat::VK_END: command = JxCEditString::kEnd; break;
    case plat::VK_HOME: command = JxCEditString::kStart; break;
    case plat::VK_LEFT: command = JxCEditString::kLeft; break;
    case plat::VK_RIGHT: command = JxCEditString::kRight; break;
    default: return 0;
    }
    // Ctrl+Left and Ctrl+Right jump to the start and the end; Shift extends.
    if (held(plat::VK_CONTROL) && (command == JxCEditString::kLeft || command == JxCEditString::kRight))
        command = command == JxCEditString::kLeft ? JxCEditString::kStart : JxCEditString::kEnd;
    if (held(plat::VK_SHIFT))
        command += 4;
    return command;
}

}  // namespace

JxCEditBox::JxCEditBox()
{
    SetCursorName(JxCTableString(kIBeam));
}

JxCEditBox::~JxCEditBox()
{
    if (JxCCaret* caret = productCaret())
        caret->Release(this);
    if (linked_)
        linked_->HandleCommand(kEditBoxGoneCommand, 0, 0, 0);
    ReleaseResources();
    if (JxCPageObject* owner = page(); owner && owner->GetFocusObject() == this)
        owner->ClearFocus();
}

JxCPageObject* JxCEditBox::page() const
{
    auto* panel = dynamic_cast<JxCPanelObject*>(GetContainer());
    return panel ? panel->GetParent() : nullptr;
}

bool JxCEditBox::HasFocus() const
{
    const JxCPageObject* owner = page();
    return owner && owner->GetFocusObject() == this;
}

// --- The record and the resources -----------------------------------------------

std::int16_t JxCEditBox::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    if (!JxCDisplayObject::Read(in, container, type))
        return 0;
    for (JxCTableString& name : names_)
        if (!ReadTableString(in, name))
            return 0;
    return in.ReadBigEndian16To32(styleId_) ? 1 : 0;
}

std::int16_t JxCEditBox::CreateResources()
{
    SetOptionFlags(kOptionOwnCapture);
    std::int16_t result = 1;
    for (int i = 0; i < kPictureCount; ++i) {
        if (names_[i].IsEmpty() || pictures_[i])
            continue;
        pictures_[i] = LoadSharedBitmap(*this, names_[i]);
        if (!pictures_[i])
            result = 0;
    }
    if (!pictures_[kNormal] && !pictures_[kDisabled])
        pictures_[kNormal] = pictures_[kDisabled] = pictures_[kFocused];
    else if (!pictures_[kDisabled])
        pictures_[kDisabled] = pictures_[kNormal];
    else if (!pictures_[kNormal])
        pictures_[kNormal] = pictures_[kDisabled];
    JxCStyleDef* styles = GetProductStyleDef();
    style_ = styles ? styles->FindCharacterStyle(styleId_) : nullptr;
    if (!style_) {
        OhNoItsAnError(JxCBaseProduct::kTemporaryErrorId, "JxCEditBox::Character style specified was not defined");
        result = 0;
    }
    return result;
}

std::int16_t JxCEditBox::ReleaseResources()
{
    // A fallback shares its picture: each reference goes back once, with
    // the object's list.
    for (JxSharedImage& picture : pictures_)
        picture.reset();
    return JxCDisplayObject::ReleaseResources();
}

// --- Measuring ---------------------------------------------------------------------

void JxCEditBox::Measure()
{
    JxObjectDC dc(*this);
    JxCTextOut out(dc.Get(), style_, plat::POINT{0, 0}, nullptr);
    lineHeight_ = out.GetLineHeight();
    const std::int32_t top = (GetRect().Height() - lineHeight_ + 1) / 2 - 1;
    textRect_ = JxCRect(0, std::int16_t(top), std::int16_t(GetRect().Width()), std::int16_t(top + 1 + lineHeight_));
}

std::int32_t JxCEditBox::textWidth(std::int32_t bytes)
{
    JxObjectDC dc(*this);
    JxCTextOut out(dc.Get(), style_, plat::POINT{0, 0}, nullptr);
    // The text output counts characters.
    const std::int32_t chars = bytes < 0 ? -1 : CharCountOfBytes(text_.GetBuffer(), bytes);
    return out.MeasureText(text_.GetBuffer(), chars, 0);
}

void JxCEditBox::measureLimit()
{
    text_.SetLimit(textWidth(-1) > GetRect().Width() ? 1 : 0);
}

std::int32_t JxCEditBox::positionAt(const JxCPoint& point)
{
    if (text_.GetLength() == 0)
        return 0;
    JxObjectDC dc(*this);
    JxCTextOut out(dc.Get(), style_, plat::POINT{0, 0}, nullptr);
    const std::int32_t chars = out.FitCharacters(text_.GetBuffer(), point.x - (GetRect().left + textRect_.left));
    return std::int32_t(JxCBaseString::CharCountToByteCount(text_.GetBuffer(), chars));
}

// --- Text, selection, state -----------------------------------------------------------

std::int16_t JxCEditBox::SetText(const char* text, std::int16_t redrawIt, std::int16_t reset)
{
    const std::int16_t result = text_.SetText(text);
    leadByte_ = 0;
    if (reset) {
        measureLimit();
        const std::int32_t at = textWidth(-1) > textRect_.Width() ? 0 : text_.GetLength();
        text_.SetCaret(at);
        text_.SetAnchor(at);
    }
    if (redrawIt)
        redraw();
    return result;
}

const JxCString& JxCEditBox::GetText() const
{
    textCopy_ = text_.GetBuffer();
    return textCopy_;
}

std::int16_t JxCEditBox::SetSelection(std::int32_t caret, std::int32_t anchor, std::int16_t force)
{
    if (disabled())
        return 1;
    std::int16_t changed = 0;
    if (caret != -1 && caret != text_.GetCaret()) {
        text_.SetCaret(caret);
        changed = 1;
    }
    if (anchor != -1 && anchor != text_.GetAnchor()) {
        text_.SetAnchor(anchor);
        changed = 1;
    }
    if (changed || force) {
        moveCaret();
        redraw();
    }
    return changed;
}

void JxCEditBox::Disable(std::int16_t redrawIt)
{
    SetStateFlags(kStateDisabled);
    KillFocus();
    if (redrawIt)
        redraw();
}

void JxCEditBox::Enable(std::int16_t redrawIt)
{
    ClearStateFlags(kStateDisabled);
    if (redrawIt)
        redraw();
}

JxCDisplayObject* JxCEditBox::SetLinkedObject(JxCDisplayObject* object)
{
    JxCDisplayObject* previous = linked_;
    linked_ = object;
    return previous;
}

void JxCEditBox::redraw()
{
    RedrawInContainer(GetRect());
}

void JxCEditBox::moveCaret()
{
    JxCCaret* caret = productCaret();
    if (disabled() || !caret)
        return;
    std::int32_t x = textWidth(text_.GetCaret());
    // A caret past the right edge of a long text waits at the left edge.
    if (x >= textRect_.Width())
        x = 0;
    caret->MoveTo(this, JxCPoint(std::int16_t(GetRect().left + textRect_.left + x),
                                 std::int16_t(GetRect().top + textRect_.top)));
}

// --- Focus ---------------------------------------------------------------------------

void JxCEditBox::becomeFocusPage(JxCPageObject& owner)
{
    // Keys go to the page holding the focused field, and only while it is
    // the focus page does the field's caret show.
    JxCBaseProduct* product = GetProduct();
    if (product && product->HasPage(&owner) && owner.CanActivate())
        product->SetFocusPage(&owner);
}

void JxCEditBox::takeKeyboard(JxCPageObject& owner)
{
    becomeFocusPage(owner);
    // Showing the caret gives the window the keyboard (its focus message
    // builds the system caret there).
    if (JxCCaret* caret = disabled() ? nullptr : productCaret()) {
        if (caret->GetOwner() != this && lineHeight_ >= 0) {
            caret->Create(this, JxCPoint(GetRect().left, GetRect().top), lineHeight_);
            moveCaret();
        } else if (caret->GetOwner() == this && !caret->IsVisible()) {
            caret->Show(this);
        }
    }
    if (const plat::HWND window = owner.GetWindow(); window && plat::GetFocus() != window)
        plat::SetFocus(window);
}

JxCDisplayObject* JxCEditBox::TakeFocus()
{
    JxCPageObject* owner = page();
    if (!owner)
        return nullptr;
    if (owner->GetFocusObject() == this) {
        // The keyboard may have gone meanwhile (a window that closed took
        // it along): it comes back.
        takeKeyboard(*owner);
        return nullptr;
    }
    becomeFocusPage(*owner);
    JxCDisplayObject* previous = owner->SetFocusObject(this);
    text_.SetCaret(text_.GetLength());
    text_.SetAnchor(text_.GetLength());
    if (!disabled()) {
        JxCCaret* caret = productCaret();
        if (lineHeight_ >= 0 && caret) {
            const JxCPoint at(std::int16_t(GetRect().left + textRect_.left + textWidth(-1)),
                              std::int16_t(GetRect().top + textRect_.top));
            if (!caret->Create(this, at, lineHeight_)) {
                // The focus goes back where it was, straight through the
                // page: the former owner is not asked to take the caret.
                if (previous)
                    owner->SetFocusObject(previous);
                else
                    owner->ClearFocus();
                SetStateFlags(kStateDisabled);
                redraw();
                return previous;
            }
        }
        moveCaret();
    }
    redraw();
    return previous;
}

std::int32_t JxCEditBox::SetFocus()
{
    TakeFocus();
    return HasFocus() ? 1 : 0;
}

std::int32_t JxCEditBox::KillFocus()
{
    if (!HasFocus())
        return 0;
    drag_ = 0;
    leadByte_ = 0;
    page()->ClearFocus();
    if (JxCCaret* caret = productCaret())
        caret->Hide(this);
    redraw();
    return 1;
}

// --- Keys ------------------------------------------------------------------------------

std::int16_t JxCEditBox::ProcessKey(JxCKeyParams& key)
{
    if (disabled())
        return 0;
    const std::uint32_t message = key.GetMessage();
    const bool composite = message == JxCKeyParams::kCompositeCharMessage;
    const std::uint8_t ch = message == plat::WM_CHAR || composite ? std::uint8_t(key.GetKeyCode() & 0xFF) : 0;
    if (ch == 0) {
        if (key.GetKeyCode() == plat::VK_DELETE) {
            leadByte_ = 0;
            if (text_.IsSelectionEmpty())
                text_.MoveCursor(JxCEditString::kExtendRight);
            return text_.IsSelectionEmpty() ? 0 : text_.ReplaceSelection("", 0);
        }
        const std::int16_t command = commandOfKey(key.GetKeyCode());
        if (command)
            leadByte_ = 0;
        return text_.MoveCursor(command);
    }
    // A double-byte character arrives as two character messages, its lead
    // byte first: the lead byte waits, and goes in with its trail byte or
    // not at all, so the text never holds half a character.
    std::uint16_t code = key.GetKeyCode();
    if (message == plat::WM_CHAR && code <= 0xFF) {
        if (const std::uint8_t lead = std::exchange(leadByte_, 0); lead && ch >= kFirstTrailByte) {
            code = std::uint16_t(lead << 8 | ch);
        } else if (IsLeadByte(ch)) {
            leadByte_ = ch;
            return 0;
        }
    }
    if (ch == 8) {
        if (text_.IsSelectionEmpty())
            text_.MoveCursor(JxCEditString::kExtendLeft);
        return text_.IsSelectionEmpty() ? 0 : text_.ReplaceSelection("", 0);
    }
    if (ch == 9 || ch == 10 || ch == 13 || ch == 27)
        return 0;
    // Nor are the other control characters text (Ctrl+A types 1, Ctrl+
    // Backspace 127): as in any edit field, they would show as boxes.
    if (ch < 0x20 || ch == 0x7F)
        return 0;
    // The character, one byte or the two of a double-byte character.
    char typed[3] = {0, 0, 0};
    if (code > 0xFF) {
        typed[0] = char(code >> 8);
        typed[1] = char(code & 0xFF);
    } else {
        typed[0] = char(code);
    }
    if (!composite)
        return text_.ReplaceSelection(typed, 0);
    // An interim character of the input method replaces the selection and
    // stays selected-free at the caret.
    if (!text_.IsSelectionEmpty())
        text_.ReplaceSelection("", 0);
    const std::int16_t result = text_.ReplaceSelection(typed, 1);
    text_.SetCaret(text_.GetAnchor());
    return result;
}

std::int16_t JxCEditBox::HandleKey(JxCKeyParams& key)
{
    if (linked_ && linked_->HandleKey(key))
        return 1;
    if (!ProcessKey(key))
        return 1;
    measureLimit();
    const bool composite = key.GetMessage() == JxCKeyParams::kCompositeCharMessage;
    if (linked_) {
        linked_->HandleCommand(kTextChangedCommand, 0, 0, composite ? 1 : 0);
        return 1;
    }
    if (!composite)
        moveCaret();
    redraw();
    return 1;
}

// --- Mouse ------------------------------------------------------------------------------

std::int16_t JxCEditBox::MouseDown(const JxCPoint& point)
{
    if (disabled() || !JxCDisplayObject::HitTest(point))
        return 1;
    if (auto* panel = dynamic_cast<JxCPanelObject*>(GetContainer()))
        panel->CaptureMouse(this);
    StopActiveObjects(0);
    if (HasFocus()) {
        drag_ = 1;
        const std::int32_t at = positionAt(point);
        text_.SetCaret(at);
        text_.SetAnchor(at);
        moveCaret();
        redraw();
    }
    return 1;
}

std::int16_t JxCEditBox::MouseUp(const JxCPoint& point, std::int16_t)
{
    if (JxCBaseProduct* product = GetProduct())
        product->ReleaseMouseCapture();
    drag_ = 0;
    if (disabled())
        return 1;
    const bool inside = JxCDisplayObject::HitTest(point) != 0;
    if (!HasFocus()) {
        if (inside)
            TakeFocus();
        return 1;
    }
    // A click on the focused field takes the keyboard back too.
    if (inside)
        TakeFocus();
    SetSelection(positionAt(point), -1, 0);
    return 1;
}

std::int16_t JxCEditBox::MouseMove(const JxCPoint& point)
{
    if (JxCBaseProduct* product = GetProduct())
        product->SetCursor(disabled() ? DefaultCursorName() : HasFocus() ? JxCTableString(kIBeam) : GetCursorName());
    if (drag_ && !tracking_) {
        tracking_ = 1;
        SetSelection(positionAt(point), -1, 0);
        tracking_ = 0;
    }
    return 1;
}

// --- Drawing -------------------------------------------------------------------------------

const JxObjectRef* JxCEditBox::background() const
{
    if (disabled() && pictures_[kDisabled])
        return pictures_[kDisabled].get();
    return (HasFocus() ? pictures_[kFocused] : pictures_[kNormal]).get();
}

std::int16_t JxCEditBox::Draw(JxCSlate* slate, const JxCRect*)
{
    if (!IsVisible())
        return 0;
    if (lineHeight_ < 0) {
        Measure();
        JxCCaret* caret = productCaret();
        if (HasFocus() && lineHeight_ > 0 && caret) {
            caret->Create(this, JxCPoint(GetRect().left, GetRect().top), lineHeight_);
            moveCaret();
        }
    }
    std::int16_t result = 1;
    if (const JxObjectRef* picture = background())
        result = DrawBitmapAt(*this, picture, GetRect(), JxCPoint(0, 0), slate, 0);
    if (text_.GetLength() == 0 || !slate)
        return result;
    const JxCPoint origin = slate->GetOrigin();
    const plat::RECT area{GetRect().left + textRect_.left - origin.x, GetRect().top + textRect_.top - origin.y,
                          GetRect().left + textRect_.right - origin.x, GetRect().top + textRect_.bottom - origin.y};
    JxCTextOut out(slate->GetHDC(), style_, plat::POINT{area.left, area.top}, &area);
    const char* text = text_.GetBuffer();
    if (text_.IsSelectionEmpty()) {
        out.DrawRun(-1, text, 0);
        return result;
    }
    const std::int32_t lo = text_.GetSelectionStart();
    const std::int32_t hi = text_.GetSelectionEnd();
    if (lo > 0)
        out.DrawRun(lo, text, 0);
    out.DrawRun(hi - lo, text + lo, 1);
    if (hi < text_.GetLength())
        out.DrawRun(-1, text + hi, 0);
    return result;
}

// --- Property 31 ------------------------------------------------------------------------------

JxPropertyKind JxCEditBox::GetPropertyInfo(std::int16_t index, std::int32_t* stringId)
{
    if (index == kPropText)
        return PropertyKindIn(index, stringId, false, false, true);
    return JxCDisplayObject::GetPropertyInfo(index, stringId);
}

std::int16_t JxCEditBox::GetStringProperty(std::int16_t index, JxCString* text)
{
    if (index != kPropText)
        return JxCDisplayObject::GetStringProperty(index, text);
    if (!text)
        return kPropertyNoPlace;
    *text = text_.GetBuffer();
    return kPropertyOk;
}

std::int16_t JxCEditBox::SetStringProperty(std::int16_t index, const JxCString& text)
{
    if (index != kPropText)
        return JxCDisplayObject::SetStringProperty(index, text);
    SetText(text.GetText() ? text.GetText() : "", 1, 1);
    moveCaret();
    return kPropertyOk;
}
