#include "objects/actions/JxCBlendAction.h"

#include <memory>

#include "foundation/JxCInStrStream.h"
#include "graphics/JxCSlate.h"
#include "graphics/JxColourEffects.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCDisplayObject.h"
#include "runtime/JxCPanelObject.h"

namespace {

// The bitmap of the id nearest the end of the list, passing over objects
// whose type is flagged in the registry.
JxCDisplayObject* findBitmap(JxCRunTimeObject& container, std::int32_t id)
{
    auto* panel = dynamic_cast<JxCPanelObject*>(&container);
    if (!panel)
        return nullptr;
    const JxCTypeKey bitmapType(JxCTableString("Bitmap"));
    JxCDisplayObjectList& objects = panel->GetDisplayObjects();
    for (JxCDisplayObject* object = objects.GetLast(); object; object = objects.GetPrev(object)) {
        if (object->GetTypeKey().GetTypeValue() != 0)
            continue;
        if (object->GetTypeKey() == bitmapType && object->GetId() == id)
            return object;
    }
    return nullptr;
}

}  // namespace

std::int16_t JxCBlendAction::Read(JxCInStrStream& in, JxCRunTimeObject* owner)
{
    SetOwner(owner);
    std::int16_t left = 0, top = 0, right = 0, bottom = 0, mode = 0, id = 0;
    if (!in.ReadBigEndian16(left).ReadBigEndian16(top).ReadBigEndian16(right).ReadBigEndian16(bottom))
        return 0;
    if (!in.ReadBigEndian16(mode).ReadBigEndian16(id))
        return 0;
    area_ = JxCRect(left, top, right, bottom);
    mode_ = mode;
    bitmapId_ = id;
    return 1;
}

void JxCBlendAction::BuildTable()
{
    for (std::size_t i = 0; i < table_.size(); ++i)
        table_[i] = std::uint16_t(i);
    if (mode_ == 0)
        GetDibPalette(GetProductPalette(), kGreyEffect, 0, 0, table_.data());
}

std::int16_t JxCBlendAction::Execute()
{
    JxCRunTimeObject* owner = GetOwner();
    JxCRunTimeObject* container = owner ? owner->GetContainer() : nullptr;
    if (!container)
        return 0;
    JxCDisplayObject* bitmap = findBitmap(*container, bitmapId_);
    if (!bitmap)
        return 0;
    const JxCRect& at = bitmap->GetRect();
    const std::int32_t left = at.left + area_.left;
    const std::int32_t top = at.top + area_.top;
    const JxCRect target(std::int16_t(left), std::int16_t(top), std::int16_t(left + area_.Width()),
                         std::int16_t(top + area_.Height()));
    BuildTable();
    JxCSlate* slate = container->GetSlate();
    if (!slate)
        return 0;
    const plat::HPALETTE previous = slate->ExchangePalette(GetProductPalette(), 1);
    slate->MapColours(target, table_.data());
    slate->ExchangePalette(previous, 1);
    container->ReleaseSlate(slate);
    return 1;
}

std::int16_t JxCBlendAction::Post()
{
    JxCBaseProduct* product = GetProduct();
    if (!product)
        return 0;
    auto copy = std::make_unique<JxCBlendAction>(*this);
    copy->CopySubscriptions(*this);
    product->QueueAction(copy.release());
    product->ProcessActions();
    return 1;
}
