#pragma once
// The common dialogs over the platform's file system: open and save (with
// filters, flags and results as the engine fills and reads them), the
// choice of a folder, and the printer set-up. Headless, each is offered to
// the responder as kind "GetOpenFileName", "GetSaveFileName",
// "BrowseForFolder" or "PrintDlg": fill the file name field
// (kFileNameEdit) and answer IDOK, or answer IDCANCEL.

#include <functional>
#include <memory>
#include <string>

#include "platform/core/types.h"

namespace plat {

constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_NOVALIDATE = 0x00000100;
constexpr DWORD OFN_EXTENSIONDIFFERENT = 0x00000400;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_CREATEPROMPT = 0x00002000;
constexpr DWORD OFN_NOREADONLYRETURN = 0x00008000;

// Extended errors (CommDlgExtendedError).
constexpr DWORD CDERR_STRUCTSIZE = 0x0001;
constexpr DWORD CDERR_INITIALIZATION = 0x0002;
constexpr DWORD PDERR_SETUPFAILURE = 0x1001;
constexpr DWORD PDERR_NODEVICES = 0x1007;
constexpr DWORD PDERR_NODEFAULTPRN = 0x1008;
constexpr DWORD PDERR_PRINTERNOTFOUND = 0x100B;
constexpr DWORD FNERR_INVALIDFILENAME = 0x3002;
constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;
// 0 after success or Cancel; else why the last dialog failed.
DWORD CommDlgExtendedError();

struct OPENFILENAMEA {
    DWORD lStructSize = sizeof(OPENFILENAMEA);
    HWND hwndOwner = nullptr;
    HINSTANCE hInstance = nullptr;
    // Pairs of NUL-ended texts (description, patterns separated by ";"),
    // ended by an empty text.
    const char* lpstrFilter = nullptr;
    char* lpstrCustomFilter = nullptr;
    DWORD nMaxCustFilter = 0;
    DWORD nFilterIndex = 0;  // 1 for the first pair
    char* lpstrFile = nullptr;  // in: the first name or pattern; out: the full path
    DWORD nMaxFile = 0;
    char* lpstrFileTitle = nullptr;  // out: name and extension
    DWORD nMaxFileTitle = 0;
    const char* lpstrInitialDir = nullptr;
    const char* lpstrTitle = nullptr;
    DWORD Flags = 0;
    WORD nFileOffset = 0;
    WORD nFileExtension = 0;
    const char* lpstrDefExt = nullptr;
    LPARAM lCustData = 0;
};

BOOL GetOpenFileNameA(OPENFILENAMEA* ofn);
BOOL GetSaveFileNameA(OPENFILENAMEA* ofn);

// The ids of the file dialogs' controls.
constexpr int kFileNameEdit = 1152;
constexpr int kFileList = 1120;
constexpr int kFolderList = 1121;
constexpr int kFolderText = 1088;
constexpr int kFileTypeCombo = 1136;
constexpr int kDriveCombo = 1137;

// The folder dialog: starts at `start` (or the current folder); true with
// the chosen folder ("C:\JX\KELBO") after OK. The title stands above the
// folder list; a cancel text replaces the Cancel button's.
bool BrowseForFolder(HWND owner, const char* title, const char* cancelText, const std::string& start,
                     std::string* chosen);

// Printing: the printer's settings as the print set-up dialog leaves them.
constexpr short DMORIENT_PORTRAIT = 1;
constexpr short DMORIENT_LANDSCAPE = 2;
constexpr short DMPAPER_A4 = 9;
struct DEVMODEA {
    char dmDeviceName[32] = {};
    short dmOrientation = DMORIENT_PORTRAIT;
    short dmPaperSize = DMPAPER_A4;
    short dmCopies = 1;
};
struct DEVNAMES {
    std::string driver, device, output;
};

constexpr DWORD PD_ALLPAGES = 0x00000000;
constexpr DWORD PD_PRINTSETUP = 0x00000040;
constexpr DWORD PD_RETURNDC = 0x00000100;
constexpr DWORD PD_RETURNDEFAULT = 0x00000400;

struct PRINTDLGA {
    DWORD lStructSize = sizeof(PRINTDLGA);
    HWND hwndOwner = nullptr;
    // Kept between calls: the printer chosen last. Replacing them frees them.
    std::shared_ptr<DEVMODEA> hDevMode;
    std::shared_ptr<DEVNAMES> hDevNames;
    HDC hDC = nullptr;
    DWORD Flags = 0;
    WORD nFromPage = 0, nToPage = 0, nMinPage = 0, nMaxPage = 0, nCopies = 1;
};

// With PD_PRINTSETUP the printer set-up dialog (Cancel: FALSE, no error);
// with PD_RETURNDEFAULT the default printer's settings without a dialog.
// PD_RETURNDC also makes the printer's device context: through the printer
// factory when one is set, else the print module's printer
// (PDERR_PRINTERNOTFOUND when none is made).
BOOL PrintDlgA(PRINTDLGA* pd);
// Another maker of printer device contexts (tests); null: the print module.
using PrinterFactory = std::function<HDC(const DEVNAMES&, const DEVMODEA&)>;
void SetPrinterFactory(PrinterFactory factory);
// The one printer there is: the pages become PNG files.
DEVNAMES DefaultPrinterNames();

}  // namespace plat
