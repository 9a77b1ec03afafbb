#include "title/JxOnlineLinks.h"

#include <optional>
#include <string>

#include "foundation/JxErrorReport.h"
#include "foundation/JxFileUtils.h"
#include "foundation/JxStringLoader.h"
#include "platform/config/ini_document.h"
#include "platform/shell/shell.h"
#include "platform/window/messages.h"
#include "events/JxCRunTimeObject.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCProductDef.h"
#include "title/JxFindBrowser.h"
#include "title/JxOnlineLauncherLib.h"
#include "title/JxOnlineSettings.h"
#include "title/JxShortcutScan.h"

namespace {

constexpr unsigned kPlainMessage = 0;
constexpr std::uint32_t kBrowserPathSize = 512;

void showText(unsigned id)
{
    std::string text;
    if (LoadStringText(id, text))
        ShowErrorBox(kPlainMessage, text.c_str());
}

void showNoBrowser()
{
    std::string first, second, third;
    if (LoadStringText(kNoBrowserFirstId, first) && LoadStringText(kNoBrowserSecondId, second) &&
        LoadStringText(kNoBrowserThirdId, third))
        ShowErrorBox(kPlainMessage, (first + second + third).c_str());
}

bool hasTexts()
{
    std::string text;
    return LoadStringText(kOnlineSectionId, text) && LoadStringText(kBrowserPathKeyId, text) &&
           LoadStringText(kBrowserDeclinedKeyId, text);
}

bool startsWithNoCase(std::string_view text, std::string_view start)
{
    return text.size() >= start.size() && plat::EqualsNoCase(text.substr(0, start.size()), start);
}

bool isWebAddress(std::string_view address)
{
    for (std::string_view scheme : {"http://", "https://", "ftp://", "mailto:"})
        if (startsWithNoCase(address, scheme) && address.size() > scheme.size())
            return true;
    return false;
}

// The stored browser, when its file is still there.
std::optional<std::string> storedBrowser()
{
    char path[kBrowserPathSize];
    if (ReadBrowserPath(path, sizeof path) && FileExists(path))
        return std::string(path);
    return std::nullopt;
}

// The stored browser, after the set-up when none is stored. A set-up that
// reports success but leaves no usable browser behind is not run again:
// the user is asked once per link.
std::optional<std::string> findBrowserFor(const JxCString& address, std::int32_t& serviceFlag)
{
    if (auto browser = storedBrowser())
        return browser;
    const std::int16_t found = FindBrowser(address.GetText() ? address.GetText() : "");
    serviceFlag = ReadOnlineServiceFlag();
    if (serviceFlag != 0 || found == 0)
        return std::nullopt;
    return storedBrowser();
}

void openThroughService(const JxCString& completed, const JxCString& serviceAddress)
{
    JxOnlineLauncherLib launcher;
    if (!launcher.IsLoaded() || !launcher.GetLaunch())
        return;
    std::int32_t result = 0;
    if (!serviceAddress.IsEmpty()) {
        result = launcher.GetLaunch()(0, 0, 0, 0, serviceAddress.GetText(), nullptr);
    } else {
        std::optional<std::string> found = ScanShortcutFile(completed.GetText());
        if (!found || found->empty())
            return;
        result = launcher.GetLaunch()(0, 0, 0, 0, nullptr, found->c_str());
    }
    if (result != 0)
        showText(kLinkFailedId);
}

void openInBrowser(const std::string& browser, const JxCString& completed)
{
    std::string address(completed.View());
    // The desktop's opener reads no shortcut files: it gets the address
    // that the shortcut holds.
    if (address.size() >= 4 && plat::EqualsNoCase(std::string_view(address).substr(address.size() - 4), ".url") &&
        FileExists(address.c_str())) {
        std::optional<std::string> found = ScanShortcutFile(address.c_str());
        if (!found || found->empty())
            return;
        address = *found;
    }
    const std::size_t start = address.find_first_not_of(" \t");
    address.erase(0, start == std::string::npos ? address.size() : start);
    if (!IsBrowserAddress(address)) {
        showText(kBrowserFailedId);
        return;
    }
    const std::string line = "\"" + browser + "\" " + address;
    if (plat::WinExec(line.c_str(), plat::SW_SHOW) <= 32)
        showText(kBrowserFailedId);
}

}  // namespace

JxCString CompleteLinkAddress(const JxCString& address, JxCRunTimeObject* owner)
{
    std::string prefix;
    if (address.View().starts_with('\\')) {
        JxCBaseProduct* product = GetProduct();
        if (product && product->GetProductDef())
            prefix = std::string(product->GetProductDef()->GetSecondText().View());
    } else if (owner && !isWebAddress(address.View())) {
        // The owner's data path is its container's page's.
        prefix = std::string(owner->GetDataPath().View());
    } else {
        return address;
    }
    return JxCString((prefix + std::string(address.View())).c_str());
}

bool IsBrowserAddress(std::string_view address)
{
    if (address.empty() || address.front() == '-')
        return false;
    return isWebAddress(address) || FileExists(std::string(address).c_str());
}

std::int16_t OpenLink(const JxCString& address, const JxCString& serviceAddress, JxCRunTimeObject* owner)
{
    if (!hasTexts() || !LoadOnlineSettings())
        return 0;
    const JxCString completed = CompleteLinkAddress(address, owner);
    CopyTextToClipboard(completed.GetText() ? completed.GetText() : "");

    std::int32_t serviceFlag = ReadOnlineServiceFlag();
    std::optional<std::string> browser;
    if (ReadBrowserDeclined() == 0 && serviceFlag == 0)
        browser = findBrowserFor(completed, serviceFlag);

    if (serviceFlag != 0)
        openThroughService(completed, serviceAddress);
    else if (browser)
        openInBrowser(*browser, completed);
    else
        showNoBrowser();
    return 1;
}
