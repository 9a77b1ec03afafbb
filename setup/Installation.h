#pragma once
// The installation as the wizard starts and ends it. With the script's
// "test" switch set it does nothing at all; the copying, the INI file, the
// registry, the shortcuts and the end steps are not part of this program
// yet.

#include "platform/core/types.h"

// 1 when the installation is done, 0 when it failed (reported).
int InstallProgram(plat::HWND owner);
// The end of the wizard, or the confirmation page closed with result 0.
void FinishSetup(plat::HWND owner);
// When the main window goes: the QuickTime installer or a restart.
void EndInstallation();
