#include "runtime/JxDataPathCheck.h"

#include <string>

#include "foundation/JxCDirectoryList.h"
#include "foundation/JxDataDiscLink.h"
#include "foundation/JxDataLocationDialog.h"
#include "foundation/JxErrorMode.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxStartupSettings.h"
#include "platform/fs/drives.h"
#include "platform/fs/errors.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCVersion.h"
#include "runtime/JxDataDiscDialog.h"

namespace {

constexpr int kLastDriveIndex = 26;
constexpr std::size_t kComparedLabelLength = 8;
constexpr int kAnyDriveMode = 0;
constexpr int kCdRomMode = 1;
constexpr int kDiscOrNetworkMode = 2;
constexpr int kNetworkMode = 3;

bool relocationDone = false;

std::string root(char letter)
{
    return std::string(1, letter) + ":\\";
}

std::string text(const JxCString& s)
{
    return std::string(s.View());
}

bool isNetworkPath(const JxCString& path)
{
    return text(path).rfind("\\\\", 0) == 0;
}

// The drive letter of a path; 0 when it names none.
char driveOf(const JxCString& path)
{
    std::string_view p = path.View();
    return p.size() >= 2 && p[1] == ':' ? p[0] : '\0';
}

bool fitsMode(char letter, int mode)
{
    switch (mode) {
    case kAnyDriveMode:
    case kDataFolderMode:
        return GetDriveKind(letter) != plat::DRIVE_UNKNOWN;
    case kCdRomMode:
        return IsCdRomDrive(letter);
    case kDiscOrNetworkMode:
        return IsCdRomDrive(letter) || IsNetworkDriveWithLabel(letter);
    case kNetworkMode:
        return IsNetworkDriveWithLabel(letter);
    default:
        return false;
    }
}

// The label without asking anyone.
bool readLabel(char letter, std::string& label)
{
    char buffer[256] = {};
    if (!plat::GetVolumeInformationA(root(letter).c_str(), buffer, sizeof buffer, nullptr, nullptr, nullptr,
                                     nullptr, 0))
        return false;
    label = buffer;
    return true;
}

enum class LabelRead { Read, Declined, Unreadable };

// The volume label of a drive; while the drive cannot be read for a reason
// the user can mend (no disc), asks with Retry. Declined when the user
// answered otherwise.
LabelRead readVolumeLabel(char letter, JxCString& label)
{
    for (;;) {
        std::string read;
        if (readLabel(letter, read)) {
            label = read.c_str();
            return LabelRead::Read;
        }
        const unsigned id = ErrorCodeToMessageId(plat::GetLastError());
        if (!id)
            return LabelRead::Unreadable;
        if (ReportErrorAbortRetryIgnore(id, JxCString(root(letter).c_str())) != kAnswerRetry)
            return LabelRead::Declined;
    }
}

// The label of the data path's drive; empty without a data path.
JxCString dataDriveLabel()
{
    JxCString label;
    if (char letter = driveOf(GetDataPathString()))
        readVolumeLabel(letter, label);
    return label;
}

// Whether a data path should run the label check: one on a CD-ROM or
// network drive.
bool onDiscOrNetwork(const JxCString& path)
{
    if (path.IsEmpty())
        return false;
    if (isNetworkPath(path))
        return true;
    char letter = driveOf(path);
    return letter && (IsCdRomDrive(letter) || IsNetworkDrive(letter));
}

}  // namespace

unsigned GetDriveKind(char letter)
{
    return plat::GetDriveTypeA(root(letter).c_str());
}

bool IsCdRomDrive(char letter)
{
    return GetDriveKind(letter) == plat::DRIVE_CDROM;
}

bool IsNetworkDrive(char letter)
{
    return GetDriveKind(letter) == plat::DRIVE_REMOTE;
}

bool IsNetworkDriveWithLabel(char letter)
{
    std::string label;
    return IsNetworkDrive(letter) && readLabel(letter, label);
}

std::int32_t CountDataDrives(int mode, char& firstLetter)
{
    std::int32_t count = 0;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (!fitsMode(letter, mode))
            continue;
        if (count++ == 0)
            firstLetter = letter;
    }
    return count;
}

std::int16_t GetVolumeLabel(char letter, JxCString& label)
{
    return readVolumeLabel(letter, label) == LabelRead::Read ? 1 : 0;
}

std::int16_t RunLocateDialog(int mode)
{
    const auto result = RunDataLocationDialog(mode);
    return result >= 0 && result <= kLastDriveIndex ? 1 : 0;
}

std::int16_t CheckDataPath(const JxCString& path)
{
    if (path.IsEmpty())
        return 0;
    const char letter = driveOf(path);
    if (!isNetworkPath(path) && (!letter || GetDriveKind(letter) == plat::DRIVE_UNKNOWN))
        return 0;
    const std::string spec = text(path) + "\\*";
    for (;;) {
        JxCDirectoryList list(spec.c_str());
        if (list.FindFirst())
            return 1;
        std::string label;
        if (!letter || !IsCdRomDrive(letter) || readLabel(letter, label))
            return 0;
        if (ReportErrorAbortRetryIgnore(kNoDiscInDriveId, path) != kAnswerRetry)
            return 0;
    }
}

std::int16_t PromptForDataDisc(int mode)
{
    char first = 0;
    if (CountDataDrives(mode, first) == 0) {
        ReportErrorOk(kNoDataDriveId);
        return 0;
    }
    for (;;) {
        const JxCString& path = GetDataPathString();
        const std::int32_t answer = path.IsEmpty() ? ReportErrorYesNo(kAskForDataNoPathId)
                                                   : ReportErrorYesNo(kAskForDataDiscId, path);
        if (answer != kAnswerYes)
            return 0;
        if (RunLocateDialog(mode))
            return 1;
    }
}

std::int16_t CheckStartupDataPaths()
{
    JxQuietErrorMode quiet;
    if (!GetDataPathString().IsEmpty() && CheckDataPath(GetDataPathString()))
        return 1;
    return PromptForDataDisc(kDataFolderMode);
}

std::int16_t CheckDataVersionsAlt()
{
    JxQuietErrorMode quiet;
    if (IsNetworkInstall() && CheckDataPath(GetDataPathString()))
        return 1;
    return FindDataDisc();
}

std::int16_t FindDataDisc()
{
    if (onDiscOrNetwork(GetDataPathString()))
        return VerifyDataDiscVolume();
    if (!PromptForDataDisc(kDiscOrNetworkMode))
        return 0;
    return VerifyDataDiscVolume();
}

std::int16_t VerifyDataDiscVolume()
{
    for (;;) {
        const JxCVersion disc(text(dataDriveLabel()).c_str());
        std::int16_t reason = 0;
        disc.CheckProduct(reason);
        if (reason == 0)
            return 1;
        if (reason == 2) {
            ReportErrorOk(kNoVolumeLabelId);
            return 0;
        }
        const JxCFileVersion file(text(GetDataVersionFilePath()).c_str());
        const JxCString description = file.IsValid() ? file.GetDescription() : JxCString();
        if (RunDataDiscDialog(description) == kDataDiscQuit)
            return 0;
        // Any other end (the disc inserted, a drive chosen): look again.
    }
}

std::int16_t IsDataDiscInDrive()
{
    return GetDataDiscState() == JxDataDiscState::InDrive ? 1 : 0;
}

JxDataDiscState GetDataDiscState()
{
    const JxCString expected = GetExpectedVolumeLabel();
    if (expected.IsEmpty())
        return JxDataDiscState::InDrive;
    JxCString read;
    if (char letter = driveOf(GetDataPathString()); letter && readVolumeLabel(letter, read) == LabelRead::Declined)
        return JxDataDiscState::Declined;
    std::string label(read.View());
    if (label.size() > kComparedLabelLength)
        label.resize(kComparedLabelLength);
    return JxCTableString::CompareNoCase(label, expected.View()) == 0 ? JxDataDiscState::InDrive
                                                                       : JxDataDiscState::NotInDrive;
}

std::int16_t RelocateDataPath(const JxCString& failedPath)
{
    // The current page's files lie in a folder of its name under the data
    // path, so the path of one of them shows where the data now is.
    JxCString pageName;
    JxCBaseProduct* product = GetProduct();
    JxCPageObject* page = product ? product->GetCurrentPage() : nullptr;
    if (page && product->IsPageOpen(page) && page->GetPageDef())
        pageName = JxCString(page->GetPageDef()->GetName());
    return RelocateDataPathFor(failedPath, pageName);
}

std::int16_t RelocateDataPathFor(const JxCString& failedPath, const JxCString& pageName)
{
    if (relocationDone)
        return 0;
    relocationDone = true;
    if (!pageName.IsEmpty()) {
        JxCString name = pageName;
        name.MakeUpper();
        const std::string path = text(failedPath);
        const std::size_t at = path.rfind(text(name));
        if (at != std::string::npos && at > 0) {
            const JxCString proposed(path.substr(0, at).c_str());
            if (ReportErrorYesNo(kOfferDataPathId, proposed) == kAnswerYes) {
                WriteProductIniPaths(proposed.GetText());
                return 1;
            }
        }
    }
    for (;;) {
        if (ReportErrorYesNo(kLookElsewhereId, GetDataPathString()) != kAnswerYes)
            return 0;
        if (RunLocateDialog(kDataFolderMode))
            return 1;
    }
}

void ConnectDataDiscChecks()
{
    JxDataDiscLink link;
    link.relocateDataPath = [](const JxCString& path) { return RelocateDataPath(path) != 0; };
    link.dataDiscState = [] { return GetDataDiscState(); };
    link.checkDataDiscAgain = [] { return CheckDataVersionsAlt() != 0; };
    link.getVolumeLabel = [](char letter, JxCString& label) { return GetVolumeLabel(letter, label) != 0; };
    link.runLocateDialog = [](int mode) { return RunLocateDialog(mode) != 0; };
    SetDataDiscLink(std::move(link));
}

void ResetRelocation()
{
    relocationDone = false;
}
