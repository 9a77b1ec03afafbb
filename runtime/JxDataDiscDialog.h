#pragma once
// The data-disc dialog (template 1106): the data path's drive does not
// carry the title's volume label. It shows the drive, its label and the
// description of the data version file found there, and ends with the
// user's choice.

#include <cstdint>

#include "foundation/JxCString.h"
#include "platform/core/types.h"

constexpr int kDataDiscTemplateId = 1106;
constexpr int kDataDiscQuit = 4003;
constexpr int kDataDiscRetry = 4004;
constexpr int kDataDiscOtherDrive = 4005;
constexpr int kDataDiscTextId = 4007;

// Shows the dialog over the main window with the description; its end
// value. A dialog that cannot be shown counts as Quit, so no caller waits
// for a window that never comes.
std::int32_t RunDataDiscDialog(const JxCString& description);

plat::LRESULT DataDiscDialogProc(plat::HWND dialog, plat::UINT msg, plat::WPARAM wParam, plat::LPARAM lParam);
// The text of item 4007: drive, volume label and description.
JxCString MakeDataDiscText(const JxCString& dataPath, const JxCString& label, const JxCString& description);
