#pragma once
// The data-location dialog: the user picks the drive (and, in the folder
// mode, the folder) that holds the title's data, which then becomes the
// data path. The drive list offers network drives, CD-ROM drives and the
// current drive, each with its volume label or connection name. Drives
// without a disc never raise system error boxes: choosing one simply
// returns to the drive chosen before. The dialog leaves the current drive
// and folder as it found them.

#include "platform/core/types.h"

// Dialog templates of the resource libraries and their controls.
constexpr int kDataLocationTemplateId = 1107;
constexpr int kDataFolderTemplateId = 1010;
constexpr int kDataFolderListId = 1100;
constexpr int kDataCurrentFolderId = 1101;
constexpr int kDataDriveComboId = 1102;
// The drive mode with a folder list.
constexpr int kDataFolderMode = 7;
// The bitmaps the drive list draws: network drives with the folder,
// the others with the drive.
inline constexpr const char* kDriveBitmapName = "DRIVE";
inline constexpr const char* kFolderBitmapName = "FOLDER";

// The dialog procedure; WM_INITDIALOG's lParam is the drive mode. The
// dialog ends with the number of the drive chosen (1 = A:) after OK, when
// the choice has become the data path, and with -1 after Cancel.
plat::LRESULT DataLocationDialogProc(plat::HWND dialog, plat::UINT msg, plat::WPARAM wParam, plat::LPARAM lParam);

// Shows the dialog in a drive mode (template 1010 in mode 7, else 1107),
// owned by the main window; its end value, or -1 when it cannot be shown.
plat::LRESULT RunDataLocationDialog(int mode);
