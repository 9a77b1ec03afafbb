// The loaded library's one way in (movie/ffmpeg_module.h).

#include "platform/ffmpeg/ffmpeg_adpcm.h"
#include "platform/ffmpeg/ffmpeg_movie.h"

extern "C" __attribute__((visibility("default"))) const plat::FfmpegModule* kelbo_ffmpeg_module()
{
    static const plat::FfmpegModule module{plat::kFfmpegModuleVersion, &plat::OpenMovieBytes, &plat::OpenFfmpegAdpcm};
    return &module;
}
