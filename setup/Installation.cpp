#include "setup/Installation.h"

#include "platform/config/profile.h"
#include "setup/SetupState.h"

int InstallProgram(plat::HWND owner)
{
    (void)owner;
    if (Setup().test)
        return 1;
    // Copying the title is not built yet: say so as a failure rather than
    // pretend the title was installed.
    Setup().failed = true;
    return 0;
}

void FinishSetup(plat::HWND owner)
{
    (void)owner;
    SetupState& s = Setup();
    if (s.test)
        return;
    // The QuickTime installer lies beside the installer folder.
    char qt[260] = {};
    plat::GetPrivateProfileStringA(kProductSection, "qt", "", qt, sizeof qt, s.scriptPath.c_str());
    std::string parent = s.installerFolder.substr(0, s.installerFolder.find_last_of('\\'));
    s.quickTimeInstaller = parent + "\\" + qt;
}

void EndInstallation()
{
    // With "test" set the final steps do nothing. Starting the QuickTime
    // installer and restarting belong to the installation steps, which this
    // program does not have yet; a cancelled or failed wizard needs neither.
}
