#pragma once
// The movie library over FFmpeg, loaded when the first movie opens
// (movie/ffmpeg_module.h): movies from the drives the engine sees, or from
// bytes in memory.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/movie/movie_bytes.h"
#include "platform/movie/movie_source.h"

namespace plat {

class FfmpegLibrary final : public MovieLibrary {
public:
    OpenedSource open(std::string_view windowsPath) override;
};

// A movie from its bytes; the sound gets a sink of its own when the
// platform makes one (movie/sound_sink.h). kMovieLibraryMissing when FFmpeg
// cannot be loaded.
OpenedSource OpenFfmpegMovie(std::unique_ptr<MovieBytes> bytes);

}  // namespace plat
