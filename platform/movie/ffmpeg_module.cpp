#include "platform/movie/ffmpeg_module.h"

#include <dlfcn.h>

#include <vector>

#include "platform/fs/folders.h"

namespace plat {

namespace {

struct ModuleState {
    const FfmpegModule* module = nullptr;
    std::optional<std::string> path;  // a test's, instead of the usual places
};

ModuleState& state()
{
    static ModuleState s;
    return s;
}

std::string folderOf(const std::string& file)
{
    const std::size_t slash = file.rfind('/');
    return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
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

// Where the library is looked for, in order.
std::vector<std::string> places()
{
    if (state().path)
        return {*state().path};
    // Beside the program's file: an installed title's folder, where its
    // installer put the library; then beside our executable, which is the
    // same folder unless it stands in for an installed program file.
    std::vector<std::string> found;
    for (const std::string& folder : {folderOf(ProgramFileHost()), folderOf(ExecutableFileHost())})
        if (!folder.empty() && (found.empty() || found.front() != folder + kFfmpegModuleFile))
            found.push_back(folder + kFfmpegModuleFile);
    return found;
}

}  // namespace

const FfmpegModule* LoadFfmpegModule()
{
    ModuleState& s = state();
    // A failure is not remembered: a library put in place meanwhile is
    // found by the next call (the box that says movies cannot play offers
    // Retry for that).
    if (!s.module)
        for (const std::string& place : places())
            if ((s.module = load(place)))
                break;
    return s.module;
}

void SetFfmpegModulePath(std::optional<std::string> path)
{
    ModuleState& s = state();
    s.module = nullptr;
    s.path = std::move(path);
}

}  // namespace plat
