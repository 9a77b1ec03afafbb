#include "platform/tests/built_ffmpeg_module.h"

#include <string>

#include "platform/movie/ffmpeg_module.h"

namespace plat::testing {

void UseBuiltFfmpegModule()
{
    SetFfmpegModulePath(std::string(KELBO_FFMPEG_MODULE_BUILT));
}

namespace {
const bool kUsingBuiltModule = (UseBuiltFfmpegModule(), true);
}  // namespace

}  // namespace plat::testing
