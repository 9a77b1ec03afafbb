#include "platform/ui/browse_kit.h"

#include <algorithm>
#include <cctype>

#include "platform/fs/drives.h"
#include "platform/fs/files.h"
#include "platform/fs/find.h"
#include "platform/fs/paths.h"
#include "platform/ui/controls.h"

namespace plat::ui {

std::string JoinPath(const std::string& folder, const std::string& name)
{
    bool absolute = (name.size() >= 2 && name[1] == ':') || (!name.empty() && (name[0] == '\\' || name[0] == '/'));
    std::string joined;
    if (absolute && !(name[0] == '\\' || name[0] == '/'))
        joined = name;
    else if (absolute)
        joined = folder.substr(0, 2) + name;
    else
        joined = folder + (folder.empty() || folder.back() == '\\' ? "" : "\\") + name;
    return GetFullWindowsPath(joined);
}

std::string FullFolderPath(const std::string& path)
{
    std::string full = GetFullWindowsPath(path);
    if (full.size() > 3 && full.back() == '\\')
        full.pop_back();
    return full;
}

bool IsFolder(const std::string& path)
{
    HostPath h = ResolveHostPath(path);
    return h.error == 0 && h.exists && h.isFolder;
}

bool Exists(const std::string& path)
{
    HostPath h = ResolveHostPath(path);
    return h.error == 0 && h.exists;
}

bool HasWildcard(const std::string& s)
{
    return s.find_first_of("*?") != std::string::npos;
}

void FillDrives(HWND combo, const std::string& folder)
{
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    DWORD mask = GetLogicalDrives();
    int select = -1;
    char current = folder.empty() ? 0 : char(std::tolower(static_cast<unsigned char>(folder[0])));
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (1u << i)))
            continue;
        char letter = char('a' + i);
        std::string root = std::string(1, char('A' + i)) + ":\\";
        std::string text = std::string(1, letter) + ":";
        char label[64] = {};
        if (GetVolumeInformationA(root.c_str(), label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0) &&
            label[0]) {
            std::string l = label;
            for (char& c : l)
                c = char(std::tolower(static_cast<unsigned char>(c)));
            text += " " + l;
        }
        LRESULT at = SendMessageA(combo, CB_ADDSTRING, 0, LPARAM(text.c_str()));
        SendMessageA(combo, CB_SETITEMDATA, WPARAM(at), LPARAM(i));
        if (letter == current)
            select = int(at);
    }
    SendMessageA(combo, CB_SETCURSEL, WPARAM(select), 0);
}

namespace {

template <class F>
void eachEntry(const std::string& folder, const std::string& pattern, F f)
{
    WIN32_FIND_DATAA fd;
    std::string spec = JoinPath(folder, pattern);
    if (spec.empty())
        return;
    HANDLE_FIND h = FindFirstFileA(spec.c_str(), &fd);
    if (h == INVALID_FIND_HANDLE)
        return;
    do {
        std::string name = fd.cFileName;
        if (name != "." && name != "..")
            f(name, fd.dwFileAttributes);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
}

}  // namespace

void FillFolders(HWND list, const std::string& folder)
{
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    if (folder.size() > 3)
        SendMessageA(list, LB_ADDSTRING, 0, LPARAM(".."));
    std::vector<std::string> names;
    eachEntry(folder, "*.*", [&](const std::string& n, DWORD a) {
        if (a & FILE_ATTRIBUTE_DIRECTORY)
            names.push_back(n);
    });
    std::sort(names.begin(), names.end());
    for (const std::string& n : names)
        SendMessageA(list, LB_ADDSTRING, 0, LPARAM(n.c_str()));
}

void FillFiles(HWND list, const std::string& folder, const std::string& patterns)
{
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    size_t pos = 0;
    while (pos <= patterns.size()) {
        size_t semi = patterns.find(';', pos);
        std::string p = patterns.substr(pos, semi == std::string::npos ? std::string::npos : semi - pos);
        pos = semi == std::string::npos ? patterns.size() + 1 : semi + 1;
        while (!p.empty() && p.front() == ' ')
            p.erase(0, 1);
        if (p.empty())
            continue;
        eachEntry(folder, p, [&](const std::string& n, DWORD a) {
            if (!(a & FILE_ATTRIBUTE_DIRECTORY) && SendMessageA(list, LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(n.c_str())) < 0)
                SendMessageA(list, LB_ADDSTRING, 0, LPARAM(n.c_str()));
        });
    }
}

std::string ItemText(HWND list, int index, bool combo)
{
    LRESULT len = SendMessageA(list, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, WPARAM(index), 0);
    if (len < 0)
        return {};
    std::string t(size_t(len) + 1, '\0');
    SendMessageA(list, combo ? CB_GETLBTEXT : LB_GETTEXT, WPARAM(index), LPARAM(t.data()));
    t.resize(size_t(len));
    return t;
}

}  // namespace plat::ui
