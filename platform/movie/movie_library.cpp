// The movie library in use: FFmpeg unless a test installed another.

#include "platform/movie/ffmpeg_library.h"
#include "platform/movie/movie_source.h"

namespace plat {

namespace {
std::unique_ptr<MovieLibrary>& librarySlot()
{
    static std::unique_ptr<MovieLibrary> library;
    return library;
}
}  // namespace

MovieLibrary& TheMovieLibrary()
{
    auto& slot = librarySlot();
    if (!slot)
        slot = std::make_unique<FfmpegLibrary>();
    return *slot;
}

std::unique_ptr<MovieLibrary> InstallMovieLibrary(std::unique_ptr<MovieLibrary> library)
{
    std::unique_ptr<MovieLibrary> old = std::move(librarySlot());
    librarySlot() = std::move(library);
    return old;
}

}  // namespace plat
