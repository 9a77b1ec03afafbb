#pragma once
// An IMA ADPCM sound for the tests of what decodes ADPCM: 8,000 Hz mono in
// blocks of 36 bytes (65 samples each), and blocks that decode to anything
// but silence.

#include <cstdint>
#include <vector>

#include "platform/audio/wave_out.h"

namespace plat::testing {

inline WAVEFORMATEX ImaFormat(WORD blockAlign = 36)
{
    WAVEFORMATEX f;
    f.wFormatTag = WAVE_FORMAT_IMA_ADPCM;
    f.nChannels = 1;
    f.nSamplesPerSec = 8000;
    f.nBlockAlign = blockAlign;
    f.nAvgBytesPerSec = 4000;
    f.wBitsPerSample = 4;
    return f;
}

inline std::vector<std::uint8_t> NoisyImaBlocks(std::size_t count)
{
    std::vector<std::uint8_t> blocks(36 * count);
    for (std::size_t i = 0; i < blocks.size(); ++i)
        blocks[i] = i % 36 == 2 ? 20 : i % 36 == 3 ? 0 : std::uint8_t(i * 37 + 11);  // step index 20
    return blocks;
}

}  // namespace plat::testing
