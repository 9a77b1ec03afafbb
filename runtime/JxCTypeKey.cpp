#include "runtime/JxCTypeKey.h"

#include <string>
#include <string_view>

namespace {

// Registered names keep the case of every byte but A to Z.
JxCString lowerAsciiName(const JxCTableString& name)
{
    std::string lower(name.View());
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return JxCString(std::string_view(lower));
}

JxDisplayObjectType* recordOf(std::int32_t index)
{
    return JxCDispObjTypeHandler::ToRecord(DisplayObjectTypeTable().GetValueByIndex(index));
}

}  // namespace

JxCKeyedTable& DisplayObjectTypeTable()
{
    // The handler is made first, so that it outlives the table.
    static JxCDispObjTypeHandler handler;
    static JxCKeyedTable table(&handler);
    return table;
}

JxCTypeKey::JxCTypeKey(const JxCTableString& name) : index_(DisplayObjectTypeTable().FindLive(lowerAsciiName(name))) {}

JxCTypeKey::JxCTypeKey(std::int32_t id) : index_(DisplayObjectTypeTable().IsFrozen() ? id : -1) {}

JxCTypeKey& JxCTypeKey::operator=(const JxCTypeKey& other)
{
    if (this != &other) {
        Release();
        index_ = other.index_;
    }
    return *this;
}

void JxCTypeKey::Release()
{
    if (owned_ && index_ >= 0)
        DisplayObjectTypeTable().ClearBackPointer(index_, &index_);
}

JxCString JxCTypeKey::GetName() const
{
    return DisplayObjectTypeTable().GetName(index_);
}

JxCDisplayObject* JxCTypeKey::CreateObject() const
{
    const JxDisplayObjectType* record = recordOf(index_);
    return record && record->factory ? record->factory() : nullptr;
}

void JxCTypeKey::SetTypeValue(std::int16_t value)
{
    if (JxDisplayObjectType* record = recordOf(index_))
        record->flag = value;
}

std::int16_t JxCTypeKey::GetTypeValue() const
{
    const JxDisplayObjectType* record = recordOf(index_);
    return record ? record->flag : 0;
}

JxCString RegisterDisplayObjectType(const JxCTableString& name, JxDisplayObjectFactory factory, JxCTypeKey& key)
{
    JxCString lower = lowerAsciiName(name);
    auto* record = new JxDisplayObjectType{0, factory};
    key.Release();
    key.index_ = -1;
    DisplayObjectTypeTable().Add(lower, JxCDispObjTypeHandler::ToValue(record), &key.index_);
    key.owned_ = true;
    return lower;
}

void UnregisterDisplayObjectType(const JxCTableString& registeredName)
{
    DisplayObjectTypeTable().ReleaseByName(registeredName);
}

const JxCTypeKey& NullObjectTypeKey()
{
    static const JxCTypeKey key;
    return key;
}

const JxCTypeKey& LastObjectTypeKey()
{
    static const JxCTypeKey key;
    return key;
}

JxCDisplayObject* CreateDisplayObjectById(std::int32_t typeId)
{
    return JxCTypeKey(typeId).CreateObject();
}
