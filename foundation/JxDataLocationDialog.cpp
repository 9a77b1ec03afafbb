#include "foundation/JxDataLocationDialog.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "foundation/JxCString.h"
#include "foundation/JxDialogBitmap.h"
#include "foundation/JxErrorMode.h"
#include "foundation/JxProductLink.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "foundation/JxStringLoader.h"
#include "platform/draw/blit.h"
#include "platform/draw/brush.h"
#include "platform/draw/dc.h"
#include "platform/draw/surface.h"
#include "platform/draw/text.h"
#include "platform/fs/drives.h"
#include "platform/fs/find.h"
#include "platform/fs/paths.h"
#include "platform/modules/resources.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/draw_text.h"
#include "platform/ui/syscolor.h"
#include "platform/window/window.h"

namespace {

using namespace plat;

struct LocateState {
    explicit LocateState(int m) : mode(m), driveBitmap(kDriveBitmapName), folderBitmap(kFolderBitmapName) {}
    int mode;
    JxQuietErrorMode quiet;
    JxDialogBitmap driveBitmap;
    JxDialogBitmap folderBitmap;
    int startDrive = _getdrive();  // 1 = A:
    std::string startFolder = currentFolder();
    int currentDrive = startDrive;

    static std::string currentFolder()
    {
        char buffer[MAX_PATH] = {};
        GetCurrentDirectoryA(DWORD(MAX_PATH), buffer);
        return buffer;
    }
    // The drive and folder of the process as the dialog found them.
    void restore() const
    {
        if (!startFolder.empty())
            SetCurrentDirectoryA(startFolder.c_str());
        _chdrive(startDrive);
    }
};

LocateState* stateOf(HWND dialog)
{
    return reinterpret_cast<LocateState*>(GetWindowLongPtrA(dialog, DWL_USER));
}

std::string lowered(std::string text)
{
    JxCString s(text.c_str());
    s.MakeLower();
    return std::string(s.View());
}

// The drive list's text of a drive: "d:  " and its label or connection.
std::string driveText(int index, UINT type)
{
    const char letter = char('a' + index);
    std::string text = std::string(1, letter) + ":  ";
    if (type == DRIVE_FIXED || type == DRIVE_RAMDISK) {
        char root[] = "A:\\";
        root[0] = char('A' + index);
        char label[256] = {};
        if (GetVolumeInformationA(root, label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0)) {
            std::string l = label;
            // An eleven-character label kept as name.ext contributes both parts.
            if (l.size() > 8 && l[8] == '.')
                l.erase(8, 1);
            text += lowered(l);
        }
    } else if (type == DRIVE_REMOTE) {
        char local[] = "A:";
        local[0] = char('A' + index);
        char remote[256] = {};
        DWORD length = sizeof remote;
        if (WNetGetConnectionA(local, remote, &length) == 0)
            text += lowered(remote);
    }
    return text;
}

void selectDrive(HWND dialog, int drive)
{
    HWND combo = GetDlgItem(dialog, kDataDriveComboId);
    const int count = int(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        if (LOWORD(std::uintptr_t(SendMessageA(combo, CB_GETITEMDATA, WPARAM(i), 0))) == drive - 1) {
            SendMessageA(combo, CB_SETCURSEL, WPARAM(i), 0);
            return;
        }
}

void fillDrives(HWND dialog, const LocateState& s)
{
    HWND combo = GetDlgItem(dialog, kDataDriveComboId);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    const DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (1u << i)))
            continue;
        char root[] = "A:\\";
        root[0] = char('A' + i);
        const UINT type = GetDriveTypeA(root);
        if (type < DRIVE_REMOVABLE)
            continue;
        if (type != DRIVE_REMOTE && type != DRIVE_CDROM && i + 1 != s.currentDrive)
            continue;
        const LRESULT item = SendMessageA(combo, CB_ADDSTRING, 0, LPARAM(driveText(i, type).c_str()));
        SendMessageA(combo, CB_SETITEMDATA, WPARAM(item), MAKELPARAM(WORD(i), WORD(type)));
    }
    selectDrive(dialog, s.currentDrive);
}

void fillFolders(HWND dialog, const LocateState& s)
{
    if (s.mode != kDataFolderMode)
        return;
    std::string folder = LocateState::currentFolder();
    SetDlgItemTextA(dialog, kDataCurrentFolderId, folder.c_str());
    HWND list = GetDlgItem(dialog, kDataFolderListId);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    const std::string pattern = folder + "\\*.*";
    SendMessageA(list, LB_DIR, DDL_DIRECTORY | DDL_EXCLUSIVE, LPARAM(pattern.c_str()));
}

void onInit(HWND dialog, int mode)
{
    auto* s = new LocateState(mode);
    SetWindowLongPtrA(dialog, DWL_USER, LONG_PTR(s));
    std::string title;
    if (LoadStringText(kTitleTextId, title))
        SetWindowTextA(dialog, title.c_str());
    fillDrives(dialog, *s);
    fillFolders(dialog, *s);
}

void onDriveChosen(HWND dialog, LocateState& s)
{
    HWND combo = GetDlgItem(dialog, kDataDriveComboId);
    const LRESULT item = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (item < 0)
        return;
    const int drive = LOWORD(std::uintptr_t(SendMessageA(combo, CB_GETITEMDATA, WPARAM(item), 0))) + 1;
    if (_chdrive(drive) == 0) {
        s.currentDrive = drive;
        fillFolders(dialog, s);
        return;
    }
    // No disc there: back to the drive chosen before.
    _chdrive(s.currentDrive);
    selectDrive(dialog, s.currentDrive);
}

void onFolderChosen(HWND dialog, LocateState& s)
{
    HWND list = GetDlgItem(dialog, kDataFolderListId);
    const LRESULT item = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (item < 0)
        return;
    char text[MAX_PATH] = {};
    SendMessageA(list, LB_GETTEXT, WPARAM(item), LPARAM(text));
    std::string name = text;
    if (name.size() >= 2 && name.front() == '[' && name.back() == ']')
        name = name.substr(1, name.size() - 2);
    if (!name.empty() && SetCurrentDirectoryA(name.c_str()))
        fillFolders(dialog, s);
}

void onOk(HWND dialog, LocateState& s)
{
    std::string path;
    if (s.mode == kDataFolderMode)
        path = LocateState::currentFolder();
    else
        path = std::string(1, char('A' + s.currentDrive - 1)) + ":";
    const int chosen = _getdrive();
    WriteProductIniPaths(path.c_str());
    s.restore();
    EndDialog(dialog, chosen);
}

void drawItem(const LocateState& s, const DRAWITEMSTRUCT& d)
{
    if (d.itemID == UINT(-1))
        return;
    const bool selected = d.itemState & ODS_SELECTED;
    FillRect(d.hDC, &d.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const UINT type = HIWORD(d.itemData);
    const JxDialogBitmap& picture = type == DRIVE_REMOTE ? s.folderBitmap : s.driveBitmap;
    int x = d.rcItem.left + 2;
    if (picture.IsLoaded()) {
        picture.Draw(d.hDC, x, d.rcItem.top + (d.rcItem.bottom - d.rcItem.top - picture.Height()) / 2);
        x += picture.Width() + 4;
    }
    char text[MAX_PATH] = {};
    SendMessageA(d.hwndItem, CB_GETLBTEXT, WPARAM(d.itemID), LPARAM(text));
    const COLORREF oldText = SetTextColor(d.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const int oldMode = SetBkMode(d.hDC, TRANSPARENT);
    TextOut(d.hDC, x, d.rcItem.top + 1, text, int(std::strlen(text)));
    SetBkMode(d.hDC, oldMode);
    SetTextColor(d.hDC, oldText);
    if (d.itemState & ODS_FOCUS)
        DrawFocusRect(d.hDC, &d.rcItem);
}

}  // namespace

LRESULT DataLocationDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    LocateState* s = stateOf(dialog);
    switch (msg) {
    case WM_INITDIALOG:
        onInit(dialog, int(lParam));
        return 1;
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 18;
        return 1;
    case WM_DRAWITEM:
        if (s)
            drawItem(*s, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return 1;
    case WM_COMMAND:
        if (!s)
            return 0;
        switch (LOWORD(wParam)) {
        case kDataDriveComboId:
            if (HIWORD(wParam) == CBN_SELCHANGE)
                onDriveChosen(dialog, *s);
            return 1;
        case kDataFolderListId:
            if (HIWORD(wParam) == LBN_DBLCLK)
                onFolderChosen(dialog, *s);
            return 1;
        case IDOK:
            onOk(dialog, *s);
            return 1;
        case IDCANCEL:
            s->restore();
            EndDialog(dialog, -1);
            return 1;
        }
        return 0;
    case WM_DESTROY:
        delete s;
        SetWindowLongPtrA(dialog, DWL_USER, 0);
        return 0;
    }
    return 0;
}

LRESULT RunDataLocationDialog(int mode)
{
    const int id = mode == kDataFolderMode ? kDataFolderTemplateId : kDataLocationTemplateId;
    JxCResourceLocator found = FindResourceInLibraries(MAKEINTRESOURCEA(WORD(id)), RT_DIALOG);
    if (!found.GetResource())
        return -1;
    return DialogBoxParamA(found.GetModule(), MAKEINTRESOURCEA(WORD(id)), ProductMainWindow(),
                           &DataLocationDialogProc, LPARAM(mode));
}
