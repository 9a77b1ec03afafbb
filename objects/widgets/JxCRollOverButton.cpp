#include "objects/widgets/JxCRollOverButton.h"

#include "foundation/JxCInStrStream.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxSharedBitmaps.h"

JxCRollOverButton::~JxCRollOverButton()
{
    image_.reset();
}

std::int16_t JxCRollOverButton::Read(JxCInStrStream& in, JxCRunTimeObject* container, const JxCTypeKey& type)
{
    if (!JxCButton::Read(in, container, type))
        return 0;
    JxCTableString name;
    if (!ReadTableString(in, name))
        return 0;
    name_ = name;
    return 1;
}

std::int16_t JxCRollOverButton::ReleaseResources()
{
    const std::int16_t released = JxCButton::ReleaseResources();
    image_.reset();
    return released;
}

std::int16_t JxCRollOverButton::CreateResources()
{
    if (!JxCButton::CreateResources())
        return 0;
    if (name_.IsEmpty())
        return 1;
    image_ = LoadSharedBitmap(*this, name_);
    return image_ ? 1 : 0;
}

void JxCRollOverButton::show(const JxSharedImage& image)
{
    if (IsVisible() && !TestStateFlags(kStateDisabled))
        DrawBitmapAt(*this, image.get(), GetRect(), JxCPoint(), nullptr, 0);
}

std::int16_t JxCRollOverButton::MouseEnter()
{
    show(image_);
    DispatchEvent(std::int16_t(EventId(JxEventKeyword::on_rollon)), std::int16_t(GetTypeKey().GetId()));
    return 1;
}

std::int16_t JxCRollOverButton::MouseLeave()
{
    show(GetNormalImage());
    DispatchEvent(std::int16_t(EventId(JxEventKeyword::on_rolloff)), std::int16_t(GetTypeKey().GetId()));
    return 1;
}
