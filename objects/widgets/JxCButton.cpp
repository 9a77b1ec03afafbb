#include "objects/widgets/JxCButton.h"

#include "foundation/JxCInStrStream.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPanelObject.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxSharedBitmaps.h"

namespace {

JxCString textOf(const JxCTableString& name)
{
    return JxCString(name.GetText() ? name.GetText() : "");
}

void showCursor(const char* name)
{
    if (JxCBaseProduct* product = GetProduct())
        product->SetCursor(JxCTableString(name));
}

}  // namespace

JxCButton::JxCButton()
{
    SetCursorName(JxCTableString("Hand"));
}

JxCButton::~JxCButton() = default;

std::int16_t JxCButton::ResetFlags()
{
    if (!JxCDisplayObject::ResetFlags())
        return 0;
    SetOptionFlags(kOptionResetResources);
    return 1;
}

std::int16_t JxCButton::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    if (!JxCDisplayObject::Read(in, container, type))
        return 0;
    JxCTableString normal, pressed, disabled;
    if (!ReadTableString(in, normal) || !ReadTableString(in, pressed) || !ReadTableString(in, disabled))
        return 0;
    if (!in.ReadBigEndian16(startsDisabled_).ReadBigEndian16(transparent_))
        return 0;
    normalName_ = textOf(normal);
    pressedName_ = textOf(pressed);
    disabledName_ = textOf(disabled);
    return 1;
}

void JxCButton::dropImages()
{
    normal_.reset();
    pressed_.reset();
    disabled_.reset();
}

std::int16_t JxCButton::ReleaseResources()
{
    dropImages();
    loadFailed_ = false;
    JxCDisplayObject::ReleaseResources();
    return 1;
}

std::int16_t JxCButton::loadImage(const JxCString& name, JxSharedImage& image)
{
    image = LoadSharedBitmap(*this, JxCTableString(name.GetText()));
    return image ? 1 : 0;
}

std::int16_t JxCButton::CreateResources()
{
    ReleaseResources();
    if (normalName_.IsEmpty() || pressedName_.IsEmpty())
        return 1;
    // What did load stays, and a failure is remembered until the resources
    // are released: the drawing and the mouse do not try (and report) the
    // load again and again.
    if (!loadImage(normalName_, normal_) || !loadImage(pressedName_, pressed_) ||
        (!disabledName_.IsEmpty() && !loadImage(disabledName_, disabled_))) {
        loadFailed_ = true;
        return 0;
    }
    if (startsDisabled_ == 1)
        Disable(0);
    return 1;
}

bool JxCButton::prepare()
{
    if (!IsVisible())
        return false;
    if (!normal_ && !loadFailed_)
        CreateResources();
    return true;
}

std::int16_t JxCButton::DrawImage(const JxSharedImage& image)
{
    return DrawBitmapAt(*this, image.get(), GetRect(), JxCPoint(), nullptr, IsActive());
}

bool JxCButton::OnTransparentPixel(const JxCPoint& point) const
{
    if (!transparent_ || !normal_)
        return false;
    const JxCPoint within(std::int16_t(point.x - GetRect().left), std::int16_t(point.y - GetRect().top));
    return IsTransparentPixelAt(*this, *normal_, within) != 0;
}

std::int16_t JxCButton::DrawImagePart(const JxSharedImage& image, JxCSlate* slate, const JxCRect* clip)
{
    const JxCRect& rect = GetRect();
    const JxCRect part = clip ? *clip : rect;
    const JxCPoint offset(std::int16_t(part.left - rect.left), std::int16_t(part.top - rect.top));
    return DrawBitmapAt(*this, image.get(), part, offset, slate, IsActive());
}

std::int16_t JxCButton::Draw(JxCSlate* slate, const JxCRect* clip)
{
    if (!prepare())
        return 1;
    return DrawImagePart(TestStateFlags(kStateDisabled) && disabled_ ? disabled_ : normal_, slate, clip);
}

std::int16_t JxCButton::MouseDown(const JxCPoint& point)
{
    if (!prepare())
        return 1;
    if (OnTransparentPixel(point) || TestStateFlags(kStateDisabled))
        return 1;
    if (TestOptionFlags(kOptionResetResources))
        StopActiveObjects(0);
    DrawImage(pressed_);
    return 1;
}

std::int16_t JxCButton::MouseMove(const JxCPoint& point)
{
    if (!prepare())
        return 1;
    const JxCRunTimeObject* container = GetContainer();
    const auto* panel = container && container->GetKind() == kPanelKind
                            ? static_cast<const JxCPanelObject*>(container)
                            : nullptr;
    const bool disabled = TestStateFlags(kStateDisabled) != 0;
    if (panel && panel->GetCaptureObject() == this && !disabled)
        DrawImage(GetRect().Contains(point) ? pressed_ : normal_);
    if (OnTransparentPixel(point) || disabled) {
        showCursor("Arrow");
        return 1;
    }
    if (JxCBaseProduct* product = GetProduct())
        product->SetCursor(GetCursorName());
    return 1;
}

std::int16_t JxCButton::MouseUp(const JxCPoint& point, std::int16_t)
{
    if (!prepare())
        return 1;
    if (OnTransparentPixel(point))
        return 1;
    ClearStateFlags(kStateSelected);
    if (TestStateFlags(kStateDisabled))
        return 1;
    // A picture that cannot be drawn does not swallow the click.
    const std::int16_t drawn = DrawImage(normal_);
    if (GetRect().Contains(point))
        Clicked();
    return drawn ? 1 : 0;
}

void JxCButton::Clicked()
{
    DispatchEvent(std::int16_t(EventId(JxEventKeyword::on_click)), std::int16_t(GetTypeKey().GetId()));
}

void JxCButton::SetPictureNames(const JxCString& normal, const JxCString& pressed)
{
    normalName_ = normal;
    pressedName_ = pressed;
}

void JxCButton::Disable(std::int16_t redraw)
{
    SetStateFlags(kStateDisabled);
    if (redraw)
        RedrawInContainer(GetRect());
}

void JxCButton::Enable(std::int16_t redraw)
{
    ClearStateFlags(kStateDisabled);
    if (redraw)
        RedrawInContainer(GetRect());
}
