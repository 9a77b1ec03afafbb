#pragma once
// The system's beeps (MessageBeep): a short sound of its own for each kind
// of message (the plain beep, the stop sign, the question, the warning and
// the information), played on the process's audio output while the
// program goes on. A beep that comes while another plays takes its place.

#include <cstdint>
#include <vector>

#include "platform/core/types.h"

namespace plat {

// Starts the beep of the kind (MB_OK, MB_ICONHAND ... or 0xFFFFFFFF for
// the plain one); false when the output could not take it.
bool PlaySystemBeep(UINT type);

// The beep's samples: 16-bit mono at kSystemBeepRate.
constexpr int kSystemBeepRate = 22050;
std::vector<std::int16_t> SystemBeepSamples(UINT type);

}  // namespace plat
