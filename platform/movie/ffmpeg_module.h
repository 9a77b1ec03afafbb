#pragma once
// The one interface between the platform and the library that links FFmpeg
// (libkelbo_ffmpeg.so, made from platform/ffmpeg/). The platform loads it
// with dlopen when a movie or an ADPCM sound first needs it, as the title's
// own program loaded its movie library at run time: nothing links FFmpeg,
// so start-up does not pay for it and its many dependencies, and a machine
// without them plays no movies (and ADPCM sounds as silence of their
// length) and goes on.
//
// Only this file's declarations cross the boundary; the library calls
// nothing of the platform's and reaches the platform only through the
// objects and functions handed to it here.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/movie/movie_bytes.h"
#include "platform/movie/movie_source.h"
#include "platform/movie/sound_sink.h"

namespace plat {

struct WaveFormatInfo;

// Decodes the blocks of one ADPCM stream.
class AdpcmBlockDecoder {
public:
    virtual ~AdpcmBlockDecoder() = default;
    // Appends exactly the format's frames per block for the block; a block
    // the codec refuses is silence.
    virtual void decodeBlock(std::span<const std::uint8_t> block, std::vector<std::int16_t>& out) = 0;
};

using MovieSoundSinkMaker = std::unique_ptr<MovieSoundSink> (*)();

struct FfmpegModule {
    int version = 0;
    // A movie from its bytes; a movie with sound asks `makeSink` for where
    // its sound goes (null: it plays silently).
    OpenedSource (*openMovie)(std::unique_ptr<MovieBytes> bytes, MovieSoundSinkMaker makeSink) = nullptr;
    // Null when FFmpeg cannot decode the format.
    std::unique_ptr<AdpcmBlockDecoder> (*openAdpcm)(const WaveFormatInfo& info) = nullptr;
};

constexpr int kFfmpegModuleVersion = 1;
// The library's file name, beside the program.
constexpr const char* kFfmpegModuleFile = "libkelbo_ffmpeg.so";
// The library's one exported function: `const FfmpegModule* NAME()`.
constexpr const char* kFfmpegModuleEntry = "kelbo_ffmpeg_module";

// The library, loaded at the first call that finds it: beside the
// program's file (an installed title's folder, where its installer put it),
// else beside our executable. Null while it or FFmpeg is missing; each call
// then looks again, so a library put in place meanwhile is found.
const FfmpegModule* LoadFfmpegModule();
// Programs run from the build (tests, fuzz targets): the file to load
// instead (an empty one is missing); nullopt puts the usual places back.
// The next LoadFfmpegModule looks again.
void SetFfmpegModulePath(std::optional<std::string> path);

}  // namespace plat
