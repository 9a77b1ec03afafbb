#include "platform/modules/program_library.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

namespace plat {

namespace {

std::string besideProgram(const std::string& file)
{
    char exe[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0)
        return {};
    const std::string path(exe, std::size_t(n));
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1) + file;
}

}  // namespace

std::vector<std::string> ProgramLibraryPlaces(const std::string& file, const char* builtPath)
{
    std::vector<std::string> places;
    if (std::string beside = besideProgram(file); !beside.empty())
        places.push_back(std::move(beside));
    if (builtPath && *builtPath)
        places.emplace_back(builtPath);
    return places;
}

OpenedLibrary OpenProgramLibrary(const std::string& path, const char* entry, std::string* why)
{
    void* handle = path.empty() ? nullptr : dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* error = path.empty() ? nullptr : dlerror();
        if (why)
            *why = error ? error : "no file to load";
        return {};
    }
    void* function = dlsym(handle, entry);
    if (!function) {
        if (why)
            *why = path + ": has no " + entry;
        dlclose(handle);
        return {};
    }
    return {handle, function};
}

void CloseProgramLibrary(const OpenedLibrary& library)
{
    if (library.handle)
        dlclose(library.handle);
}

}  // namespace plat
