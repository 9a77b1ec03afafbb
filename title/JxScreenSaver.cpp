#include "title/JxScreenSaver.h"

#include <optional>
#include <string>
#include <vector>

#include "foundation/JxErrorMode.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxFileUtils.h"
#include "foundation/JxStartupSettings.h"
#include "platform/config/profile.h"
#include "platform/fs/files.h"
#include "platform/fs/paths.h"
#include "platform/ui/message_box.h"
#include "runtime/JxCBaseProduct.h"

namespace {

constexpr const char* kDefaultFileName = "tundrel.scr";
constexpr const char* kControlIni = "\\Control.ini";
constexpr const char* kSaverSection = "Screen Saver.Tundrel";
constexpr const char* kSaverKey = "SaverSelection";

// The Windows folder, read into room for 80 characters; none when it does
// not fit or is empty, since a file name built on nothing would land at the
// root of the program's drive.
std::optional<std::string> windowsFolder()
{
    char buffer[80] = {};
    const plat::UINT length = plat::GetWindowsDirectoryA(buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer)
        return std::nullopt;
    return std::string(buffer, length);
}

// The page's folder text between the data path and the file name: stored
// page records hold none, so the screen saver lies in the data folder itself.
std::string currentFolderText()
{
    return "\\";
}

// The busy mark and the open files of one copy, released on every way out.
// The destination is discarded unless the copy is kept, so a failed copy
// never replaces what the Windows folder held.
class CopyFiles {
public:
    CopyFiles() = default;
    ~CopyFiles()
    {
        if (destination != plat::HFILE_ERROR)
            plat::DiscardFile(destination);
        if (JxCBaseProduct* product = busy_ ? GetProduct() : nullptr)
            product->MarkIdle();
        if (source != plat::HFILE_ERROR)
            CloseFile(source);
    }
    CopyFiles(const CopyFiles&) = delete;
    CopyFiles& operator=(const CopyFiles&) = delete;

    // Puts the destination in place; false when that failed.
    bool Keep()
    {
        const plat::HFILE file = destination;
        destination = plat::HFILE_ERROR;
        JxQuietErrorMode quiet;
        return plat::_lclose(file) != plat::HFILE_ERROR;
    }

    void MarkBusy()
    {
        if (JxCBaseProduct* product = GetProduct()) {
            product->MarkBusy();
            busy_ = true;
        }
    }

    plat::HFILE source = plat::HFILE_ERROR;
    plat::HFILE destination = plat::HFILE_ERROR;

private:
    bool busy_ = false;
};

void confirmInstalled()
{
    JxCString text;
    JxCString caption;
    text.LoadString(kScreenSaverInstalledId);
    caption.LoadString(kScreenSaverCaptionId);
    plat::MessageBoxA(nullptr, text.GetText() ? text.GetText() : "", caption.GetText() ? caption.GetText() : "",
                      plat::MB_OK);
}

}  // namespace

std::int16_t CopyScreenSaver(const JxCString& fileName)
{
    const std::optional<std::string> windows = windowsFolder();
    if (!windows) {
        ReportErrorOk(kScreenSaverNotCopiedId);
        return 0;
    }
    const std::string name(fileName.View());
    std::uint32_t error = 0;
    CopyFiles files;
    JxCString sourceName((std::string(GetDataPathString().View()) + currentFolderText() + name).c_str());
    files.source = OpenFileWithRetry(sourceName, plat::OF_READ, &error);
    if (files.source == plat::HFILE_ERROR)
        return 0;

    JxCString destinationName((*windows + "\\" + name).c_str());
    files.MarkBusy();
    files.destination = OpenFileWithRetry(destinationName, plat::OF_CREATE, &error);
    if (files.destination == plat::HFILE_ERROR)
        return 0;

    const bool copied = CopyInBlocks(
        [&](void* buffer, std::uint32_t count) { return ReadFileBlock(files.source, buffer, count, &error); },
        [&](const void* buffer, std::uint32_t count) {
            return WriteFileBlock(files.destination, buffer, count, &error);
        },
        destinationName);
    if (!copied || !files.Keep()) {
        ReportErrorOk(kScreenSaverNotCopiedId);
        return 0;
    }
    confirmInstalled();
    return 1;
}

std::int16_t InstallScreenSaver(std::int32_t selection)
{
    JxCString fileName(kDefaultFileName);
    fileName.LoadString(kScreenSaverFileId);
    // The name is taken as a file name only: a text that names a folder
    // could put the copy anywhere.
    std::string name(fileName.View());
    const std::size_t separator = name.find_last_of("\\/:");
    if (separator != std::string::npos)
        name.erase(0, separator + 1);
    if (name.empty() || name == "." || name == "..")
        name = kDefaultFileName;

    const std::int16_t result = CopyScreenSaver(JxCString(name.c_str()));

    // Control.ini belongs in the Windows folder, or nowhere.
    if (const std::optional<std::string> windows = windowsFolder()) {
        const std::string controlIni = *windows + kControlIni;
        const std::string value = std::to_string(selection);
        plat::WritePrivateProfileStringA(kSaverSection, kSaverKey, value.c_str(), controlIni.c_str());
    }
    return result;
}
