#pragma once
// The type id of a display object as the product data file stores it: the
// position of its type keyword in the engine's frozen, sorted registry of
// display-object types. It depends on every type that is registered, so it
// is always looked up in the live registry, never written down.

#include <cstdint>
#include <memory>
#include <string_view>

namespace testkit {

// The id of the registered display-object type keyword (any case). Throws
// std::logic_error when the registry is not frozen yet (the classes must be
// registered and the type ids numbered first) or the keyword is not
// registered.
std::int16_t DisplayObjectTypeId(std::string_view keyword);

// For writers that run without the program's classes (the sample title's
// tool): while it lives, each display-object type keyword of the engine's
// keyword table that has no registration is registered without a factory, so that the ids come out as the program
// numbers them. Registers nothing while the registry is frozen.
class StandInObjectTypes {
public:
    StandInObjectTypes();
    ~StandInObjectTypes();
    StandInObjectTypes(const StandInObjectTypes&) = delete;
    StandInObjectTypes& operator=(const StandInObjectTypes&) = delete;

private:
    struct Registrations;
    std::unique_ptr<Registrations> registrations_;
};

}  // namespace testkit
