#include "runtime/JxCPanelObject.h"

#include <algorithm>
#include <memory>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxWinHelpers.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCPageDef.h"
#include "runtime/JxCPageObject.h"

namespace {

constexpr std::int32_t kNoObjectId = -1;

}  // namespace

JxCPanelObject::JxCPanelObject() = default;

JxCPanelObject::~JxCPanelObject()
{
    MarkClosing();
    // The objects go while the panel is whole: each tells the panel it goes.
    objects_.RemoveAll();
    if (ownerPage_)
        ownerPage_->ForgetPanel(this);
}

// --- Definition and record ---------------------------------------------------

JxCPanelDef* JxCPanelObject::findDefinition(std::int16_t report) const
{
    JxCBaseProduct* product = GetProduct();
    JxCProductDef* def = product ? product->GetProductDef() : nullptr;
    if (!def || !pageDef_)
        return nullptr;
    return def->FindPanelDef(pageDef_->GetTemplateId(), std::int16_t(panelId_), report);
}

void JxCPanelObject::takeDefinition(const JxCPanelDef& def)
{
    panelType_ = def.GetPanelType();
    rect_ = JxCRect(def.position.x, def.position.y, std::int16_t(def.position.x + def.size.cx),
                    std::int16_t(def.position.y + def.size.cy));
    // The definition's flag word: the stored-record word of the definition.
    definitionFlag_ = def.GetPresent() == 0 ? 1 : 0;
}

void JxCPanelObject::clearForRead(JxCPageDef* pageDef)
{
    pageDef_ = pageDef;
    ownerPage_ = nullptr;
    captureObject_ = nullptr;
    scroll_ = JxCSize();
    extent_ = JxCSize();
    transitionPending_ = 1;
}

std::int16_t JxCPanelObject::Init(std::int32_t panelId, JxCPageDef* pageDef)
{
    clearForRead(pageDef);
    panelId_ = panelId;
    const JxCPanelDef* def = findDefinition(1);
    if (!def)
        return 0;
    takeDefinition(*def);
    return 1;
}

std::int16_t JxCPanelObject::Init(const JxCPanelDef& def, JxCPageDef* pageDef)
{
    clearForRead(pageDef);
    panelId_ = def.GetPanelId();
    takeDefinition(def);
    return 1;
}

std::int16_t JxCPanelObject::Read(JxCInStrStream& in, JxCPageDef* pageDef)
{
    clearForRead(pageDef);
    if (!in.ReadBigEndian16To32(panelId_))
        return 0;
    // Without its definition a panel has no place, size or colour.
    const JxCPanelDef* def = findDefinition(1);
    if (!def)
        return 0;
    takeDefinition(*def);
    if (!readObjects(in) || !ReadHandlersAndScope(in))
        return 0;
    return 1;
}

std::int16_t JxCPanelObject::readObjects(JxCInStrStream& in)
{
    std::int16_t count = 0;
    if (!in.ReadBigEndian16(count))
        return 0;
    // A negative count reads nothing.
    for (std::int16_t i = 0; i < count; ++i) {
        JxCTypeKey type;
        if (!in.ReadTypeKey(type))
            return 0;
        std::unique_ptr<JxCDisplayObject> object(CreateDisplayObjectById(type.GetId()));
        if (!object) {
            OhNoItsAnError(kNoDisplayObjectTypeId, type.GetId());
            return 0;
        }
        if (!object->Read(in, this, type))
            return 0;
        if (!objects_.InsertByZOrder(object.get()))
            return 0;
        widenExtent(object.release()->GetRect());
    }
    return 1;
}

void JxCPanelObject::widenExtent(const JxCRect& rect)
{
    extent_.cx = std::max(extent_.cx, rect.right);
    extent_.cy = std::max(extent_.cy, rect.bottom);
}

// --- Resources -------------------------------------------------------------------

std::int16_t JxCPanelObject::CreateResources()
{
    std::int16_t result = 1;
    for (JxCDisplayObject* object = objects_.GetFirst(); object; object = objects_.GetNext(object)) {
        // Sound keeps playing while the objects load.
        PumpPrivateMessages();
        if (!object->CreateResources()) {
            result = 0;
            break;
        }
        widenExtent(object->GetRect());
    }
    // Without its definition the panel cannot be shown.
    const JxCPanelDef* def = findDefinition(1);
    if (!def)
        return 0;
    // A definition without a width or height takes the size of the content.
    if (def->size.cx == 0 || def->size.cy == 0) {
        rect_.right = std::int16_t(rect_.left + extent_.cx);
        rect_.bottom = std::int16_t(rect_.top + extent_.cy);
    }
    return result;
}

std::int16_t JxCPanelObject::ReleaseResources()
{
    for (JxCDisplayObject* object = objects_.GetFirst(); object; object = objects_.GetNext(object))
        object->ReleaseResources();
    return JxCRunTimeObject::ReleaseResources();
}

// --- Links -------------------------------------------------------------------------

JxCString JxCPanelObject::GetDataPath()
{
    return pageDef_ ? pageDef_->GetDataPath() : JxCString();
}

JxCPageDef* JxCPanelObject::SetPage(JxCPageDef* pageDef)
{
    JxCPageDef* previous = pageDef_;
    pageDef_ = pageDef;
    return previous;
}

void JxCPanelObject::SetOwnerPage(JxCPageObject* page)
{
    ownerPage_ = page;
    if (page)
        pageDef_ = page->GetPageDef();
}

JxCDisplayObject* JxCPanelObject::FindObjectById(std::int32_t id)
{
    if (id == kNoObjectId)
        return nullptr;
    for (JxCDisplayObject* object = objects_.GetFirst(); object; object = objects_.GetNext(object))
        if (object->GetId() == id)
            return object;
    return nullptr;
}

JxCDisplayObject* JxCPanelObject::FindObjectByTag(std::int32_t tag)
{
    for (JxCDisplayObject* object = objects_.GetFirst(); object; object = objects_.GetNext(object))
        if (object->GetTag() == tag)
            return object;
    return nullptr;
}

void JxCPanelObject::ForgetObject(const JxCDisplayObject* object)
{
    if (captureObject_ == object)
        captureObject_ = nullptr;
    if (hoverObject_ == object)
        hoverObject_ = nullptr;
    if (focusObject_ == object)
        focusObject_ = nullptr;
}

// --- Properties ---------------------------------------------------------------------

JxPropertyKind JxCPanelObject::GetPropertyInfo(std::int16_t index, std::int32_t* stringId)
{
    const bool number = (index >= kPropLeft && index <= kPropHeight) || index == kPropScrollWidth ||
                        index == kPropScrollHeight;
    return PropertyKindIn(index, stringId, number, index == kPropPageCloseIfClicked, index == kPropName);
}

std::int16_t JxCPanelObject::GetNumberProperty(std::int16_t index, std::int32_t* value)
{
    std::int32_t result = index == kPropScrollWidth ? scroll_.cx : scroll_.cy;
    if (index != kPropScrollWidth && index != kPropScrollHeight && !GetRectangleProperty(rect_, index, result))
        return JxCRunTimeObject::GetNumberProperty(index, value);
    if (!value)
        return kPropertyNoPlace;
    *value = result;
    return kPropertyOk;
}

std::int16_t JxCPanelObject::SetNumberProperty(std::int16_t index, std::int32_t value)
{
    std::int32_t current = 0;
    if (GetNumberProperty(index, &current) != kPropertyOk)
        return JxCRunTimeObject::SetNumberProperty(index, value);
    if (value == current)
        return kPropertyOk;
    if (index == kPropScrollWidth || index == kPropScrollHeight) {
        (index == kPropScrollWidth ? scroll_.cx : scroll_.cy) = std::int16_t(value);
        redraw(rect_);
        return kPropertyOk;
    }
    return setPosition(index, value);
}

std::int16_t JxCPanelObject::setPosition(std::int16_t index, std::int32_t value)
{
    // The owner page bounds the panel; a page that gives no size bounds it
    // by the coordinates alone.
    JxCSize bound(0x7FFF, 0x7FFF);
    if (ownerPage_) {
        const JxCSize size = ownerPage_->GetPageSize();
        if (size.cx > 0 && size.cy > 0)
            bound = size;
    }
    const JxCRect before = rect_;
    if (!SetRectangleProperty(rect_, index, value, bound))
        return kPropertyDoesNotFit;
    redraw(UnionOf(before, rect_));
    return kPropertyOk;
}

void JxCPanelObject::redraw(const JxCRect& pageArea)
{
    // The area in content coordinates.
    JxCRect area = pageArea;
    area.Offset(scroll_.cx - rect_.left, scroll_.cy - rect_.top);
    Draw(nullptr, &area, 1);
}

std::int16_t JxCPanelObject::GetFlagProperty(std::int16_t index, std::int16_t* flag)
{
    if (index != kPropPageCloseIfClicked)
        return JxCRunTimeObject::GetFlagProperty(index, flag);
    if (!flag)
        return kPropertyNoPlace;
    *flag = pageCloseIfClicked_;
    return kPropertyOk;
}

std::int16_t JxCPanelObject::SetFlagProperty(std::int16_t index, std::int16_t flag)
{
    if (index != kPropPageCloseIfClicked)
        return JxCRunTimeObject::SetFlagProperty(index, flag);
    pageCloseIfClicked_ = flag == 1 ? 1 : 0;
    return kPropertyOk;
}

std::int16_t JxCPanelObject::GetStringProperty(std::int16_t index, JxCString* text)
{
    if (const std::int16_t check = CheckPropertyKind(index, JxPropertyKind::String))
        return check;
    if (!text)
        return kPropertyNoPlace;
    *text = "m_Name";
    return kPropertyOk;
}

std::int16_t JxCPanelObject::SetStringProperty(std::int16_t index, const JxCString&)
{
    if (const std::int16_t check = CheckPropertyKind(index, JxPropertyKind::String))
        return check;
    return kPropertyReadOnly;
}

// --- The list ------------------------------------------------------------------------

JxCPanelObject* JxCPanelObjectList::FindById(std::int32_t id)
{
    for (JxCPanelObject* panel = GetFirst(); panel; panel = GetNext(panel))
        if (panel->GetId() == id)
            return panel;
    return nullptr;
}

void JxCPanelObjectList::CloseAll()
{
    // The list owns its panels: removing one deletes it.
    while (JxCPanelObject* panel = GetFirst())
        Remove(panel);
}
