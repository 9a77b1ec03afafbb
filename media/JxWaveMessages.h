#pragma once
// The wave-output messages (955 to 957) of one device. A device that stops
// takes back the completions it still has waiting, so that none reaches a
// closed player; the completions of other devices stay where they are.

#include "platform/audio/wave_out.h"

void DrainWaveMessages(plat::HWAVEOUT device);
