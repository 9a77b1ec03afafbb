#pragma once
// The installer's shell: the full-screen navy main window with the title
// picture, from which the wizard runs.

#include <string>

#include "platform/core/types.h"

inline constexpr const char* kMainClassName = "MvsetupClass";
// Posted by the main window to itself once it stands: run the wizard.
constexpr plat::UINT kRunWizardMessage = 1124;
constexpr plat::WPARAM kCloseCompleted = 0;
constexpr plat::WPARAM kCloseCancelled = 1;

// Registers the main and progress window classes; false when either fails.
bool RegisterSetupClasses();
void UnregisterSetupClasses();
plat::LRESULT MainWndProc(plat::HWND window, plat::UINT msg, plat::WPARAM wParam, plat::LPARAM lParam);
// The program: classes, main window, message loop. The exit code is the
// quit message's parameter; 0 when the classes or the window cannot be
// made, 1 when the medium folder named on the command line is on no drive.
int RunSetup(const std::string& commandLine);
