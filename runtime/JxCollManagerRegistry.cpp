#include "runtime/JxCollManagerRegistry.h"

#include <list>

#include "foundation/JxCString.h"

namespace {

template <class Creator>
class Registry {
public:
    void Register(const JxCTableString& name, Creator creator)
    {
        if (Entry* entry = find(name)) {
            ++entry->uses;
            return;
        }
        entries_.push_front(Entry{JxCString(name.GetText() ? name.GetText() : ""), creator, 1});
    }

    std::int16_t Unregister(const JxCTableString& name)
    {
        for (auto it = entries_.begin(); it != entries_.end(); ++it) {
            if (!matches(*it, name))
                continue;
            if (--it->uses <= 0)
                entries_.erase(it);
            return 1;
        }
        return 0;
    }

    Creator Find(const JxCTableString& name)
    {
        Entry* entry = find(name);
        return entry ? entry->creator : nullptr;
    }

private:
    struct Entry {
        JxCString name;
        Creator creator;
        std::int32_t uses;
    };

    static bool matches(const Entry& entry, const JxCTableString& name)
    {
        return JxCTableString(entry.name.GetText()).EqualsNoCase(name);
    }

    Entry* find(const JxCTableString& name)
    {
        for (Entry& entry : entries_)
            if (matches(entry, name))
                return &entry;
        return nullptr;
    }

    // Newest first.
    std::list<Entry> entries_;
};

Registry<JxArrangementManagerCreator>& arrangements()
{
    static Registry<JxArrangementManagerCreator> r;
    return r;
}

Registry<JxDataManagerCreator>& dataManagers()
{
    static Registry<JxDataManagerCreator> r;
    return r;
}

}  // namespace

void RegisterArrangementManagerType(const JxCTableString& name, JxArrangementManagerCreator creator)
{
    arrangements().Register(name, creator);
}

void RegisterDataManagerType(const JxCTableString& name, JxDataManagerCreator creator)
{
    dataManagers().Register(name, creator);
}

std::int16_t UnregisterArrangementManagerType(const JxCTableString& name)
{
    return arrangements().Unregister(name);
}

std::int16_t UnregisterDataManagerType(const JxCTableString& name)
{
    return dataManagers().Unregister(name);
}

JxArrangementManagerCreator FindArrangementManagerType(const JxCTableString& name)
{
    return arrangements().Find(name);
}

JxDataManagerCreator FindDataManagerType(const JxCTableString& name)
{
    return dataManagers().Find(name);
}
