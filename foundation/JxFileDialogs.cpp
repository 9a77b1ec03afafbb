#include "foundation/JxFileDialogs.h"

#include <string>
#include <string_view>
#include <vector>

#include "foundation/JxMessageText.h"
#include "foundation/JxStringLoader.h"
#include "platform/fs/paths.h"
#include "platform/ui/common_dialogs.h"
#include "platform/window/window.h"

namespace {

constexpr std::size_t kPathBuffer = 512;

struct PathParts {
    std::string_view drive, folder, name, extension;
};

// The C library's split: "X:", "\DIR\", "NAME", ".EXT".
PathParts splitPath(std::string_view path)
{
    PathParts p;
    if (path.size() >= 2 && path[1] == ':') {
        p.drive = path.substr(0, 2);
        path.remove_prefix(2);
    }
    const std::size_t slash = plat::FindLastSeparator(path);
    if (slash != std::string_view::npos) {
        p.folder = path.substr(0, slash + 1);
        path.remove_prefix(slash + 1);
    }
    const std::size_t dot = path.rfind('.');
    if (dot != std::string_view::npos) {
        p.extension = path.substr(dot);
        path = path.substr(0, dot);
    }
    p.name = path;
    return p;
}

std::string_view viewOf(const char* text)
{
    return text ? std::string_view(text) : std::string_view();
}

// The filter as the dialogs read it: every separator a NUL, ended by an
// empty part.
std::vector<char> dialogFilter(const char* filter, char separator)
{
    std::vector<char> out(viewOf(filter).begin(), viewOf(filter).end());
    for (char& c : out)
        if (c == separator)
            c = '\0';
    out.push_back('\0');
    out.push_back('\0');
    return out;
}

void copyInto(std::vector<char>& buffer, std::string_view text)
{
    const std::size_t n = std::min(text.size(), buffer.size() - 1);
    std::copy_n(text.begin(), n, buffer.begin());
    buffer[n] = '\0';
}

}  // namespace

void GetPathFolder(const char* path, JxCString& folder)
{
    const PathParts p = splitPath(viewOf(path));
    folder = JxCString(std::string(p.drive) + std::string(p.folder));
}

void GetPathFileName(const char* path, JxCString& name)
{
    const PathParts p = splitPath(viewOf(path));
    name = JxCString(std::string(p.name) + std::string(p.extension));
}

void GetPathExtension(const char* path, JxCString& extension)
{
    extension = JxCString(splitPath(viewOf(path)).extension);
}

bool ShowOpenFileDialog(JxCString& fileName, const char* initialFolder, const char* title, const char* filter)
{
    const char separator = viewOf(filter).empty() ? '\0' : viewOf(filter).back();
    std::vector<char> filters = dialogFilter(filter, separator);
    std::vector<char> file(kPathBuffer), fileTitle(kPathBuffer);
    copyInto(file, fileName.View());
    plat::OPENFILENAMEA ofn;
    ofn.hwndOwner = plat::GetFocus();
    ofn.lpstrFilter = filters.data();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = plat::DWORD(file.size());
    ofn.lpstrFileTitle = fileTitle.data();
    ofn.nMaxFileTitle = plat::DWORD(fileTitle.size());
    ofn.lpstrInitialDir = initialFolder;
    ofn.lpstrTitle = title;
    ofn.Flags = plat::OFN_HIDEREADONLY;
    if (!plat::GetOpenFileNameA(&ofn))
        return false;
    fileName = file.data();
    return true;
}

bool ShowSaveFileDialog(plat::HWND owner, JxCString& fileName, const char* title, const char* defaultExtension,
                        const char* initialFolder, const char* filter)
{
    std::vector<char> filters = dialogFilter(filter, '^');
    std::vector<char> file(kPathBuffer);
    copyInto(file, fileName.View());
    plat::OPENFILENAMEA ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filters.data();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = plat::DWORD(file.size());
    ofn.lpstrInitialDir = initialFolder;
    ofn.lpstrTitle = title;
    ofn.lpstrDefExt = defaultExtension;
    ofn.Flags = plat::OFN_OVERWRITEPROMPT | plat::OFN_HIDEREADONLY | plat::OFN_NOCHANGEDIR |
                plat::OFN_PATHMUSTEXIST | plat::OFN_NOREADONLYRETURN;
    if (!plat::GetSaveFileNameA(&ofn))
        return false;
    fileName = file.data();
    return true;
}

bool LocateMissingFile(JxCString& path)
{
    std::string title;
    if (!LoadStringText(kLocateFileTitleId, title))
        title = "Could not find file %s";
    const JxCString prompt = FormatText(title.c_str(), path).ToString();

    JxCString extension, folder, name;
    GetPathExtension(path.GetText(), extension);
    GetPathFolder(path.GetText(), folder);
    GetPathFileName(path.GetText(), name);
    const std::string ext(extension.View());
    const std::string filter = "Data Files(*" + ext + ")|*" + ext + "|";

    JxCString chosen = name;
    if (!ShowOpenFileDialog(chosen, folder.GetText(), prompt.GetText(), filter.c_str()))
        return false;
    JxCString chosenName, chosenFolder;
    GetPathFileName(chosen.GetText(), chosenName);
    if (chosenName != name)
        return false;
    GetPathFolder(chosen.GetText(), chosenFolder);
    path = chosenFolder;
    path += name;
    return true;
}
