#pragma once
// Installing the title's screen saver: its file is copied from the title's
// data folder into the emulated Windows folder, and the choice the title
// offers is noted in that folder's Control.ini. The screen saver is a
// Windows program; it is only copied, never run.
//
// The title's actions call these (the navigation action's codes 13 to 16
// install with selections 0 to 3).

#include <cstdint>

#include "foundation/JxCString.h"
#include "foundation/JxFileUtils.h"  // the copy loop

// Copies the screen saver and stores the selection under "SaverSelection"
// in section "Screen Saver.Tundrel" of the Windows folder's Control.ini,
// whether the copy succeeded or not. Non-zero when the copy succeeded.
// Without a Windows folder (its path empty, or too long for the 80
// characters kept) nothing is copied or written, and the failed copy is
// reported.
std::int16_t InstallScreenSaver(std::int32_t selection);

// Copies fileName from the current page's data folder into the Windows
// folder. The copy replaces the destination only when it is whole; the
// busy mark and the source are released on every way out. A copy that
// fails after the destination was opened is reported (192); a good copy
// is confirmed in a message box. Non-zero when the file was copied.
std::int16_t CopyScreenSaver(const JxCString& fileName);

// Message ids and strings of the installation.
constexpr unsigned kScreenSaverCaptionId = 184;
constexpr unsigned kScreenSaverFileId = 189;
constexpr unsigned kScreenSaverNotCopiedId = 192;
constexpr unsigned kScreenSaverInstalledId = 193;
