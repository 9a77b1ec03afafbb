#include "objects/actions/JxCSendMessageAction.h"

#include <memory>

#include "foundation/JxCInStrStream.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPageDef.h"
#include "runtime/JxCPanelObject.h"

namespace {

std::int16_t deliver(JxCDisplayObject& object, std::int32_t value)
{
    JxCMessageRecord message{value, 0};
    return object.HandleMessage(&message);
}

}  // namespace

std::int16_t JxCSendMessageAction::Read(JxCInStrStream& in, JxCRunTimeObject* owner)
{
    SetOwner(owner);
    std::int16_t tag = 0;
    std::int16_t value = 0;
    if (!in.ReadBigEndian16(tag).ReadBigEndian16(value))
        return 0;
    tag_ = tag;
    value_ = value;
    return 1;
}

std::int16_t JxCSendMessageAction::Execute()
{
    if (JxCRunTimeObject* owner = GetOwner()) {
        JxCRunTimeObject* container = owner->GetContainer();
        auto* panel = dynamic_cast<JxCPanelObject*>(container ? container : owner);
        if (!panel)
            return 1;
        JxCDisplayObject* target = panel->FindObjectByTag(tag_);
        return target ? deliver(*target, value_) : std::int16_t(1);
    }
    JxCBaseProduct* product = GetProduct();
    if (!product)
        return 1;
    JxCPageObjectList& pages = product->GetPageList();
    for (JxCPageObject* page = pages.GetFirst(); page; page = pages.GetNext(page)) {
        JxCPageDef* def = page->GetPageDef();
        if (!def)
            continue;
        JxCPanelObjectList& panels = def->GetPanelList();
        for (JxCPanelObject* panel = panels.GetFirst(); panel; panel = panels.GetNext(panel))
            if (JxCDisplayObject* target = panel->FindObjectByTag(tag_))
                return deliver(*target, value_);
    }
    return 1;
}

std::int16_t JxCSendMessageAction::Post()
{
    JxCBaseProduct* product = GetProduct();
    if (!product)
        return 0;
    auto copy = std::make_unique<JxCSendMessageAction>(*this);
    copy->SetOwner(nullptr);
    copy->CopySubscriptions(*this);
    product->QueueAction(copy.release());
    product->ProcessActions();
    return 1;
}

std::int16_t JxCSendMessageAction::Describe(JxCString& text)
{
    text = JxCTableString("m_Objectname");
    return 0;
}
