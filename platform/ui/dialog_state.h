#pragma once
// What the dialog manager keeps about each dialog. Internal to the ui module.

#include <map>

#include "platform/ui/dialog.h"

namespace plat::ui {

struct DialogState {
    HFONT font = nullptr;
    SIZE base;           // dialog base units of its font
    bool modal = false;
    bool ended = false;
    LRESULT result = 0;
    int defId = 0;
    HWND focus = nullptr;  // the control that had the focus last
};

std::map<HWND, DialogState>& Dialogs();
DialogState* StateOf(HWND dialog);
HFONT DialogFont(HWND dialog);
HWND CreateFromTemplate(HINSTANCE instance, const DialogTemplate& tmpl, HWND owner, DLGPROC proc,
                        LPARAM param, bool modal);

// The error CommDlgExtendedError tells.
DWORD& LastCommonDialogError();

}  // namespace plat::ui
