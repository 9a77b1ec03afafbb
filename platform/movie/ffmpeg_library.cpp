#include "platform/movie/ffmpeg_library.h"

#include "platform/fs/paths.h"
#include "platform/movie/ffmpeg_module.h"

namespace plat {

OpenedSource OpenFfmpegMovie(std::unique_ptr<MovieBytes> bytes)
{
    const FfmpegModule* module = LoadFfmpegModule();
    if (!module)
        return {nullptr, kMovieLibraryMissing};
    if (!bytes)
        return {nullptr, kMovieFileNotFound};
    return module->openMovie(std::move(bytes), &MakeMovieSoundSink);
}

OpenedSource FfmpegLibrary::open(std::string_view windowsPath)
{
    HostPath path = ResolveHostPath(windowsPath);
    if (path.error || !path.exists || path.isFolder)
        return {nullptr, kMovieFileNotFound};
    return OpenFfmpegMovie(OpenHostFileBytes(path.host));
}

}  // namespace plat
