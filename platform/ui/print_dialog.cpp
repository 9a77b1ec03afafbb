// The printer set-up dialog and the default printer.

#include <cstring>

#include "platform/print/printer.h"
#include "platform/ui/common_dialogs.h"
#include "platform/ui/dialog.h"
#include "platform/ui/dialog_state.h"

namespace plat {

namespace {

constexpr int kPrinterCombo = 1136;
constexpr int kPortrait = 1056;
constexpr int kLandscape = 1057;
constexpr const char* kPrinterName = "Page pictures (PNG)";

PrinterFactory& factory()
{
    static PrinterFactory f;
    return f;
}

struct SetupJob {
    DEVMODEA mode;
};

LRESULT CALLBACK_SetupProc(HWND d, UINT msg, WPARAM w, LPARAM l)
{
    SetupJob* job = reinterpret_cast<SetupJob*>(GetWindowLongPtrA(d, DWL_USER));
    switch (msg) {
    case WM_INITDIALOG:
        job = reinterpret_cast<SetupJob*>(l);
        SetWindowLongPtrA(d, DWL_USER, l);
        SendDlgItemMessageA(d, kPrinterCombo, CB_ADDSTRING, 0, LPARAM(kPrinterName));
        SendDlgItemMessageA(d, kPrinterCombo, CB_SETCURSEL, 0, 0);
        CheckRadioButton(d, kPortrait, kLandscape,
                         job->mode.dmOrientation == DMORIENT_LANDSCAPE ? kLandscape : kPortrait);
        return 1;
    case WM_COMMAND:
        if (LOWORD(w) == IDOK) {
            job->mode.dmOrientation = IsDlgButtonChecked(d, kLandscape) ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
            EndDialog(d, IDOK);
        } else if (LOWORD(w) == IDCANCEL) {
            EndDialog(d, IDCANCEL);
        }
        return 1;
    default:
        return 0;
    }
}

DialogTemplate setupTemplate()
{
    DialogTemplate t;
    t.caption = "Print Setup";
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    t.cx = 220;
    t.cy = 86;
    t.addItem("Button", -1, "Printer", 6, 4, 150, 32, BS_GROUPBOX);
    t.addItem("ComboBox", kPrinterCombo, "", 12, 16, 138, 40, CBS_DROPDOWNLIST | WS_TABSTOP);
    t.addItem("Button", -1, "Orientation", 6, 40, 150, 40, BS_GROUPBOX);
    t.addItem("Button", kPortrait, "Po&rtrait", 12, 52, 80, 10, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP);
    t.addItem("Button", kLandscape, "&Landscape", 12, 65, 80, 10, BS_AUTORADIOBUTTON);
    t.addItem("Button", IDOK, "OK", 162, 6, 52, 14, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP);
    t.addItem("Button", IDCANCEL, "Cancel", 162, 24, 52, 14, WS_TABSTOP);
    return t;
}

}  // namespace

void SetPrinterFactory(PrinterFactory f)
{
    factory() = std::move(f);
}

DEVNAMES DefaultPrinterNames()
{
    return DEVNAMES{"PNG", kPrinterName, "FILE:"};
}

BOOL PrintDlgA(PRINTDLGA* pd)
{
    DWORD& error = ui::LastCommonDialogError();
    error = 0;
    if (!pd || pd->lStructSize != sizeof(PRINTDLGA)) {
        error = CDERR_STRUCTSIZE;
        return 0;
    }
    DEVMODEA mode = pd->hDevMode ? *pd->hDevMode : DEVMODEA{};
    if (!pd->hDevMode)
        std::strncpy(mode.dmDeviceName, kPrinterName, sizeof mode.dmDeviceName - 1);
    if (!(pd->Flags & PD_RETURNDEFAULT)) {
        SetupJob job{mode};
        HWND d = ui::CreateFromTemplate(nullptr, setupTemplate(), pd->hwndOwner, &CALLBACK_SetupProc,
                                        LPARAM(&job), true);
        if (!d) {
            error = CDERR_INITIALIZATION;
            return 0;
        }
        ui::ModalRequest req;
        req.kind = "PrintDlg";
        req.text = kPrinterName;
        if (ui::RunModal(d, pd->hwndOwner, req) != IDOK)
            return 0;
        mode = job.mode;
    }
    pd->hDevMode = std::make_shared<DEVMODEA>(mode);
    pd->hDevNames = std::make_shared<DEVNAMES>(DefaultPrinterNames());
    pd->hDC = nullptr;
    if (pd->Flags & PD_RETURNDC) {
        pd->hDC = factory() ? factory()(*pd->hDevNames, *pd->hDevMode) : CreatePrinterDC(*pd->hDevNames, *pd->hDevMode);
        if (!pd->hDC) {
            error = PDERR_PRINTERNOTFOUND;
            return 0;
        }
    }
    return 1;
}

}  // namespace plat
