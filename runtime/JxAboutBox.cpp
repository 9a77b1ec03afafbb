// The about box: dialog 3011 of the resource libraries, opened from the
// system menu's item 1904 of the main window.

#include "foundation/JxResourceLibraries.h"
#include "platform/draw/brush.h"
#include "platform/draw/dc.h"
#include "platform/draw/gdiobject.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/syscolor.h"
#include "runtime/JxMainWindowProc.h"
#include "runtime/JxMainWindowState.h"
#include "runtime/JxPageWindows.h"
#include "runtime/JxVersionInfo.h"

namespace {

using namespace plat;

LRESULT faceBrush(HWND dialog, WPARAM dc)
{
    auto brush = reinterpret_cast<HBRUSH>(GetWindowLongPtrA(dialog, DWL_USER));
    if (dc) {
        SetBkColor(reinterpret_cast<HDC>(dc), GetSysColor(COLOR_BTNFACE));
        SetBkMode(reinterpret_cast<HDC>(dc), TRANSPARENT);
    }
    return reinterpret_cast<LRESULT>(brush);
}

// The dialog, its buttons and its static texts are drawn on the colour of
// button faces.
LRESULT AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        ResetVersionInfo();
        BuildAboutText(dialog);
        SetWindowLongPtrA(dialog, DWL_USER, reinterpret_cast<LONG_PTR>(CreateSolidBrush(GetSysColor(COLOR_BTNFACE))));
        // The box opens over the title's first page.
        CentreOverFirstPage(dialog);
        return 1;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        return faceBrush(dialog, wParam);
    case WM_COMMAND:
        if ((wParam & 0xFFFF) == WPARAM(IDOK))
            EndDialog(dialog, 1);
        else if ((wParam & 0xFFFF) == WPARAM(IDCANCEL))
            EndDialog(dialog, 0);
        return 1;
    case WM_DESTROY:
        if (auto brush = reinterpret_cast<HBRUSH>(GetWindowLongPtrA(dialog, DWL_USER)))
            DeleteObject(brush);
        SetWindowLongPtrA(dialog, DWL_USER, 0);
        return 0;
    default:
        return 0;
    }
}

}  // namespace

void ShowAboutBox(HWND window)
{
    const char* name = MAKEINTRESOURCEA(WORD(kAboutDialogId));
    JxCResourceLocator found = FindResourceInLibraries(name, RT_DIALOG);
    if (!found.GetResource())
        return;
    DialogBoxParamA(found.GetModule(), name, window, &AboutDialogProc, 0);
}
