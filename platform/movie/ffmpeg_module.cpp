#include "platform/movie/ffmpeg_module.h"

#include "platform/modules/program_library.h"

namespace plat {

namespace {

bool usable(const FfmpegModule& module)
{
    return module.version == kFfmpegModuleVersion && module.openMovie && module.openAdpcm;
}

#ifdef KELBO_FFMPEG_MODULE_BUILT
constexpr const char* kBuilt = KELBO_FFMPEG_MODULE_BUILT;
#else
constexpr const char* kBuilt = nullptr;
#endif

LazyProgramLibrary<FfmpegModule>& library()
{
    static LazyProgramLibrary<FfmpegModule> ffmpeg("libkelbo_ffmpeg.so", kFfmpegModuleEntry, kBuilt, usable);
    return ffmpeg;
}

}  // namespace

const FfmpegModule* LoadFfmpegModule()
{
    return library().get();
}

void SetFfmpegModulePath(std::optional<std::string> path)
{
    library().setPath(std::move(path));
}

}  // namespace plat
