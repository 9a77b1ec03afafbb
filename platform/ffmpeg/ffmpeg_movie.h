#pragma once
// A movie from its bytes through FFmpeg: its pictures, and its sound when
// it has some and a sink takes it.

#include <memory>

#include "platform/movie/ffmpeg_module.h"

namespace plat {

OpenedSource OpenMovieBytes(std::unique_ptr<MovieBytes> bytes, MovieSoundSinkMaker makeSink);

}  // namespace plat
