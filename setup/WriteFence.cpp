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
    std::string canonical = std::filesystem::weakly_canonical(where.host, error).string();
    // A drive's root is a folder like any other, without its final slash.
    if (canonical.size() > 1 && canonical.back() == '/')
        canonical.pop_back();
    return error ? std::string() : canonical;
}

namespace {

// True when the path leads nowhere (a folder of it is missing: the read or
// write fails by itself, naming the file) or lands strictly inside one of
// the folders; otherwise the refusal is logged.
bool landsInside(const std::string& windowsPath, const std::vector<std::string>& folders, const char* refusal,
                 const char* outside)
{
    if (plat::ResolveHostPath(windowsPath).error)
        return true;
    std::string host = CanonicalHostPath(windowsPath);
    for (const std::string& folder : folders)
        if (!host.empty() && !folder.empty() && strictlyInside(host, CanonicalHostPath(folder)))
            return true;
    LogSetupNote("refused to " + std::string(refusal) + " \"" + windowsPath + "\": it lands at \"" +
                 (host.empty() ? "?" : host) + "\", outside " + outside);
    return false;
}

}  // namespace

bool MayWriteTo(const std::string& windowsPath)
{
    const SetupState& s = Setup();
    std::vector<std::string> folders{s.targetFolder};
    if (!s.windowsFolder.empty())
        folders.insert(folders.end(), {s.windowsFolder + "\\SYSTEM", s.windowsFolder + "\\SYSTEM32"});
    return landsInside(windowsPath, folders, "write", "the target and system folders");
}

bool MayReadFrom(const std::string& windowsPath)
{
    return landsInside(windowsPath, {Setup().dataDriveRoot}, "read", "the medium");
}
