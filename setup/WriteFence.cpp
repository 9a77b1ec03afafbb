#include "setup/WriteFence.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/fs/paths.h"
#include "setup/SetupLog.h"
#include "setup/SetupState.h"

namespace {

bool strictlyInside(const std::string& path, const std::string& folder)
{
    return !folder.empty() && path.size() > folder.size() + 1 && path.compare(0, folder.size(), folder) == 0 &&
           path[folder.size()] == '/';
}

}  // namespace

std::string CanonicalHostPath(const std::string& windowsPath)
{
    plat::HostPath where = plat::ResolveHostPath(windowsPath);
    if (where.error || where.host.empty())
        return {};
    std::error_code error;
    std::filesystem::path canonical = std::filesystem::weakly_canonical(where.host, error);
    return error ? std::string() : canonical.string();
}

bool MayWriteTo(const std::string& windowsPath)
{
    // A path that leads nowhere (a folder of it is missing) is written
    // nowhere either: the write fails with its own reason, naming the file.
    if (plat::ResolveHostPath(windowsPath).error)
        return true;
    std::string host = CanonicalHostPath(windowsPath);
    const SetupState& s = Setup();
    std::vector<std::string> folders{s.targetFolder};
    if (!s.windowsFolder.empty())
        folders.insert(folders.end(), {s.windowsFolder + "\\SYSTEM", s.windowsFolder + "\\SYSTEM32"});
    for (const std::string& folder : folders)
        if (!host.empty() && !folder.empty() && strictlyInside(host, CanonicalHostPath(folder)))
            return true;
    LogSetupNote("refused to write \"" + windowsPath + "\": it lands at \"" + (host.empty() ? "?" : host) +
                 "\", outside the target and system folders");
    return false;
}
