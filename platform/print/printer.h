#pragma once
// The printer: one printer, a 300 dpi A4 raster (landscape when the set-up
// chose it). A print job draws each page into a true-colour surface of the
// page's size; when the job ends every page becomes a PNG file in the
// user's documents folder ("<document> - page N.png"). A job that is
// aborted writes nothing.

#include <functional>
#include <string>
#include <vector>

#include "platform/core/types.h"
#include "platform/ui/common_dialogs.h"

namespace plat {

constexpr int kPrinterPixelsPerInch = 300;
constexpr int kA4WidthPixels = 2480;
constexpr int kA4HeightPixels = 3508;

// Results of the job calls.
constexpr int SP_ERROR = -1;
constexpr int SP_APPABORT = -2;

// Asked while a page is sent, with 0: FALSE cancels the job.
using ABORTPROC = BOOL (*)(HDC printer, int error);

struct DOCINFOA {
    int cbSize = sizeof(DOCINFOA);
    const char* lpszDocName = nullptr;
    const char* lpszOutput = nullptr;
};

// The printer's device context for its names and settings (the device must
// be the one printer: DefaultPrinterNames); null for another device. The
// print set-up dialog makes its device contexts here.
HDC CreateDCA(const char* driver, const char* device, const char* output, const DEVMODEA* mode);
HDC CreatePrinterDC(const DEVNAMES& names, const DEVMODEA& mode);
bool IsPrinterDC(HDC hdc);

// The job: each call answers SP_ERROR on a DC that is not a printer's or
// out of order (a page outside a document, a document inside another).
int SetAbortProc(HDC hdc, ABORTPROC proc);
// A job number (> 0).
int StartDocA(HDC hdc, const DOCINFOA* info);
// The page starts white.
int StartPage(HDC hdc);
// Asks the abort procedure, then keeps the page: SP_APPABORT when the
// procedure cancelled the job.
int EndPage(HDC hdc);
// Writes the job's pages; SP_ERROR when a file cannot be written (the files
// written before stay).
int EndDoc(HDC hdc);
// Drops the job's pages.
int AbortDoc(HDC hdc);

// The host files the last EndDoc of the DC wrote, in page
// order, so that the user can be told where the pages went.
std::vector<std::string> PrintedFiles(HDC hdc);

// The folder printed pages go to: the override, else $XDG_DOCUMENTS_DIR
// from the environment, else the documents folder of the user's
// user-dirs file, else $HOME/Documents (made when missing).
std::string DocumentsFolderHost();
void SetDocumentsFolderHost(const std::string& hostPath);

// Test support: called after each page is kept or dropped by EndPage.
using PrintPageObserver = std::function<void(HDC printer, int pageNumber)>;
void SetPrintPageObserver(PrintPageObserver observer);

}  // namespace plat
