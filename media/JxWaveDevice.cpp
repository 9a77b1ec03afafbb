#include "media/JxWaveDevice.h"

// Stand-in until wave output is built: nothing plays sound yet, so there is
// no device to probe and start-up goes on.
std::int16_t CheckWaveDevice()
{
    return 1;
}
