#include "platform/fs/folders.h"

#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <vector>

namespace plat {

namespace {

struct FolderState {
    std::mutex mutex;
    std::string configOverride;
    std::string programOverride;
    std::vector<FolderChangeListener> listeners;
};

FolderState& state()
{
    static FolderState s;
    return s;
}

std::string withoutTrailingSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string environmentConfigFolder()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg == '/')
        return withoutTrailingSlash(xdg) + "/kelbo";
    const char* home = std::getenv("HOME");
    if (home && *home)
        return withoutTrailingSlash(home) + "/.config/kelbo";
    return "/tmp/kelbo";
}

std::string executablePath()
{
    std::string buffer(4096, '\0');
    ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0)
        return {};
    buffer.resize(static_cast<std::size_t>(n));
    return buffer;
}

void notifyListeners()
{
    std::vector<FolderChangeListener> copy;
    {
        std::lock_guard lock(state().mutex);
        copy = state().listeners;
    }
    for (FolderChangeListener listener : copy)
        listener();
}

}  // namespace

std::string ConfigFolder()
{
    {
        std::lock_guard lock(state().mutex);
        if (!state().configOverride.empty())
            return state().configOverride;
    }
    return environmentConfigFolder();
}

void SetConfigFolder(const std::string& hostPath)
{
    {
        std::lock_guard lock(state().mutex);
        state().configOverride = hostPath.empty() ? std::string() : withoutTrailingSlash(hostPath);
    }
    notifyListeners();
}

std::string WindowsFolderHost() { return ConfigFolder() + "/windows"; }

std::string ProgramFileHost()
{
    {
        std::lock_guard lock(state().mutex);
        if (!state().programOverride.empty())
            return state().programOverride;
    }
    const char* standIn = std::getenv("KELBO_PROGRAM_FILE");
    if (standIn && *standIn == '/')
        return standIn;
    return ExecutableFileHost();
}

std::string ExecutableFileHost()
{
    static const std::string self = executablePath();
    return self;
}

void SetProgramFileHost(const std::string& hostPath)
{
    {
        std::lock_guard lock(state().mutex);
        state().programOverride = hostPath;
    }
    notifyListeners();
}

std::string ProgramFolderHost()
{
    std::string file = ProgramFileHost();
    std::size_t slash = file.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string("/") : file.substr(0, slash);
}

void AddFolderChangeListener(FolderChangeListener listener)
{
    std::lock_guard lock(state().mutex);
    state().listeners.push_back(listener);
}

}  // namespace plat
