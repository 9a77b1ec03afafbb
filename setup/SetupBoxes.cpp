#include "setup/SetupBoxes.h"

#include <string>

#include "platform/ui/dialog.h"
#include "platform/ui/message_box.h"
#include "platform/window/window.h"
#include "setup/GreekText.h"
#include "setup/PageKit.h"
#include "setup/SetupState.h"
#include "setup/SetupText.h"

namespace {

constexpr plat::COLORREF kLightGrey = plat::RGB(192, 192, 192);
constexpr int kYes = 6, kNo = 7;
constexpr int kYesNoText = 103, kErrorText = 150, kHandPicture = 1013;

// What a box keeps while it is up: the texts it shows and its brush.
struct BoxData {
    std::string caption;
    std::string text;
    OwnedBrush grey{kLightGrey};
};

BoxData* boxData(plat::HWND box) { return reinterpret_cast<BoxData*>(plat::GetWindowLongPtrA(box, plat::DWL_USER)); }

// The light-grey colours of every box, for the dialog and its controls.
bool isColourMessage(plat::UINT msg)
{
    return msg >= plat::WM_CTLCOLORMSGBOX && msg <= plat::WM_CTLCOLORSTATIC;
}

plat::LRESULT greyColours(plat::HWND box, plat::WPARAM wParam, plat::LPARAM lParam)
{
    BoxData* data = boxData(box);
    if (!data)
        return 0;
    plat::HWND control = reinterpret_cast<plat::HWND>(lParam);
    return plat::LRESULT(CtlColorBrush(reinterpret_cast<plat::HDC>(wParam), control, box, data->grey.get(), kLightGrey));
}

// OK answers 1, Cancel 0.
plat::LRESULT endOnOkOrCancel(plat::HWND box, plat::WPARAM wParam)
{
    plat::WORD id = plat::LOWORD(wParam);
    if (id != plat::IDOK && id != plat::IDCANCEL)
        return 0;
    plat::EndDialog(box, id == plat::IDOK ? 1 : 0);
    return 1;
}

plat::LRESULT YesOrNoProc(plat::HWND box, plat::UINT msg, plat::WPARAM wParam, plat::LPARAM lParam)
{
    switch (msg) {
    case plat::WM_INITDIALOG: {
        plat::SetWindowLongPtrA(box, plat::DWL_USER, lParam);
        BoxData* data = boxData(box);
        CentreOverWindow(box, plat::GetWindow(box, plat::GW_OWNER));
        plat::SetWindowTextA(box, data->caption.c_str());
        plat::SetDlgItemTextA(box, kYesNoText, data->text.c_str());
        return 1;
    }
    case plat::WM_ACTIVATE:
        if (plat::LOWORD(wParam) != plat::WA_INACTIVE)
            plat::MessageBeep(plat::MB_ICONQUESTION);
        return 0;
    case plat::WM_COMMAND:
        switch (plat::LOWORD(wParam)) {
        case kYes: plat::EndDialog(box, 1); return 1;
        case kNo:
        case plat::IDCANCEL: plat::EndDialog(box, 0); return 1;
        case plat::IDOK: plat::EndDialog(box, plat::GetDlgCtrlID(plat::GetFocus()) == kYes ? 1 : 0); return 1;
        default: return 0;
        }
    default:
        return isColourMessage(msg) ? greyColours(box, wParam, lParam) : 0;
    }
}

plat::LRESULT ErrorBoxProc(plat::HWND box, plat::UINT msg, plat::WPARAM wParam, plat::LPARAM lParam)
{
    switch (msg) {
    case plat::WM_INITDIALOG:
        plat::SetWindowLongPtrA(box, plat::DWL_USER, lParam);
        CentreOverWindow(box, plat::GetWindow(box, plat::GW_OWNER));
        plat::SetDlgItemTextA(box, kErrorText, boxData(box)->text.c_str());
        return 1;
    case plat::WM_COMMAND:
        return endOnOkOrCancel(box, wParam);
    default:
        return isColourMessage(msg) ? greyColours(box, wParam, lParam) : 0;
    }
}

plat::LRESULT ExitInstallProc(plat::HWND box, plat::UINT msg, plat::WPARAM wParam, plat::LPARAM lParam)
{
    switch (msg) {
    case plat::WM_INITDIALOG:
        plat::SetWindowLongPtrA(box, plat::DWL_USER, lParam);
        CentreOverWindow(box, Setup().mainWindow);
        // Enter goes on with the installation; leaving takes a deliberate choice.
        plat::SetFocus(plat::GetDlgItem(box, plat::IDCANCEL));
        return 0;
    case plat::WM_PAINT: {
        plat::PAINTSTRUCT ps;
        plat::HDC hdc = plat::BeginPaint(box, &ps);
        DrawBitmapAtControl(box, hdc, "hand", kHandPicture, false);
        plat::EndPaint(box, &ps);
        return 1;
    }
    case plat::WM_COMMAND:
        return endOnOkOrCancel(box, wParam);
    default:
        return isColourMessage(msg) ? greyColours(box, wParam, lParam) : 0;
    }
}

int runBox(const char* templateName, plat::HWND owner, plat::DLGPROC proc, BoxData& data)
{
    plat::LRESULT r = plat::DialogBoxParamA(nullptr, templateName, owner, proc, plat::LPARAM(&data));
    return r == 1 ? 1 : 0;
}

}  // namespace

int AskYesOrNo(plat::HWND owner, std::string_view caption, std::string_view text)
{
    BoxData data;
    data.caption = ConvertGreekText(caption);
    data.text = ConvertGreekText(text);
    return runBox("YesOrNoBox", owner, &YesOrNoProc, data);
}

int AskExitInstall(plat::HWND owner)
{
    BoxData data;
    return runBox("ExitInstall", owner, &ExitInstallProc, data);
}

int AskRetryOrAbort(plat::HWND owner, std::string_view text)
{
    BoxData data;
    data.text = std::string(text);
    return runBox("ErrorBox", owner, &ErrorBoxProc, data);
}

void ShowErrorBox(plat::HWND owner, std::string_view text, std::string_view detail)
{
    std::string shown = ConvertGreekText(text);
    if (!detail.empty())
        shown += "\n" + std::string(detail);
    std::string caption = ConvertGreekText(LoadText(124));
    plat::MessageBeep(plat::MB_ICONINFORMATION);
    plat::MessageBoxA(owner, shown.c_str(), caption.c_str(), plat::MB_OK | plat::MB_ICONHAND);
}
