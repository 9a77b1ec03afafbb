#pragma once
// The start-up probe of the wave output device.

#include <cstdint>

// Opens the device once with the title's usual sound format (MS ADPCM,
// 22,050 Hz mono) and closes it. 1 when sound can be played; otherwise the
// reason is reported and 0 makes start-up fail. A device in use or one
// that refuses the format asks Abort, Retry, Ignore (Ignore goes on); a
// format refused is tried again quietly, six opens in all.
std::int16_t CheckWaveDevice();
