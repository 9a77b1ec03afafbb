#pragma once
// The numbering of the keyword tables at start-up and the per-type tables
// that go with it.

#include <cstdint>

// Numbers the action and event ids, freezes the display-object type
// registry, numbers the panel, page and resource type ids (each family from
// 0 in keyword-table order), makes the notification tables and gives the
// event layer the action factories. Returns 1.
// Called once per run, after the types are registered and before anything
// reads a definition.
std::int16_t RegisterTypeIds();
// Thaws the type registry, takes the action factories back and frees the
// notification tables.
void ReleaseTypeRegistries();
