#include "foundation/JxCNameRegistry.h"

#include <algorithm>

#include "foundation/JxCTableString.h"

namespace {

bool SameName(std::string_view a, std::string_view b) { return JxCTableString::CompareNoCase(a, b) == 0; }

}  // namespace

std::list<JxCNameRegistry::Entry>::iterator JxCNameRegistry::Find(std::string_view name)
{
    return std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return SameName(e.name, name); });
}

void JxCNameRegistry::Register(std::string_view name, std::int32_t value)
{
    const auto it = Find(name);
    if (it != entries_.end()) {
        ++it->useCount;
        return;
    }
    entries_.push_front(Entry{std::string(name), value, 1});
}

std::int32_t* JxCNameRegistry::Lookup(std::string_view name)
{
    const auto it = Find(name);
    return it == entries_.end() ? nullptr : &it->value;
}

std::int16_t JxCNameRegistry::Release(std::string_view name)
{
    const auto it = Find(name);
    if (it == entries_.end())
        return 0;
    if (--it->useCount == 0)
        entries_.erase(it);
    return 1;
}

std::uint32_t JxCNameRegistry::GetUseCount(std::string_view name)
{
    const auto it = Find(name);
    return it == entries_.end() ? 0 : it->useCount;
}

JxCNameRegistry& TheNameRegistry()
{
    static JxCNameRegistry registry;
    return registry;
}
