// The options page of the wizard: the target folder and the product folder
// name, the free space of the target drive before and after installing,
// and whether to install the program and QuickTime.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/fs/system_info.h"
#include "platform/ui/common_dialogs.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/window/window.h"
#include "setup/GreekText.h"
#include "setup/InputField.h"
#include "setup/OptionsPage.h"
#include "setup/SetupBoxes.h"
#include "setup/SetupState.h"
#include "setup/SetupText.h"
#include "setup/SetupWizard.h"

namespace {

constexpr int kNameField = 100, kFreeNow = 150, kFreeAfter = 151, kTargetField = 302;
constexpr int kInstallProgramBox = 1009, kInstallQuickTimeBox = 1010, kBrowseButton = 1011;
constexpr int kNameLength = 220;

// The name field's mask lives as long as the page.
InputField& nameField()
{
    static InputField field(std::string(kNameLength, 'd'), 'T', kNameLength);
    return field;
}

std::string itemText(plat::HWND page, int id)
{
    std::vector<char> buffer(1024, '\0');
    plat::GetDlgItemTextA(page, id, buffer.data(), int(buffer.size()));
    return buffer.data();
}

std::int64_t spaceNeeded() { return std::int64_t(Setup().spaceNeed) * 1000; }

void showSpace(plat::HWND page, const std::string& folder)
{
    std::int64_t free = FreeSpaceOf(folder);
    plat::SetDlgItemTextA(page, kFreeNow, (FormatKbytes(free) + " Kbytes").c_str());
    plat::SetDlgItemTextA(page, kFreeAfter, (FormatKbytes(free - spaceNeeded()) + " Kbytes").c_str());
}

char driveLetter(const std::string& path) { return path.size() >= 2 && path[1] == ':' ? char(std::toupper(path[0])) : 0; }

// The folder part of the target, a backslash and the name.
void followName(plat::HWND page)
{
    std::string target = itemText(page, kTargetField);
    std::size_t cut = target.find_last_of('\\');
    std::string folder = cut == std::string::npos ? target : target.substr(0, cut);
    plat::SetDlgItemTextA(page, kTargetField, (folder + "\\" + itemText(page, kNameField)).c_str());
}

bool containsNoCase(const std::string& text, const std::string& part);

void browse(plat::HWND page)
{
    std::string current = itemText(page, kTargetField);
    std::string title = ConvertGreekText(LoadText(139));
    std::string cancel = ConvertGreekText(LoadText(140));
    std::string chosen;
    if (!plat::BrowseForFolder(page, title.c_str(), cancel.c_str(), current, &chosen))
        return;
    const std::string& name = Setup().productFolderName;
    if (!containsNoCase(chosen, name)) {
        if (chosen.empty() || chosen.back() != '\\')
            chosen += '\\';
        chosen += name;
    }
    if (driveLetter(chosen) != driveLetter(current))
        showSpace(page, chosen);
    plat::SetDlgItemTextA(page, kTargetField, chosen.c_str());
}

bool containsNoCase(const std::string& text, const std::string& part)
{
    auto same = [](char a, char b) { return std::toupper((unsigned char)a) == std::toupper((unsigned char)b); };
    return std::search(text.begin(), text.end(), part.begin(), part.end(), same) != text.end();
}

bool blank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

void next(plat::HWND page)
{
    if (blank(itemText(page, kNameField))) {
        ShowErrorBox(page, LoadText(146));
        return;
    }
    std::string target = itemText(page, kTargetField);
    std::int64_t after = FreeSpaceOf(target) - spaceNeeded();
    if (after < 0)
        ShowErrorBox(page, LoadText(122) + " " + FormatKbytes(spaceNeeded()) + " Kbytes");
    SetupState& s = Setup();
    s.targetFolder = NormalizeTargetPath(target);
    s.productFolderName = itemText(page, kNameField);
    s.installProgram = plat::IsDlgButtonChecked(page, kInstallProgramBox) == plat::BST_CHECKED;
    s.installQuickTime = plat::IsDlgButtonChecked(page, kInstallQuickTimeBox) == plat::BST_CHECKED;
    ClosePage(page, kPageNext);
}

void initOptions(plat::HWND page)
{
    const SetupState& s = Setup();
    nameField() = InputField(std::string(kNameLength, 'd'), 'T', kNameLength);
    plat::SetDlgItemTextA(page, kTargetField, s.targetFolder.c_str());
    plat::SetDlgItemTextA(page, kNameField, s.productFolderName.c_str());
    nameField().Adopt(plat::GetDlgItem(page, kNameField));
    showSpace(page, s.targetFolder);
    plat::CheckDlgButton(page, kInstallProgramBox, s.installProgram ? plat::BST_CHECKED : plat::BST_UNCHECKED);
    // The title's movies play through our own movie layer: there is no
    // QuickTime to install, and the box says so.
    plat::CheckDlgButton(page, kInstallQuickTimeBox, plat::BST_UNCHECKED);
    plat::EnableWindow(plat::GetDlgItem(page, kInstallQuickTimeBox), 0);
}

bool optionsCommand(plat::HWND page, plat::WORD id, plat::WORD code)
{
    switch (id) {
    case kNameField: {
        plat::HWND field = plat::GetDlgItem(page, kNameField);
        if (code == plat::EN_SETFOCUS)
            nameField().Attach(field);
        else if (code == plat::EN_CHANGE && plat::GetFocus() == field && nameField().OnChange(field))
            followName(page);
        return true;
    }
    case kBrowseButton:
        browse(page);
        return true;
    case kNextButton:
        next(page);
        return true;
    case kBackButton:
        ClosePage(page, kPageBack);
        return true;
    default:
        return false;
    }
}

}  // namespace

std::int64_t FreeSpaceOf(const std::string& folder)
{
    std::string root = driveLetter(folder) ? folder.substr(0, 2) + "\\" : std::string("C:\\");
    // Today's disks hold more than the 32-bit figures can say.
    std::uint64_t available = 0;
    if (!plat::GetDiskFreeSpaceExA(root.c_str(), &available, nullptr, nullptr))
        return 0;
    return std::int64_t(std::min<std::uint64_t>(available, std::uint64_t(INT64_MAX)));
}

std::string FormatKbytes(std::int64_t bytes)
{
    std::int64_t k = bytes / 1000;
    std::uint64_t magnitude = k < 0 ? std::uint64_t(-(k + 1)) + 1 : std::uint64_t(k);
    std::string digits = std::to_string(magnitude);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    return k < 0 ? "-" + grouped : grouped;
}

const PageBehaviour kOptionsPage{&initOptions, nullptr, &optionsCommand};
