#pragma once
// The MS ADPCM and IMA ADPCM of wave sounds, decoded by libavcodec one
// whole block at a time.

#include <memory>

#include "platform/movie/ffmpeg_module.h"

namespace plat {

std::unique_ptr<AdpcmBlockDecoder> OpenFfmpegAdpcm(const WaveFormatInfo& info);

}  // namespace plat
