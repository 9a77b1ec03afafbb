// Web links on a product with its main window: the set-up's questions and
// dialogs answered by a script, the programs the links start recorded (or,
// once, really started), the online launcher as a stand-in library.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "foundation/JxCInStrStream.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "foundation/JxStringLoader.h"
#include "platform/clipboard/clipboard.h"
#include "platform/modules/module.h"
#include "platform/shell/shell.h"
#include "platform/tests/temp_config.h"
#include "platform/ui/common_dialogs.h"
#include "platform/ui/dialog.h"
#include "runtime/JxCProductDef.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/tests/product_fixture.h"
#include "title/JxFindBrowser.h"
#include "title/JxOnlineLinks.h"
#include "title/JxOnlineSettings.h"
#include "title/JxShortcutScan.h"
#include "title/JxTitleActions.h"

namespace {

using namespace plat;
using plat::testing::TempConfig;

constexpr int kYes = 6, kNo = 7;
const std::string kDesktopOpener = "C:\\windows\\xdg-open";
const std::string kUseOpener = "Use Xdg-open as the web browser?";

// The stand-in of the online launcher: what it answers and what reached it.
struct LauncherStandIn {
    std::int32_t installed = 1;  // 0: installed and registered
    std::int32_t installResult = 0;
    std::int32_t launchResult = 0;
    std::vector<std::string> installs;
    std::vector<std::pair<std::string, std::string>> launches;  // service address, address ("-" for null)
};
LauncherStandIn standIn;

std::int32_t standInIsInstalled() { return standIn.installed; }
std::int32_t standInInstall(const char* path)
{
    standIn.installs.push_back(path ? path : "-");
    return standIn.installResult;
}
std::int32_t standInLaunch(std::int32_t, std::int32_t, std::int32_t, std::int32_t, const char* service,
                           const char* address)
{
    standIn.launches.emplace_back(service ? service : "-", address ? address : "-");
    return standIn.launchResult;
}

struct Asked {
    std::string kind;
    int templateId = 0;
    std::string text;
};

class OnlineLinksTest : public product_test::ProductTest {
protected:
    void SetUp() override
    {
        const std::string shipped = std::string(KELBO_SOURCE_DIR) + "/resources/kelbo32.resources";
        std::filesystem::copy(shipped, config.program() + "/kelbo32.resources", std::filesystem::copy_options::recursive);
        TempConfig::writeFile(config.program() + "/kelbo32", "");
        TempConfig::writeFile(config.program() + "/kelbo32.ini", "[Directory]\r\nData=P:\\DISC\r\n");
        ResetResourceLibraries();
        ConnectStringLoader();
        ReadSettings();
        ResetOnlineSettings();
        ProductTest::SetUp();
        ResetClipboard();
        standIn = LauncherStandIn();
        SetProgramLauncher([this](const ProgramLaunch& launch) {
            launches.push_back(launch);
            return true;
        });
        SetResponder([this](const UiRequest& r) -> std::optional<int> {
            asked.push_back({r.kind, r.templateId, r.text});
            if (answers.empty())  // plain messages need no script
                return r.kind == "MessageBox" && (r.style & 0xF) == 0 ? std::optional<int>(IDOK) : std::nullopt;
            auto answer = answers.front();
            answers.pop_front();
            return answer(r);
        });
    }
    void TearDown() override
    {
        SetProgramLauncher({});
        RegisterBuiltinLibrary("LAUNCH32", {});
        ProductTest::TearDown();
        SetStringLoader({});
        ResetResourceLibraries();
        ResetStartupSettings();
        ResetOnlineSettings();
        ResetClipboard();
    }

    using Answer = std::function<std::optional<int>(const UiRequest&)>;
    void answer(int id)
    {
        answers.push_back([id](const UiRequest&) { return id; });
    }
    void answer(Answer a) { answers.push_back(std::move(a)); }
    // The open dialog answered with a file of the program folder.
    void pick(const std::string& name)
    {
        answer([name](const UiRequest& r) -> std::optional<int> {
            EXPECT_EQ(r.kind, "GetOpenFileName");
            SetDlgItemTextA(r.window, kFileNameEdit, ("P:\\" + name).c_str());
            return IDOK;
        });
    }
    void registerStandIn(bool withLaunch = true)
    {
        std::map<std::string, FARPROC> exports = {
            {"AOLIsInstalledAndRegistered", reinterpret_cast<FARPROC>(&standInIsInstalled)},
            {"AOLInstall", reinterpret_cast<FARPROC>(&standInInstall)}};
        if (withLaunch)
            exports["AOLLaunch"] = reinterpret_cast<FARPROC>(&standInLaunch);
        RegisterBuiltinLibrary("LAUNCH32", exports);
    }
    std::int16_t go(const char* address, const char* service = "")
    {
        JxCGoUrlAction action;
        action.Setup(address, nullptr, service);
        return action.Execute();
    }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> t;
        for (const Asked& a : asked)
            t.push_back(a.kind == "MessageBox" ? a.text
                        : a.kind == "Dialog"   ? "dialog " + std::to_string(a.templateId)
                                               : a.kind);
        return t;
    }
    std::string storedBrowser() const
    {
        char path[512] = {};
        return ReadBrowserPath(path, sizeof path) ? path : "(none)";
    }
    std::string iniText() const { return TempConfig::readFile(config.program() + "/kelbo32.ini"); }
    // An executable file in the program folder.
    std::string program(const std::string& name, const std::string& text = "#!/bin/sh\n") const
    {
        const std::string host = config.program() + "/" + name;
        TempConfig::writeFile(host, text);
        ::chmod(host.c_str(), 0755);
        return host;
    }

    TempConfig config;
    std::vector<ProgramLaunch> launches;
    std::deque<Answer> answers;
    std::vector<Asked> asked;
    const std::string noBrowser = "Web links cannot be opened:\nno web browser has been chosen.\n\n"
                                  "Choose a browser from the title's options to open them.";
    const std::string linkFailed = "The online service could not be started.";
    const std::string browserFailed = "The link could not be opened in the web browser.";
};

// --- The browser -----------------------------------------------------------

TEST_F(OnlineLinksTest, TheFirstLinkAsksOnceAndLaterLinksOpenWithoutAsking)
{
    answer(kYes);
    EXPECT_EQ(go("http://example.com/a"), 1);
    EXPECT_EQ(texts(), std::vector<std::string>{kUseOpener});
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].program, "xdg-open");
    EXPECT_TRUE(launches[0].searchPath);
    EXPECT_EQ(launches[0].arguments, std::vector<std::string>{"http://example.com/a"});
    EXPECT_EQ(storedBrowser(), kDesktopOpener);
    EXPECT_EQ(GetClipboardText(), "http://example.com/a");

    EXPECT_EQ(go("mailto:someone@example.com"), 1);
    EXPECT_EQ(asked.size(), 1u) << "no second question";
    ASSERT_EQ(launches.size(), 2u);
    EXPECT_EQ(launches[1].arguments, std::vector<std::string>{"mailto:someone@example.com"});
    EXPECT_EQ(GetClipboardText(), "mailto:someone@example.com");
}

TEST_F(OnlineLinksTest, AStoredBrowserWhoseFileIsGoneRunsTheSetUpAgain)
{
    ASSERT_TRUE(WriteBrowserPath("P:\\GONE"));
    answer(kYes);
    go("https://example.com/");
    EXPECT_EQ(texts(), std::vector<std::string>{kUseOpener});
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(storedBrowser(), kDesktopOpener);
}

TEST_F(OnlineLinksTest, CancellingTheNoBrowserDialogDeclinesUntilTheSetUpRunsAgain)
{
    answer(kNo);
    answer([](const UiRequest& r) -> std::optional<int> {
        // The notice in control 8203, the title as caption, centred on the
        // desktop.
        char text[256] = {};
        GetDlgItemTextA(r.window, kBrowserDialogTextId, text, sizeof text);
        EXPECT_STREQ(text, "No web browser was found.\n\nChoose OK to pick the browser's program yourself.");
        char caption[64] = {};
        GetWindowTextA(r.window, caption, sizeof caption);
        EXPECT_STREQ(caption, "Kelbo");
        RECT box, desktop;
        GetWindowRect(r.window, &box);
        GetWindowRect(GetDesktopWindow(), &desktop);
        EXPECT_EQ(box.left, (desktop.right - (box.right - box.left)) / 2);
        EXPECT_EQ(box.top, (desktop.bottom - (box.bottom - box.top)) / 2);
        return IDCANCEL;
    });
    go("http://example.com/");
    EXPECT_EQ(texts(), (std::vector<std::string>{kUseOpener, "dialog 8202", noBrowser}));
    EXPECT_EQ(ReadBrowserDeclined(), 1);
    EXPECT_TRUE(launches.empty());

    // Later links: the message at once, no search.
    asked.clear();
    go("http://example.com/b");
    EXPECT_EQ(texts(), std::vector<std::string>{noBrowser});
    EXPECT_TRUE(launches.empty());

    // The set-up clears the refusal.
    asked.clear();
    answer(kYes);
    EXPECT_EQ(JxCOnlineSetupAction().Execute(), 1);
    EXPECT_EQ(ReadBrowserDeclined(), 0);
    go("http://example.com/c");
    EXPECT_EQ(texts(), std::vector<std::string>{kUseOpener});
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].arguments, std::vector<std::string>{"http://example.com/c"});
}

TEST_F(OnlineLinksTest, APickerCancelledLeavesNoBrowserAndTheNextLinkAsksAgain)
{
    answer(kNo);
    answer(IDOK);
    answer(IDCANCEL);  // the open dialog
    go("http://example.com/");
    EXPECT_EQ(texts(), (std::vector<std::string>{kUseOpener, "dialog 8202", "GetOpenFileName", noBrowser}));
    EXPECT_EQ(ReadBrowserDeclined(), 0);
    EXPECT_EQ(storedBrowser(), "(none)");

    asked.clear();
    answer(kYes);
    go("http://example.com/");
    EXPECT_EQ(texts(), std::vector<std::string>{kUseOpener});
    EXPECT_EQ(launches.size(), 1u);
}

TEST_F(OnlineLinksTest, ThePickedProgramIsConfirmedAndAnythingButOkPicksAgainFromTheLastPick)
{
    const std::string browser = program("webview.bin");
    program("other");
    answer(kNo);
    answer(IDOK);
    pick("other");
    answer([](const UiRequest& r) -> std::optional<int> {
        EXPECT_EQ(r.templateId, kConfirmBrowserTemplateId);
        EXPECT_NE(r.text.find("Use Other as the web browser?"), std::string::npos) << r.text;
        return IDCANCEL;
    });
    answer([](const UiRequest& r) -> std::optional<int> {
        char name[260] = {};
        GetDlgItemTextA(r.window, kFileNameEdit, name, sizeof name);
        EXPECT_STREQ(name, "P:\\other") << "the open dialog starts from the last pick";
        SetDlgItemTextA(r.window, kFileNameEdit, "P:\\webview.bin");
        return IDOK;
    });
    answer(IDOK);
    go("http://example.com/");
    EXPECT_EQ(storedBrowser(), "P:\\webview.bin");
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].program, browser);
    EXPECT_FALSE(launches[0].searchPath);
    EXPECT_EQ(launches[0].arguments, std::vector<std::string>{"http://example.com/"});
}

TEST_F(OnlineLinksTest, OnlyWebAddressesAndExistingFilesReachTheBrowser)
{
    program("browser");
    ASSERT_TRUE(WriteBrowserPath("P:\\browser"));
    TempConfig::writeFile(config.program() + "/page.htm", "<p>");
    go("P:\\page.htm");
    go("-x");
    go(" --new-window");
    go("javascript:alert(1)");
    go("file:///etc/passwd");
    go("http://");
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].arguments, std::vector<std::string>{config.program() + "/page.htm"})
        << "a file is given as its host path";
    EXPECT_EQ(texts(), std::vector<std::string>(5, browserFailed));
}

TEST_F(OnlineLinksTest, ABrowserThatDoesNotStartIsToldAsTheBrowsersFailure)
{
    program("browser");
    ASSERT_TRUE(WriteBrowserPath("P:\\browser"));
    SetProgramLauncher([](const ProgramLaunch&) { return false; });
    go("https://example.com/");
    EXPECT_EQ(texts(), std::vector<std::string>{browserFailed});
}

TEST_F(OnlineLinksTest, AShortcutFileOpensTheAddressItHolds)
{
    ASSERT_TRUE(WriteBrowserPath("P:\\browser"));
    program("browser");
    TempConfig::writeFile(config.program() + "/link.url",
                          "[InternetShortcut]\r\nURL=http://first.example/\r\nurl=http://second.example/x y\r\n");
    TempConfig::writeFile(config.program() + "/bad.url", "[InternetShortcut]\r\nURL=-x\r\n");
    TempConfig::writeFile(config.program() + "/none.url", "[InternetShortcut]\r\n");
    go("P:\\LINK.URL");
    go("P:\\bad.url");
    go("P:\\none.url");
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].arguments, std::vector<std::string>{"http://second.example/x"});
    EXPECT_EQ(texts(), std::vector<std::string>{browserFailed});
}

TEST_F(OnlineLinksTest, AnAddressWithShellCharactersReachesARealProgramAsOneArgument)
{
    const std::string out = config.root() + "/args.txt";
    const std::string marker = config.root() + "/x";
    program("show-args", "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > '" + out + "'\n");
    ASSERT_TRUE(WriteBrowserPath("P:\\show-args"));
    SetProgramLauncher({});
    const std::string address = "http://example.com/a b; $(touch " + marker + ") `touch " + marker + "`";
    go(address.c_str());
    WaitForStartedPrograms();
    EXPECT_EQ(TempConfig::readFile(out), "1\n" + address + "\n");
    EXPECT_FALSE(std::filesystem::exists(marker));
    EXPECT_TRUE(asked.empty());
}

TEST_F(OnlineLinksTest, AnAddressUnderTheProductFolderIsCompleted)
{
    auto def = std::make_unique<JxCProductDef>();
    def->SetDataPath("P:\\TITLE");
    product().SetProductDef(std::move(def));
    EXPECT_EQ(CompleteLinkAddress("\\page.htm", nullptr).View(), "P:\\TITLE\\page.htm");
    EXPECT_EQ(CompleteLinkAddress("page.htm", nullptr).View(), "page.htm") << "without an owner: as written";
    ASSERT_TRUE(WriteBrowserPath("P:\\browser"));
    program("browser");
    go("\\page.htm");
    EXPECT_EQ(GetClipboardText(), "P:\\TITLE\\page.htm");
}

// A page with a folder of its own, and a panel that reads its contents
// from it.
class FolderPage : public JxCRunTimeObject {
public:
    JxCString GetDataPath() override { return "P:\\PAGES\\"; }
};
class FolderPanel : public JxCRunTimeObject {
public:
    JxCRunTimeObject* GetFolderPage() override { return &page; }
    FolderPage page;
};

TEST_F(OnlineLinksTest, AnOwnedLinkIsUnderItsPagesFolderUnlessItIsAWebAddress)
{
    FolderPanel panel;
    JxCRunTimeObject owner;
    owner.SetContainer(&panel);
    EXPECT_EQ(CompleteLinkAddress("page.htm", &owner).View(), "P:\\PAGES\\page.htm");
    EXPECT_EQ(CompleteLinkAddress("http://example.com/", &owner).View(), "http://example.com/");
    JxCRunTimeObject alone;
    EXPECT_EQ(CompleteLinkAddress("page.htm", &alone).View(), "page.htm") << "no container, no folder";
}

// --- The stored values ---------------------------------------------------------

TEST_F(OnlineLinksTest, TheSettingsLiveInTheRegistryButTheServiceFlagInTheSettingsFile)
{
    ASSERT_NE(GetProductPlatformId(), 0u);
    ASSERT_TRUE(WriteBrowserPath("P:\\browser"));
    ASSERT_TRUE(WriteBrowserDeclined(7));
    ASSERT_TRUE(SetOnlineServiceFlag());
    EXPECT_EQ(storedBrowser(), "P:\\browser");
    EXPECT_EQ(ReadBrowserDeclined(), 7);
    EXPECT_EQ(ReadOnlineServiceFlag(), 1);
    EXPECT_NE(iniText().find("[Online]\r\nOnlineService=1"), std::string::npos) << iniText();
    EXPECT_EQ(iniText().find("BrowserPath"), std::string::npos);
    const std::string hive = TempConfig::readFile(config.config() + "/registry/HKEY_LOCAL_MACHINE.reg");
    EXPECT_NE(hive.find("Jx Multimedia"), std::string::npos) << hive;

    ASSERT_TRUE(WriteBrowserPath(nullptr));
    ASSERT_TRUE(DeleteOnlineServiceFlag());
    EXPECT_EQ(storedBrowser(), "(none)");
    EXPECT_EQ(ReadOnlineServiceFlag(), 0);
}

TEST_F(OnlineLinksTest, WithoutTheSettingsTextsNothingHappens)
{
    SetStringLoader([](unsigned id, std::string& text) {
        if (id == kBrowserDeclinedKeyId)
            return false;
        text = "x";
        return true;
    });
    ResetOnlineSettings();
    EXPECT_EQ(go("http://example.com/"), 0);
    EXPECT_EQ(FindBrowser(nullptr), 0);
    EXPECT_EQ(JxCOnlineSetupAction().Execute(), 1);
    EXPECT_TRUE(asked.empty());
    EXPECT_FALSE(GetClipboardText());
}

// --- The online service ------------------------------------------------------

TEST_F(OnlineLinksTest, YesToTheServiceOpensTheSameLinkThroughIt)
{
    registerStandIn();
    standIn.installed = 0;
    TempConfig::writeFile(config.program() + "/link.url", "URL=http://a.example/\nurl=http://b.example/;x\n");
    answer(kYes);
    EXPECT_EQ(go("P:\\link.url"), 1);
    EXPECT_EQ(texts(), std::vector<std::string>{"Do you want to use the online service for web links?"});
    EXPECT_EQ(standIn.launches, (std::vector<std::pair<std::string, std::string>>{{"-", "http://b.example/"}}));
    EXPECT_TRUE(launches.empty());
    EXPECT_EQ(ReadOnlineServiceFlag(), 1);

    // Later links: the service at once; its own address keeps the file shut.
    EXPECT_EQ(go("P:\\missing.url", "aol://1234"), 1);
    EXPECT_EQ(standIn.launches.back(), (std::pair<std::string, std::string>{"aol://1234", "-"}));
    // A shortcut without an address launches nothing and shows nothing.
    TempConfig::writeFile(config.program() + "/none.url", "[InternetShortcut]\n");
    go("P:\\none.url");
    go("P:\\missing.url");
    EXPECT_EQ(standIn.launches.size(), 2u);
    // A failed launch is reported.
    standIn.launchResult = 5;
    go("P:\\link.url");
    EXPECT_EQ(asked.back().text, linkFailed);
}

TEST_F(OnlineLinksTest, TheServiceIsInstalledFromTheDisc)
{
    registerStandIn();
    TempConfig::writeFile(config.program() + "/DISC/ONLINE/SETUP.EXE", "");
    answer(kYes);
    EXPECT_EQ(FindBrowser(nullptr), 1);
    EXPECT_EQ(texts(), (std::vector<std::string>{"The online service is not installed. Do you want to install it now?",
                                                 "The online service has been installed."}));
    EXPECT_EQ(standIn.installs, std::vector<std::string>{"P:\\DISC\\ONLINE\\SETUP.EXE"})
        << "not in the current folder: on the data path";
    EXPECT_EQ(ReadOnlineServiceFlag(), 1);
    EXPECT_EQ(storedBrowser(), "(none)");

    // A failed installation goes on to the browser, with the flag cleared.
    standIn.installResult = 3;
    asked.clear();
    answer(kYes);
    answer(IDOK);
    answer(kYes);
    EXPECT_EQ(FindBrowser(nullptr), 1);
    EXPECT_EQ(texts().back(), kUseOpener);
    EXPECT_EQ(ReadOnlineServiceFlag(), 0);
    EXPECT_EQ(storedBrowser(), kDesktopOpener);
}

TEST_F(OnlineLinksTest, WithoutTheLauncherLibraryNothingIsLaunchedOrInstalled)
{
    ASSERT_TRUE(SetOnlineServiceFlag());
    EXPECT_EQ(go("http://example.com/"), 1) << "the service chosen, but not there";
    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(launches.empty());

    TempConfig::writeFile(config.program() + "/DISC/ONLINE/SETUP.EXE", "");
    answer(kYes);
    answer(kYes);
    EXPECT_EQ(FindBrowser(nullptr), 1);
    EXPECT_EQ(texts(), (std::vector<std::string>{"The online service is not installed. Do you want to install it now?",
                                                 kUseOpener}));
    EXPECT_EQ(ReadOnlineServiceFlag(), 0);
}

// --- Posting ---------------------------------------------------------------------

TEST_F(OnlineLinksTest, PostingQueuesACopyAndAnEmptyAddressPostsNothing)
{
    JxCGoUrlAction empty;
    EXPECT_EQ(empty.Post(), 0);
    EXPECT_EQ(product().GetActionProcessor()->CountPendingActions(), 0);

    JxCGoUrlAction link;
    link.Setup("http://example.com/", nullptr, "");
    EXPECT_EQ(link.Post(), 1);
    EXPECT_EQ(JxCOnlineSetupAction().Post(), 1);
    EXPECT_EQ(product().GetActionProcessor()->CountPendingActions(), 2);
    EXPECT_TRUE(product().GetActionProcessor()->IsPassScheduled());
    EXPECT_TRUE(asked.empty() && launches.empty()) << "nothing runs inside the post";

    // The pass runs the link, then the set-up.
    program("browser");
    ASSERT_TRUE(WriteBrowserPath("P:\\browser"));
    answer(kYes);
    harness.runUntilIdle();
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].arguments, std::vector<std::string>{"http://example.com/"});
    EXPECT_EQ(texts(), std::vector<std::string>{kUseOpener});
    EXPECT_EQ(product().GetActionProcessor()->CountPendingActions(), 0);
}

TEST(GoUrlRecordTest, TwoCountedStringsAndCopiesKeepTheirAddresses)
{
    const char record[] = "\0\x13http://example.com/\0\x03" "aol" "\xff\xff";
    JxCInStrStream in(JxMemoryBlock{record, sizeof record - 1});
    JxCGoUrlAction action;
    JxCRunTimeObject ownerObject;
    JxCRunTimeObject* owner = &ownerObject;
    EXPECT_EQ(action.GetType(), ActionTypeId(JxActionKeyword::GO_URL));
    EXPECT_EQ(action.Read(in, owner), 1);
    EXPECT_EQ(action.GetAddress().View(), "http://example.com/");
    EXPECT_EQ(action.GetServiceAddress().View(), "aol");
    EXPECT_EQ(action.GetOwner(), owner);

    JxCGoUrlAction assigned;
    assigned = action;
    JxCGoUrlAction& same = assigned;
    assigned = same;
    EXPECT_EQ(assigned.GetAddress().View(), "http://example.com/");
    EXPECT_EQ(assigned.GetOwner(), nullptr) << "assignment takes the addresses only";
    const JxCGoUrlAction copy(action);
    EXPECT_EQ(copy.GetServiceAddress().View(), "aol");
    EXPECT_EQ(copy.GetOwner(), owner);
    EXPECT_EQ(JxCOnlineSetupAction().GetType(), ActionTypeId(JxActionKeyword::onlineSetup));
}

// --- The shortcut scan -------------------------------------------------------------

std::optional<std::string> scan(const std::string& text)
{
    std::size_t at = 0;
    return ScanShortcutText([&] { return at < text.size() ? int(static_cast<unsigned char>(text[at++])) : -1; });
}

TEST(ShortcutScanTest, TheLastMatchCountsAndAValueEndsAtItsTerminators)
{
    EXPECT_EQ(scan("[InternetShortcut]\r\nURL=http://a/\r\nURL=http://b/\r\n"), "http://b/");
    EXPECT_EQ(scan("url=http://a/"), "http://a/");
    EXPECT_EQ(scan("UrL=x y"), "x");
    EXPECT_EQ(scan("URL=x\"y"), "x");
    EXPECT_EQ(scan("URL=x;y"), "x");
    EXPECT_EQ(scan("URL=x\ny"), "x");
    EXPECT_EQ(scan("URL=http://a/\nURL=\n"), "") << "an empty last value still counts";
    EXPECT_EQ(scan("UURL=a"), "a") << "the breaking character begins a new match";
    EXPECT_EQ(scan("URURL=a"), "a");
    EXPECT_EQ(scan("URL=a URL=b"), "b");
    EXPECT_EQ(scan("URL = a"), std::nullopt);
    EXPECT_EQ(scan(""), std::nullopt);
    EXPECT_EQ(scan("no address here"), std::nullopt);
}

TEST(ShortcutScanTest, AValueIsCutAt400AndItsLastCharacterCanBeginTheNextMatch)
{
    const std::string long1(450, 'a');
    EXPECT_EQ(scan("URL=" + long1), std::string(400, 'a'));
    const std::string upTo(399, 'a');
    EXPECT_EQ(scan("URL=" + upTo + "URL=b"), "b");
    EXPECT_EQ(scan("URL=" + std::string(400, 'a') + "\nURL=c"), "c");
}

TEST_F(OnlineLinksTest, AFileThatCannotBeOpenedYieldsNoAddress)
{
    EXPECT_EQ(ScanShortcutFile("P:\\missing.url"), std::nullopt);
    EXPECT_EQ(ScanShortcutFile("P:\\"), std::nullopt);
    EXPECT_EQ(ScanShortcutFile(nullptr), std::nullopt);
    TempConfig::writeFile(config.program() + "/a.url", "URL=http://x/");
    EXPECT_EQ(ScanShortcutFile("P:\\A.URL"), "http://x/");
}

TEST(ProgramNameTest, TheFileTitleWithoutItsExtensionAndAnUpperCaseFirstLetter)
{
    std::string name;
    ASSERT_TRUE(MakeProgramName("C:\\WINDOWS\\xdg-open", name));
    EXPECT_EQ(name, "Xdg-open");
    ASSERT_TRUE(MakeProgramName("C:\\Programs\\net.scape.exe", name));
    EXPECT_EQ(name, "Net.scape");
    EXPECT_FALSE(MakeProgramName("C:\\Programs\\", name));
}

}  // namespace
