#pragma once
// What a movie library gives the player: the movie's description, its
// frames decoded one at a time as 32-bit pixels, and its sound. The player
// (movie.h) keeps time, selections, looping and drawing; a library only
// decodes. Two exist: FFmpeg over real files, and a scripted fake for tests.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

// Error codes of the movie library (0: none). The engine reports them as
// numbers, so they stay fixed.
constexpr int kMovieNoError = 0;
constexpr int kMovieFileNotFound = -1;     // no such file, or it cannot be read
constexpr int kMovieNotAMovie = -2;        // not a movie format, or damaged past use
constexpr int kMovieNoDecoder = -3;        // a format whose pictures cannot be decoded
constexpr int kMovieLibraryMissing = -4;   // the library could not start
constexpr int kMovieDecodeFailed = -5;     // a frame could not be decoded

// Movie times count in 1/timeScale seconds from the movie's start.
struct MovieInfo {
    int width = 0;   // 0 by 0: a movie without pictures (sound only)
    int height = 0;
    std::int32_t timeScale = 600;
    std::int32_t duration = 0;
    // The start time of each frame, ascending, the first at 0 (empty for a
    // movie without pictures). Frame i shows from frameTimes[i] until the
    // next frame's time (the last until the duration).
    std::vector<std::int32_t> frameTimes;
    // The movie has sound and somewhere to play it (movie/sound_sink.h).
    bool hasSound = false;
};

// One decoded frame: width * height pixels 0x00RRGGBB, rows top-down.
struct FrameImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

class MovieSource {
public:
    virtual ~MovieSource() = default;
    virtual const MovieInfo& info() const = 0;
    // Decodes frame `index` (< frameTimes.size()) into `out`; false when it
    // cannot (out is then left as it was).
    virtual bool decodeFrame(std::size_t index, FrameImage& out) = 0;
    // Sound plays only forwards at the natural rate: from movie time
    // `from` until `to`; soundUntil delivers it up to movie time `until`;
    // stopSound drops what was delivered and not yet heard.
    virtual void startSound(std::int32_t from, std::int32_t to) { (void)from, (void)to; }
    virtual void soundUntil(std::int32_t until) { (void)until; }
    virtual void stopSound() {}
};

struct OpenedSource {
    std::unique_ptr<MovieSource> source;
    int error = kMovieNoError;
};

class MovieLibrary {
public:
    virtual ~MovieLibrary() = default;
    // 0 when movies can be played, else an error code.
    virtual int start() { return kMovieNoError; }
    // A movie by the engine's Windows path.
    virtual OpenedSource open(std::string_view windowsPath) = 0;
};

// The library in use (FFmpeg until another is installed); the previous
// one is returned, so tests put it back.
MovieLibrary& TheMovieLibrary();
std::unique_ptr<MovieLibrary> InstallMovieLibrary(std::unique_ptr<MovieLibrary> library);

}  // namespace plat
