#pragma once
// Programs run from the build (tests, fuzz targets) load the FFmpeg library
// from where the build put it: linking built_ffmpeg_module sets that path
// before main. A test that points the platform elsewhere puts it back here.

namespace plat::testing {

void UseBuiltFfmpegModule();

}  // namespace plat::testing
