#pragma once
// The memory guard: a 20,480-byte emergency reserve that is given back to
// the heap when an allocation fails, a new-handler that then asks the user
// whether to retry, and the start-up check of the machine's physical memory
// against the setting "MinimumkRAM".
//
// Standard new throws: when the handler gives up, the allocation ends in
// std::bad_alloc (a non-throwing new gives null).

#include <cstddef>
#include <cstdint>

constexpr std::size_t kEmergencyReserveBytes = 20480;
constexpr unsigned kOutOfMemoryMessageId = 1063;
constexpr unsigned kTooLittleMemoryId = 1093;

// Allocates the reserve (once per run) and installs the new-handler.
void ReserveEmergencyMemory();
// Frees the reserve when it is held.
void ReleaseEmergencyMemory();
bool HoldsEmergencyMemory();
// Test support: no reserve taken yet, the standard new-handler back.
void ResetMemoryGuard();

// Message 1093 while the machine has less physical memory than required;
// Retry looks again, Ignore goes on, Abort leads to the quit question.
std::int32_t CheckPhysicalMemory();
// Kilobytes: "MinimumkRAM", 2500 by default.
std::int32_t GetRequiredPhysicalMemory();

// Frees the reserve and shows message 1063, unless such a report is
// already up (then 0).
std::int32_t ReportOutOfMemory();
// Frees the reserve and asks (1063 with Retry and Cancel) whether to try
// the allocation again.
bool OutOfMemoryHandler();
