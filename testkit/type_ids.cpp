#include "testkit/type_ids.h"

#include <list>
#include <stdexcept>
#include <string>
#include <vector>

#include "runtime/JxCTypeKey.h"
#include "runtime/JxKeywordTables.h"

namespace testkit {

std::int16_t DisplayObjectTypeId(std::string_view keyword)
{
    if (!DisplayObjectTypeTable().IsFrozen())
        throw std::logic_error("display-object type ids are not numbered yet");
    const std::int32_t id = JxCTypeKey(JxCString(keyword)).GetId();
    if (id < 0)
        throw std::logic_error("display-object type '" + std::string(keyword) + "' is not registered");
    return static_cast<std::int16_t>(id);
}

struct StandInObjectTypes::Registrations {
    // The keys stay where the registry wrote their entries.
    std::list<JxCTypeKey> keys;
    std::vector<JxCString> names;
};

StandInObjectTypes::StandInObjectTypes() : registrations_(std::make_unique<Registrations>())
{
    if (DisplayObjectTypeTable().IsFrozen())
        return;
    const std::span<const char* const> keywords = ObjectTypeKeywords();
    // Between "NULL_OBJ" and "LAST_OBJ".
    for (const char* keyword : keywords.subspan(1, keywords.size() - 2)) {
        const JxCString name(keyword);
        if (JxCTypeKey(name).GetId() >= 0)
            continue;
        registrations_->names.push_back(RegisterDisplayObjectType(name, nullptr, registrations_->keys.emplace_back()));
    }
}

StandInObjectTypes::~StandInObjectTypes()
{
    for (const JxCString& name : registrations_->names)
        UnregisterDisplayObjectType(name);
}

}  // namespace testkit
