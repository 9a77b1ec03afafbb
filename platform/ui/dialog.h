#pragma once
// Dialogs: windows built from a template (platform/ui/dialog_template.h)
// with a dialog procedure. A modal dialog disables its owner and runs a
// nested message loop that keeps painting and timers alive until EndDialog;
// a modeless one lives in the program's own loop, which passes its messages
// through IsDialogMessageA first. The dialog manager moves the focus with Tab
// and the arrow keys, answers Enter with the default button and Escape with
// id 2 (IDCANCEL).

#include <string>

#include "platform/core/types.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog_template.h"
#include "platform/window/window.h"

namespace plat {

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

constexpr UINT DM_GETDEFID = WM_USER + 0;
constexpr UINT DM_SETDEFID = WM_USER + 1;
constexpr WORD DC_HASDEFID = 0x534B;

// Window words of a dialog.
constexpr int DWL_MSGRESULT = 0;
constexpr int DWL_DLGPROC = 4;
constexpr int DWL_USER = 8;
constexpr int DLGWINDOWEXTRA = 12;

// The class of dialogs.
inline constexpr const char* kDialogClassName = "#32770";

// A dialog procedure answers TRUE for a message it handled (the result, when
// one is needed, goes to DWL_MSGRESULT), FALSE to leave it to the dialog
// manager. For WM_INITDIALOG TRUE means "give the focus to wParam", and for
// the WM_CTLCOLOR* messages its answer is the brush.
using DLGPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

// Modal dialogs: the value given to EndDialog, or -1 when the dialog could
// not be made (no template, a damaged one, no window).
LRESULT DialogBoxParamA(HINSTANCE instance, const char* templateName, HWND owner, DLGPROC proc,
                        LPARAM param);
inline LRESULT DialogBoxA(HINSTANCE instance, const char* templateName, HWND owner, DLGPROC proc)
{
    return DialogBoxParamA(instance, templateName, owner, proc, 0);
}
LRESULT DialogBoxIndirectParamA(HINSTANCE instance, const DialogTemplate& tmpl, HWND owner,
                                DLGPROC proc, LPARAM param);

// Modeless dialogs: the dialog, or null.
HWND CreateDialogParamA(HINSTANCE instance, const char* templateName, HWND owner, DLGPROC proc,
                        LPARAM param);
inline HWND CreateDialogA(HINSTANCE instance, const char* templateName, HWND owner, DLGPROC proc)
{
    return CreateDialogParamA(instance, templateName, owner, proc, 0);
}
HWND CreateDialogIndirectParamA(HINSTANCE instance, const DialogTemplate& tmpl, HWND owner,
                                DLGPROC proc, LPARAM param);

// Ends a modal dialog with the result (the dialog goes when its loop sees
// it); a modeless dialog is only hidden and is destroyed by its owner.
BOOL EndDialog(HWND dialog, LRESULT result);
LRESULT DefDlgProcA(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
// Handles the message when it is meant for the dialog or one of its
// controls (keyboard navigation included); FALSE when it is not.
BOOL IsDialogMessageA(HWND dialog, MSG* msg);

HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND control);
BOOL SetDlgItemTextA(HWND dialog, int id, const char* text);
UINT GetDlgItemTextA(HWND dialog, int id, char* buffer, int size);
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId);
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);
// Dialog units to pixels in the dialog's font.
BOOL MapDialogRect(HWND dialog, RECT* rect);
LONG GetDialogBaseUnits();

// Reads the template of a dialog resource; false (and why) when there is
// none or it is damaged.
bool LoadDialogTemplate(HINSTANCE instance, const char* templateName, DialogTemplate* out,
                        std::string* error);

namespace ui {

// How a modal dialog is offered to the headless responder.
struct ModalRequest {
    std::string kind = "Dialog";
    int templateId = 0;
    std::string templateName;
    std::string text;  // for boxes: their message; else the dialog's static texts
    UINT style = 0;
    bool taskModal = false;  // disable every window of the program, not just the owner
};

// Shows the dialog (made hidden, WM_INITDIALOG already sent) and runs its
// modal loop; the value given to EndDialog. The dialog is destroyed at the
// end, also when the responder throws.
LRESULT RunModal(HWND dialog, HWND owner, const ModalRequest& request);

// The static texts and button texts of a dialog, one per line, for the
// responder.
std::string DialogTexts(HWND dialog);

}  // namespace ui

}  // namespace plat
