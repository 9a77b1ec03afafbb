// The folder dialog: a folder list and the drives, the chosen folder in a
// field that can also be typed into.

#include "platform/fs/paths.h"
#include "platform/ui/browse_kit.h"
#include "platform/ui/common_dialogs.h"
#include "platform/ui/dialog.h"
#include "platform/ui/dialog_state.h"

namespace plat {

namespace {

struct FolderJob {
    std::string title;
    std::string cancel;
    std::string folder;
};

void show(HWND d, FolderJob& job)
{
    SetDlgItemTextA(d, kFileNameEdit, job.folder.c_str());
    ui::FillFolders(GetDlgItem(d, kFolderList), job.folder);
    ui::FillDrives(GetDlgItem(d, kDriveCombo), job.folder);
}

void go(HWND d, FolderJob& job, const std::string& to)
{
    if (!to.empty() && ui::IsFolder(to)) {
        job.folder = to;
        show(d, job);
    }
}

LRESULT CALLBACK_FolderProc(HWND d, UINT msg, WPARAM w, LPARAM l)
{
    FolderJob* job = reinterpret_cast<FolderJob*>(GetWindowLongPtrA(d, DWL_USER));
    switch (msg) {
    case WM_INITDIALOG:
        job = reinterpret_cast<FolderJob*>(l);
        SetWindowLongPtrA(d, DWL_USER, l);
        show(d, *job);
        return 1;
    case WM_COMMAND: {
        int id = LOWORD(w), code = HIWORD(w);
        if (id == IDOK) {
            char buf[520] = {};
            GetDlgItemTextA(d, kFileNameEdit, buf, sizeof buf);
            std::string typed = ui::JoinPath(job->folder, buf);
            if (typed.empty())
                return 1;
            if (ui::IsFolder(typed) && typed != job->folder) {
                go(d, *job, typed);
                return 1;
            }
            // A folder that does not exist yet is a fine choice: the
            // installer makes it.
            job->folder = typed;
            EndDialog(d, IDOK);
        } else if (id == IDCANCEL) {
            EndDialog(d, IDCANCEL);
        } else if (id == kFolderList && code == LBN_DBLCLK) {
            int i = int(SendDlgItemMessageA(d, kFolderList, LB_GETCURSEL, 0, 0));
            if (i >= 0)
                go(d, *job, ui::JoinPath(job->folder, ui::ItemText(GetDlgItem(d, kFolderList), i, false)));
        } else if (id == kDriveCombo && code == CBN_SELCHANGE) {
            int i = int(SendDlgItemMessageA(d, kDriveCombo, CB_GETCURSEL, 0, 0));
            int drive = int(SendDlgItemMessageA(d, kDriveCombo, CB_GETITEMDATA, WPARAM(i), 0));
            std::string there = GetFullWindowsPath(std::string(1, char('A' + drive)) + ":");
            if (there.empty() || !ui::IsFolder(there))
                ui::FillDrives(GetDlgItem(d, kDriveCombo), job->folder);
            else
                go(d, *job, there);
        }
        return 1;
    }
    default:
        return 0;
    }
}

}  // namespace

bool BrowseForFolder(HWND owner, const char* title, const char* cancelText, const std::string& start,
                     std::string* chosen)
{
    FolderJob job;
    job.title = title ? title : "";
    job.cancel = cancelText && *cancelText ? cancelText : "Cancel";
    char cwd[260] = {};
    GetCurrentDirectoryA(sizeof cwd, cwd);
    job.folder = start.empty() ? cwd : ui::FullFolderPath(start);
    // A start that does not exist yet opens at the nearest folder above it.
    while (!job.folder.empty() && job.folder.size() > 3 && !ui::IsFolder(job.folder)) {
        size_t sep = job.folder.find_last_of('\\');
        job.folder = sep == std::string::npos ? std::string() : job.folder.substr(0, sep == 2 ? 3 : sep);
    }
    if (job.folder.empty() || !ui::IsFolder(job.folder))
        job.folder = cwd;

    DialogTemplate t;
    t.caption = job.title;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    t.cx = 200;
    t.cy = 150;
    t.addItem("Static", -1, job.title, 6, 6, 188, 9, SS_LEFT | SS_NOPREFIX);
    t.addItem("Edit", kFileNameEdit, "", 6, 17, 188, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL);
    t.addItem("ListBox", kFolderList, "", 6, 33, 128, 92, WS_BORDER | WS_VSCROLL | LBS_NOTIFY | WS_TABSTOP);
    t.addItem("ComboBox", kDriveCombo, "", 6, 129, 128, 68, CBS_DROPDOWNLIST | WS_TABSTOP);
    t.addItem("Button", IDOK, "OK", 140, 33, 54, 14, BS_DEFPUSHBUTTON | WS_TABSTOP);
    t.addItem("Button", IDCANCEL, job.cancel, 140, 51, 54, 14, WS_TABSTOP);

    HWND d = ui::CreateFromTemplate(nullptr, t, owner, &CALLBACK_FolderProc, LPARAM(&job), true);
    if (!d)
        return false;
    ui::ModalRequest req;
    req.kind = "BrowseForFolder";
    req.text = job.folder;
    if (ui::RunModal(d, owner, req) != IDOK)
        return false;
    if (chosen)
        *chosen = job.folder;
    return true;
}

}  // namespace plat
