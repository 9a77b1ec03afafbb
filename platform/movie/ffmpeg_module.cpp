#include "platform/movie/ffmpeg_module.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

namespace plat {

namespace {

constexpr const char* kModuleFile = "libkelbo_ffmpeg.so";

struct ModuleState {
    bool tried = false;
    const FfmpegModule* module = nullptr;
    std::optional<std::string> path;  // a test's, instead of the usual places
};

ModuleState& state()
{
    static ModuleState s;
    return s;
}

std::string besideProgram()
{
    char exe[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0)
        return {};
    const std::string path(exe, std::size_t(n));
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1) + kModuleFile;
}

// The library stays loaded for the rest of the run: what it made (movies,
// decoders) may live until the end.
const FfmpegModule* load(const std::string& path)
{
    if (path.empty())
        return nullptr;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return nullptr;
    using Entry = const FfmpegModule* (*)();
    auto entry = reinterpret_cast<Entry>(dlsym(handle, kFfmpegModuleEntry));
    const FfmpegModule* module = entry ? entry() : nullptr;
    if (!module || module->version != kFfmpegModuleVersion || !module->openMovie || !module->openAdpcm) {
        dlclose(handle);
        return nullptr;
    }
    return module;
}

}  // namespace

const FfmpegModule* LoadFfmpegModule()
{
    ModuleState& s = state();
    if (s.tried)
        return s.module;
    s.tried = true;
    if (s.path) {
        s.module = load(*s.path);
        return s.module;
    }
    s.module = load(besideProgram());
#ifdef KELBO_FFMPEG_MODULE_BUILT
    if (!s.module)
        s.module = load(KELBO_FFMPEG_MODULE_BUILT);  // a program or test run from the build
#endif
    return s.module;
}

void SetFfmpegModulePath(std::optional<std::string> path)
{
    ModuleState& s = state();
    s.tried = false;
    s.module = nullptr;
    s.path = std::move(path);
}

}  // namespace plat
