#pragma once
// The type id of a display object as the product data file stores it: the
// position of its type keyword in the engine's frozen, sorted registry of
// display-object types. It depends on every type that is registered, so it
// is always looked up in the live registry, never written down.

#include <cstdint>
#include <string_view>

namespace testkit {

// The id of the registered display-object type keyword (any case). Throws
// std::logic_error when the registry is not frozen yet (the classes must be
// registered and the type ids numbered first) or the keyword is not
// registered.
std::int16_t DisplayObjectTypeId(std::string_view keyword);
// Whether the keyword is registered (and the ids numbered).
bool IsDisplayObjectTypeRegistered(std::string_view keyword);

}  // namespace testkit
