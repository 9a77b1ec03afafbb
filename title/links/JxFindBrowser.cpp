#include "title/links/JxFindBrowser.h"

#include <cctype>
#include <cstdio>
#include <optional>
#include <string>

#include "foundation/JxErrorReport.h"
#include "foundation/JxFileDialogs.h"
#include "foundation/JxFileUtils.h"
#include "foundation/JxMessageText.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "foundation/JxStringLoader.h"
#include "platform/fs/files.h"
#include "platform/fs/find.h"
#include "platform/fs/paths.h"
#include "platform/fs/stdio_files.h"
#include "platform/shell/shell.h"
#include "platform/ui/dialog.h"
#include "platform/ui/message_box.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "title/links/JxOnlineLauncherLib.h"
#include "title/links/JxOnlineSettings.h"

namespace {

using namespace plat;

constexpr int kAnswerYes = 6;
constexpr unsigned kPlainMessage = 0;
constexpr unsigned kYesNoQuestion = 4;

std::optional<std::string> libraryText(unsigned id)
{
    std::string text;
    if (!LoadStringText(id, text))
        return std::nullopt;
    return text;
}

std::optional<std::string> joinedTexts(unsigned first, unsigned second)
{
    auto a = libraryText(first);
    auto b = libraryText(second);
    if (!a || !b)
        return std::nullopt;
    return *a + *b;
}

bool ask(const std::string& question)
{
    return ShowErrorBox(kYesNoQuestion, question.c_str()) == kAnswerYes;
}

std::string formatWithName(const std::string& format, const std::string& name)
{
    return std::string(FormatText(format.c_str(), name.c_str()).Text().View());
}

// Yes to string 8220 chooses the installed service.
bool chooseInstalledService()
{
    auto question = libraryText(kUseOnlineServiceId);
    return question && ask(*question) && SetOnlineServiceFlag();
}

// The service's installer on the disc, when one is there.
std::optional<std::string> serviceInstaller()
{
    auto path = libraryText(kOnlineInstallerPathId);
    if (!path)
        return std::nullopt;
    if (FileExists(path->c_str()))
        return path;
    std::string data(GetDataPathString().View());
    std::string onData = data + (path->starts_with('\\') ? "" : "\\") + *path;
    if (FileExists(onData.c_str()))
        return onData;
    return std::nullopt;
}

// Yes to string 8221 runs the service's installer.
bool installService(const JxOnlineLauncherLib& launcher)
{
    auto installer = serviceInstaller();
    auto question = libraryText(kInstallOnlineServiceId);
    if (!installer || !question || !ask(*question) || !launcher.IsLoaded())
        return false;
    const std::int32_t installed = launcher.GetInstall() ? launcher.GetInstall()(installer->c_str()) : 1;
    if (auto done = libraryText(kOnlineServiceInstalledId))
        ShowErrorBox(kPlainMessage, done->c_str());
    return installed == 0 && SetOnlineServiceFlag();
}

// The program that opens the document, or a web page when there is none.
std::optional<std::string> browserCandidate(const char* document)
{
    char program[MAX_PATH] = {};
    HINSTANCE found = nullptr;
    if (document) {
        found = FindExecutableA(document, nullptr, program);
    } else {
        char temp[1000];
        const DWORD n = GetTempPathA(sizeof temp, temp);
        if (n == 0 || n >= sizeof temp)
            return std::nullopt;
        const std::string page = std::string(temp) + "x.htm";
        std::FILE* file = OpenStdioFile(page.c_str(), "wb");
        if (!file)
            return std::nullopt;
        const bool closed = std::fclose(file) == 0;
        if (closed)
            found = FindExecutableA(page.c_str(), nullptr, program);
        DeleteFileA(page.c_str());
    }
    if (reinterpret_cast<std::uintptr_t>(found) <= 32)
        return std::nullopt;
    return std::string(program);
}

bool confirmCandidate(const std::string& program)
{
    std::string name;
    if (!MakeProgramName(program.c_str(), name))
        return false;
    auto format = joinedTexts(kUseProgramId, kAsBrowserQuestionId);
    return format && ask(formatWithName(*format, name));
}

// The open dialog until the user confirms a program (OK in dialog 8201)
// or gives up.
std::optional<std::string> pickBrowser()
{
    auto title = libraryText(kPickBrowserTitleId);
    auto filter = libraryText(kPickBrowserFilterId);
    if (!title || !filter)
        return std::nullopt;
    JxCString fileName = "*.exe";
    for (;;) {
        if (!ShowOpenFileDialog(fileName, nullptr, title->c_str(), filter->c_str()))
            return std::nullopt;
        std::string name;
        auto format = libraryText(kConfirmPickedBrowserId);
        if (!MakeProgramName(fileName.GetText(), name) || !format)
            return std::nullopt;
        if (RunBrowserDialog(kConfirmBrowserTemplateId, formatWithName(*format, name).c_str()) == IDOK)
            return std::string(fileName.View());
    }
}

void initialiseDialog(HWND dialog, const char* text)
{
    std::string caption;
    LoadStringText(kTitleTextId, caption);
    SetWindowTextA(dialog, caption.c_str());
    if (GetDlgItem(dialog, kBrowserDialogTextId))
        SetDlgItemTextA(dialog, kBrowserDialogTextId, text ? text : "");
    RECT desktop;
    RECT box;
    if (GetWindowRect(GetDesktopWindow(), &desktop) && GetWindowRect(dialog, &box)) {
        const int left = ((desktop.right - desktop.left) - (box.right - box.left)) / 2;
        const int top = ((desktop.bottom - desktop.top) - (box.bottom - box.top)) / 2;
        SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
}

}  // namespace

bool MakeProgramName(const char* path, std::string& name)
{
    char title[100];
    if (GetFileTitleA(path, title, sizeof title) != 0)
        return false;
    name = title;
    if (const std::size_t dot = name.rfind('.'); dot != std::string::npos)
        name.erase(dot);
    if (!name.empty())
        name[0] = char(std::toupper(static_cast<unsigned char>(name[0])));
    return true;
}

LRESULT BrowserDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        initialiseDialog(dialog, reinterpret_cast<const char*>(lParam));
        return 1;
    case WM_COMMAND:
        if (wParam == IDOK || wParam == IDCANCEL)
            EndDialog(dialog, LRESULT(wParam));
        return 1;
    default:
        return 0;
    }
}

LRESULT RunBrowserDialog(int templateId, const char* text)
{
    const char* name = MAKEINTRESOURCEA(WORD(templateId));
    JxCResourceLocator found = FindResourceInLibraries(name, RT_DIALOG);
    if (!found.GetResource())
        return -1;
    return DialogBoxParamA(found.GetModule(), name, GetProductWindow(), &BrowserDialogProc,
                           reinterpret_cast<LPARAM>(text));
}

std::int16_t FindBrowser(const char* document)
{
    if (!LoadOnlineSettings())
        return 0;
    WriteBrowserPath(nullptr);
    WriteBrowserDeclined(0);
    DeleteOnlineServiceFlag();

    JxOnlineLauncherLib launcher;
    const std::int32_t status =
        launcher.IsLoaded() && launcher.GetIsInstalled() ? launcher.GetIsInstalled()() : 1;
    if (status == 0 ? chooseInstalledService() : installService(launcher))
        return 1;

    std::optional<std::string> accepted;
    if (auto candidate = browserCandidate(document); candidate && confirmCandidate(*candidate))
        accepted = candidate;
    if (!accepted) {
        if (auto notice = joinedTexts(kNoBrowserFoundId, kPickBrowserHintId)) {
            if (RunBrowserDialog(kNoBrowserTemplateId, notice->c_str()) == IDCANCEL) {
                WriteBrowserDeclined(1);
                return 0;
            }
        }
        accepted = pickBrowser();
        if (!accepted)
            return 0;
    }
    return WriteBrowserPath(accepted->c_str()) ? 1 : 0;
}
