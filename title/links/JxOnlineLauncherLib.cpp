#include "title/links/JxOnlineLauncherLib.h"

#include "platform/modules/module.h"

namespace {

template <class Proc>
Proc entry(plat::HMODULE module, const char* name)
{
    return reinterpret_cast<Proc>(plat::GetProcAddress(module, name));
}

}  // namespace

JxOnlineLauncherLib::JxOnlineLauncherLib() : module_(plat::LoadLibraryA(kOnlineLauncherLibraryName))
{
    if (!module_)
        return;
    isInstalled_ = entry<IsInstalledProc>(module_, kIsInstalledEntryName);
    install_ = entry<InstallProc>(module_, kInstallEntryName);
    launch_ = entry<LaunchProc>(module_, kLaunchEntryName);
}

JxOnlineLauncherLib::~JxOnlineLauncherLib()
{
    if (module_)
        plat::FreeLibrary(module_);
}
