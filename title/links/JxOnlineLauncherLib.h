#pragma once
// The online service's launcher library "LAUNCH32.DLL", loaded for one use
// and freed when the holder goes. The library belongs to the service, not
// to the title: where it is not installed (always, on this platform, unless
// a test registers a stand-in) the holder is not loaded and every entry
// point is null, and the links take their roads without the service.

#include <cstdint>

#include "platform/core/types.h"

class JxOnlineLauncherLib {
public:
    // 0: the service is installed and registered.
    using IsInstalledProc = std::int32_t (*)();
    // 0: the installer at that path installed the service.
    using InstallProc = std::int32_t (*)(const char* installerPath);
    // 0: launched. The last two are the service's own address and an
    // address from a shortcut file; exactly one of them is given.
    using LaunchProc = std::int32_t (*)(std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                        const char* serviceAddress, const char* address);

    JxOnlineLauncherLib();
    ~JxOnlineLauncherLib();
    JxOnlineLauncherLib(const JxOnlineLauncherLib&) = delete;
    JxOnlineLauncherLib& operator=(const JxOnlineLauncherLib&) = delete;

    bool IsLoaded() const { return module_ != nullptr; }
    // Null when the library or the entry point is missing.
    IsInstalledProc GetIsInstalled() const { return isInstalled_; }
    InstallProc GetInstall() const { return install_; }
    LaunchProc GetLaunch() const { return launch_; }

private:
    IsInstalledProc isInstalled_ = nullptr;
    InstallProc install_ = nullptr;
    LaunchProc launch_ = nullptr;
    plat::HMODULE module_ = nullptr;
};

constexpr const char* kOnlineLauncherLibraryName = "LAUNCH32.DLL";
constexpr const char* kIsInstalledEntryName = "AOLIsInstalledAndRegistered";
constexpr const char* kInstallEntryName = "AOLInstall";
constexpr const char* kLaunchEntryName = "AOLLaunch";
