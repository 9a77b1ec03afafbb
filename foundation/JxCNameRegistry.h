#pragma once
// The process-wide registry of names: each entry keeps a name, a 32-bit value
// and a use count. Registering a name that is already there (compared without
// regard to the case of A to Z) only counts one more use; the entry goes when
// its last use is released.

#include <cstdint>
#include <list>
#include <string>
#include <string_view>

class JxCNameRegistry {
public:
    void Register(std::string_view name, std::int32_t value);
    // The address of the value registered under name, or null. The address
    // stays valid until the entry's last use is released.
    std::int32_t* Lookup(std::string_view name);
    bool IsRegistered(std::string_view name) { return Lookup(name) != nullptr; }
    // 0 when no entry has the name; else one use fewer; 1.
    std::int16_t Release(std::string_view name);

    std::uint32_t GetUseCount(std::string_view name);
    std::size_t GetEntryCount() const { return entries_.size(); }

private:
    struct Entry {
        std::string name;
        std::int32_t value;
        std::uint32_t useCount;
    };
    std::list<Entry>::iterator Find(std::string_view name);

    // The newest entry first.
    std::list<Entry> entries_;
};

// The one registry of the program.
JxCNameRegistry& TheNameRegistry();
