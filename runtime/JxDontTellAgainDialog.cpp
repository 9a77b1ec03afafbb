#include "runtime/JxDontTellAgainDialog.h"

#include "foundation/JxResourceLibraries.h"
#include "platform/ui/icons.h"
#include "platform/window/window.h"

namespace {

using namespace plat;

constexpr int kIconMargin = 10;

JxCDontTellAgainInfo* infoOf(HWND dialog)
{
    return reinterpret_cast<JxCDontTellAgainInfo*>(GetWindowLongPtrA(dialog, DWL_USER));
}

// The information icon at the top right of the dialog.
void drawIcon(HWND dialog, HDC dc)
{
    HICON icon = LoadIconFromLibraries(0, IDI_ASTERISK);
    if (!icon || !dc)
        return;
    RECT client;
    GetClientRect(dialog, &client);
    DrawIcon(dc, client.right - GetSystemMetrics(SM_CXICON) - kIconMargin, kIconMargin, icon);
}

void centreOnDesktop(HWND dialog)
{
    RECT desktop;
    RECT own;
    ::plat::GetWindowRect(GetDesktopWindow(), &desktop);
    ::plat::GetWindowRect(dialog, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    MoveWindow(dialog, ((desktop.right - desktop.left) - width) / 2, ((desktop.bottom - desktop.top) - height) / 2,
               width, height, 1);
}

LRESULT initDialog(HWND dialog, LPARAM lParam)
{
    auto* info = reinterpret_cast<JxCDontTellAgainInfo*>(lParam);
    SetWindowLongPtrA(dialog, DWL_USER, reinterpret_cast<LONG_PTR>(info));
    if (info) {
        SetWindowTextA(dialog, info->caption.c_str());
        SetDlgItemTextA(dialog, kDontTellAgainMessageId, info->message.c_str());
        SetDlgItemTextA(dialog, kDontTellAgainCheckId, info->checkText.c_str());
        CheckDlgButton(dialog, kDontTellAgainCheckId, UINT(info->checked ? BST_CHECKED : BST_UNCHECKED));
        // A plain visible check box; a control stays a child window.
        if (HWND box = GetDlgItem(dialog, kDontTellAgainCheckId))
            SetWindowLongA(box, GWL_STYLE, LONG(WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX));
    }
    centreOnDesktop(dialog);
    HDC dc = GetDC(dialog);
    drawIcon(dialog, dc);
    if (dc)
        ReleaseDC(dialog, dc);
    return 0;
}

LRESULT finish(HWND dialog)
{
    if (JxCDontTellAgainInfo* info = infoOf(dialog))
        info->checked = IsDlgButtonChecked(dialog, kDontTellAgainCheckId) == BST_CHECKED ? 1 : 0;
    EndDialog(dialog, 1);
    return 1;
}

}  // namespace

LRESULT DontTellAgainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return initDialog(dialog, lParam);
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(dialog, &ps);
        drawIcon(dialog, dc);
        EndPaint(dialog, &ps);
        return 0;
    }
    case WM_CLOSE:
        return finish(dialog);
    case WM_COMMAND:
        if ((wParam & 0xFFFF) == WPARAM(IDOK))
            return finish(dialog);
        return 0;
    default:
        return 0;
    }
}

JxCDontTellAgainInfo ShowDontTellAgainDialog(const char* caption, const char* message, const char* checkText,
                                             std::int16_t checked)
{
    JxCDontTellAgainInfo info;
    info.dialogProc = &DontTellAgainDialogProc;
    info.checked = checked;
    info.caption = caption ? caption : "";
    info.message = message ? message : "";
    info.checkText = checkText ? checkText : "";
    const char* name = MAKEINTRESOURCEA(WORD(kDontTellAgainDialogId));
    JxCResourceLocator found = FindResourceInLibraries(name, RT_DIALOG);
    if (found.GetResource())
        DialogBoxParamA(found.GetModule(), name, nullptr, info.dialogProc, reinterpret_cast<LPARAM>(&info));
    return info;
}
