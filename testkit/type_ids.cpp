#include "testkit/type_ids.h"

#include <stdexcept>
#include <string>

#include "runtime/JxCTypeKey.h"

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

bool IsDisplayObjectTypeRegistered(std::string_view keyword)
{
    return DisplayObjectTypeTable().IsFrozen() && JxCTypeKey(JxCString(keyword)).GetId() >= 0;
}

}  // namespace testkit
