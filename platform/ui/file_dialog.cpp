// The open and save dialogs.

#include <cstring>
#include <vector>

#include "platform/fs/paths.h"
#include "platform/ui/browse_kit.h"
#include "platform/ui/common_dialogs.h"
#include "platform/ui/dialog.h"
#include "platform/ui/dialog_state.h"
#include "platform/ui/message_box.h"

namespace plat {

namespace ui {

DWORD& LastCommonDialogError()
{
    static DWORD e = 0;
    return e;
}

namespace {

struct Job {
    OPENFILENAMEA* ofn = nullptr;
    bool save = false;
    std::string folder;
    std::vector<std::pair<std::string, std::string>> filters;  // description, patterns
    std::string patterns;
    std::string chosen;
};

DialogTemplate fileTemplate(const Job& job)
{
    DialogTemplate t;
    t.caption = job.ofn->lpstrTitle ? job.ofn->lpstrTitle : job.save ? "Save As" : "Open";
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    t.cx = 268;
    t.cy = 134;
    t.addItem("Static", -1, "File &name:", 6, 6, 90, 9, SS_LEFT);
    t.addItem("Edit", kFileNameEdit, "", 6, 16, 90, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL);
    t.addItem("ListBox", kFileList, "", 6, 32, 90, 68, WS_BORDER | WS_VSCROLL | LBS_SORT | LBS_NOTIFY | WS_TABSTOP);
    t.addItem("Static", -1, "&Folders:", 110, 6, 92, 9, SS_LEFT);
    t.addItem("Static", kFolderText, "", 110, 18, 92, 9, SS_LEFT | SS_NOPREFIX);
    t.addItem("ListBox", kFolderList, "", 110, 32, 92, 68, WS_BORDER | WS_VSCROLL | LBS_NOTIFY | WS_TABSTOP);
    t.addItem("Static", -1, job.save ? "Save file as &type:" : "List files of &type:", 6, 104, 90, 9, SS_LEFT);
    t.addItem("ComboBox", kFileTypeCombo, "", 6, 114, 90, 60, CBS_DROPDOWNLIST | WS_TABSTOP);
    t.addItem("Static", -1, "Dri&ves:", 110, 104, 92, 9, SS_LEFT);
    t.addItem("ComboBox", kDriveCombo, "", 110, 114, 92, 68, CBS_DROPDOWNLIST | WS_TABSTOP);
    t.addItem("Button", IDOK, "OK", 208, 6, 56, 14, BS_DEFPUSHBUTTON | WS_TABSTOP);
    t.addItem("Button", IDCANCEL, "Cancel", 208, 24, 56, 14, WS_TABSTOP);
    return t;
}

std::vector<std::pair<std::string, std::string>> parseFilter(const char* f)
{
    std::vector<std::pair<std::string, std::string>> out;
    if (!f)
        return out;
    // Bounded: a filter without its closing empty text ends at 64 pairs.
    while (*f && out.size() < 64) {
        std::string desc = f;
        f += desc.size() + 1;
        std::string pat = f;
        f += pat.size() + (*f || !pat.empty() ? 1 : 0);
        out.push_back({desc, pat});
        if (pat.empty())
            break;
    }
    return out;
}

void refresh(HWND d, Job& job)
{
    SetDlgItemTextA(d, kFolderText, job.folder.c_str());
    FillFolders(GetDlgItem(d, kFolderList), job.folder);
    FillFiles(GetDlgItem(d, kFileList), job.folder, job.patterns.empty() ? "*.*" : job.patterns);
    FillDrives(GetDlgItem(d, kDriveCombo), job.folder);
}

void changeFolder(HWND d, Job& job, const std::string& to)
{
    if (to.empty() || !IsFolder(to))
        return;
    job.folder = to;
    refresh(d, job);
}

std::string fileNameText(HWND d)
{
    char buf[1024] = {};
    GetDlgItemTextA(d, kFileNameEdit, buf, sizeof buf);
    std::string s = buf;
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    while (!s.empty() && s.front() == ' ')
        s.erase(0, 1);
    return s;
}

bool hasExtension(const std::string& path)
{
    size_t sep = path.find_last_of("\\:/");
    size_t dot = path.find_last_of('.');
    return dot != std::string::npos && (sep == std::string::npos || dot > sep);
}

// OK: a pattern filters, a folder is entered, a file ends the dialog.
void accept(HWND d, Job& job)
{
    std::string name = fileNameText(d);
    if (name.empty())
        return;
    if (HasWildcard(name)) {
        size_t sep = name.find_last_of("\\/:");
        if (sep != std::string::npos) {
            changeFolder(d, job, JoinPath(job.folder, name.substr(0, sep + 1)));
            name = name.substr(sep + 1);
        }
        job.patterns = name;
        FillFiles(GetDlgItem(d, kFileList), job.folder, job.patterns);
        SetDlgItemTextA(d, kFileNameEdit, name.c_str());
        return;
    }
    std::string path = JoinPath(job.folder, name);
    if (path.empty()) {
        MessageBoxA(d, (name + "\nThe file name is not valid.").c_str(), WindowText(d).c_str(),
                    MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (IsFolder(path)) {
        changeFolder(d, job, path);
        SetDlgItemTextA(d, kFileNameEdit, job.patterns.c_str());
        return;
    }
    const DWORD flags = job.ofn->Flags;
    if (job.save && job.ofn->lpstrDefExt && *job.ofn->lpstrDefExt && !hasExtension(path))
        path += std::string(".") + job.ofn->lpstrDefExt;
    size_t sep = path.find_last_of('\\');
    std::string folder = sep == std::string::npos ? path : path.substr(0, sep == 2 ? 3 : sep);
    if ((flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) && !IsFolder(folder)) {
        MessageBoxA(d, (path + "\nThe path does not exist.").c_str(), WindowText(d).c_str(),
                    MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const bool exists = Exists(path);
    if ((flags & OFN_FILEMUSTEXIST) && !exists) {
        MessageBoxA(d, (path + "\nFile not found.\nPlease verify the correct file name was given.").c_str(),
                    WindowText(d).c_str(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (job.save && exists && (flags & OFN_OVERWRITEPROMPT) &&
        MessageBoxA(d, (path + " already exists.\nDo you want to replace it?").c_str(), WindowText(d).c_str(),
                    MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return;
    if (!job.save && !exists && (flags & OFN_CREATEPROMPT) &&
        MessageBoxA(d, (path + "\nThis file does not exist.\nCreate the file?").c_str(), WindowText(d).c_str(),
                    MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    job.chosen = path;
    EndDialog(d, IDOK);
}

LRESULT CALLBACK_FileProc(HWND d, UINT msg, WPARAM w, LPARAM l)
{
    Job* job = reinterpret_cast<Job*>(GetWindowLongPtrA(d, DWL_USER));
    switch (msg) {
    case WM_INITDIALOG: {
        job = reinterpret_cast<Job*>(l);
        SetWindowLongPtrA(d, DWL_USER, l);
        HWND types = GetDlgItem(d, kFileTypeCombo);
        for (auto& [desc, pat] : job->filters)
            SendMessageA(types, CB_ADDSTRING, 0, LPARAM(desc.c_str()));
        int index = job->filters.empty() ? -1 : int(std::min<DWORD>(std::max<DWORD>(job->ofn->nFilterIndex, 1),
                                                                      DWORD(job->filters.size()))) - 1;
        SendMessageA(types, CB_SETCURSEL, WPARAM(index), 0);
        job->patterns = index >= 0 ? job->filters[size_t(index)].second : "*.*";
        std::string first = job->ofn->lpstrFile ? std::string(job->ofn->lpstrFile, strnlen(job->ofn->lpstrFile, job->ofn->nMaxFile)) : "";
        if (HasWildcard(first))
            job->patterns = first;
        refresh(d, *job);
        SetDlgItemTextA(d, kFileNameEdit, first.empty() ? job->patterns.c_str() : first.c_str());
        return 1;
    }
    case WM_COMMAND: {
        int id = LOWORD(w), code = HIWORD(w);
        if (id == IDOK) {
            accept(d, *job);
        } else if (id == IDCANCEL) {
            EndDialog(d, IDCANCEL);
        } else if (id == kFileList && (code == LBN_SELCHANGE || code == LBN_DBLCLK)) {
            int i = int(SendDlgItemMessageA(d, kFileList, LB_GETCURSEL, 0, 0));
            if (i >= 0)
                SetDlgItemTextA(d, kFileNameEdit, ItemText(GetDlgItem(d, kFileList), i, false).c_str());
            if (code == LBN_DBLCLK)
                accept(d, *job);
        } else if (id == kFolderList && code == LBN_DBLCLK) {
            int i = int(SendDlgItemMessageA(d, kFolderList, LB_GETCURSEL, 0, 0));
            if (i >= 0)
                changeFolder(d, *job, JoinPath(job->folder, ItemText(GetDlgItem(d, kFolderList), i, false)));
        } else if (id == kFileTypeCombo && code == CBN_SELCHANGE) {
            int i = int(SendDlgItemMessageA(d, kFileTypeCombo, CB_GETCURSEL, 0, 0));
            if (i >= 0 && size_t(i) < job->filters.size()) {
                job->patterns = job->filters[size_t(i)].second;
                job->ofn->nFilterIndex = DWORD(i + 1);
                FillFiles(GetDlgItem(d, kFileList), job->folder, job->patterns);
                SetDlgItemTextA(d, kFileNameEdit, job->patterns.c_str());
            }
        } else if (id == kDriveCombo && code == CBN_SELCHANGE) {
            int i = int(SendDlgItemMessageA(d, kDriveCombo, CB_GETCURSEL, 0, 0));
            int drive = int(SendDlgItemMessageA(d, kDriveCombo, CB_GETITEMDATA, WPARAM(i), 0));
            std::string root = std::string(1, char('A' + drive)) + ":";
            std::string there = GetFullWindowsPath(root);
            if (there.empty() || !IsFolder(there))
                FillDrives(GetDlgItem(d, kDriveCombo), job->folder);  // no disc: back to where we were
            else
                changeFolder(d, *job, there);
        }
        return 1;
    }
    default:
        return 0;
    }
}

bool copyOut(char* buf, DWORD size, const std::string& s)
{
    if (!buf)
        return true;
    if (size == 0 || s.size() + 1 > size)
        return false;
    std::memcpy(buf, s.c_str(), s.size() + 1);
    return true;
}

BOOL run(OPENFILENAMEA* ofn, bool save)
{
    DWORD& error = LastCommonDialogError();
    error = 0;
    if (!ofn || ofn->lStructSize != sizeof(OPENFILENAMEA)) {
        error = CDERR_STRUCTSIZE;
        return 0;
    }
    Job job;
    job.ofn = ofn;
    job.save = save;
    job.filters = parseFilter(ofn->lpstrFilter);
    char cwd[260] = {};
    GetCurrentDirectoryA(sizeof cwd, cwd);
    job.folder = ofn->lpstrInitialDir && *ofn->lpstrInitialDir ? FullFolderPath(ofn->lpstrInitialDir) : cwd;
    if (job.folder.empty() || !IsFolder(job.folder))
        job.folder = cwd;
    HWND dialog = CreateFromTemplate(nullptr, fileTemplate(job), ofn->hwndOwner, &CALLBACK_FileProc, LPARAM(&job), true);
    if (!dialog) {
        error = CDERR_INITIALIZATION;
        return 0;
    }
    ModalRequest req;
    req.kind = save ? "GetSaveFileName" : "GetOpenFileName";
    req.text = job.folder;
    if (RunModal(dialog, ofn->hwndOwner, req) != IDOK)
        return 0;
    const std::string& path = job.chosen;
    size_t sep = path.find_last_of('\\');
    std::string title = sep == std::string::npos ? path : path.substr(sep + 1);
    if (!copyOut(ofn->lpstrFile, ofn->nMaxFile, path)) {
        error = FNERR_BUFFERTOOSMALL;
        return 0;
    }
    // The title is only a convenience: too small a buffer leaves it empty.
    if (ofn->lpstrFileTitle && !copyOut(ofn->lpstrFileTitle, ofn->nMaxFileTitle, title) && ofn->nMaxFileTitle)
        ofn->lpstrFileTitle[0] = '\0';
    ofn->nFileOffset = WORD(sep == std::string::npos ? 0 : sep + 1);
    size_t dot = title.find_last_of('.');
    ofn->nFileExtension = WORD(dot == std::string::npos ? path.size() : ofn->nFileOffset + dot + 1);
    if (!(ofn->Flags & OFN_NOCHANGEDIR))
        SetCurrentDirectoryA(path.substr(0, sep == 2 ? 3 : sep).c_str());
    return 1;
}

}  // namespace

}  // namespace ui

DWORD CommDlgExtendedError()
{
    return ui::LastCommonDialogError();
}

BOOL GetOpenFileNameA(OPENFILENAMEA* ofn)
{
    return ui::run(ofn, false);
}

BOOL GetSaveFileNameA(OPENFILENAMEA* ofn)
{
    return ui::run(ofn, true);
}

}  // namespace plat
