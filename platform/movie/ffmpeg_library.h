#pragma once
// The movie library over FFmpeg: movies from the drives the engine sees,
// or from bytes in memory.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/movie/ffmpeg_input.h"
#include "platform/movie/movie_source.h"

namespace plat {

class FfmpegLibrary final : public MovieLibrary {
public:
    OpenedSource open(std::string_view windowsPath) override;
};

// A movie from its bytes; the sound gets a sink of its own when the
// platform makes one (movie/sound_sink.h).
OpenedSource OpenFfmpegMovie(std::unique_ptr<MovieBytes> bytes);

}  // namespace plat
