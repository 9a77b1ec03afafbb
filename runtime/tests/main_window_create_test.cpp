// The main window's creation on displays of different colour depths: the
// report of a display with too few colours, the 256-colour warning that
// is shown until its box is ticked, and the palette prepared for the window.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/JxCString.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "foundation/JxStringLoader.h"
#include "platform/backend/harness.h"
#include "platform/config/profile.h"
#include "platform/draw/palette.h"
#include "platform/modules/module.h"
#include "platform/tests/temp_config.h"
#include "platform/ui/dialog.h"
#include "platform/ui/responder.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCKeyParams.h"
#include "runtime/JxCWindowClass.h"
#include "runtime/JxDontTellAgainDialog.h"
#include "runtime/JxMainWindow.h"
#include "runtime/JxMainWindowProc.h"

namespace {

using namespace plat;

class MainWindowCreateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetMainWindowState();
        // The program's own texts and dialogs as shipped, the INI file in a
        // folder of this test's own.
        SetProgramFileHost(std::string(KELBO_SOURCE_DIR) + "/resources/kelbo32");
        ResetResourceLibraries();
        ConnectStringLoader();
        SetProgramStarted();
        SetResponder([this](const UiRequest& r) -> std::optional<int> {
            requests.push_back(r);
            if (r.kind != "Dialog")
                return IDOK;
            return answer ? answer(r) : std::optional<int>();
        });
        ASSERT_TRUE(RegisterWindowClasses(JxCStartupInfo{}));
    }
    void TearDown() override
    {
        DeleteProductPalettes();
        SetStringLoader({});
        SetResponder(nullptr);
        ResetErrorReporting();
        ResetResourceLibraries();
    }

    // A new main window on a display of that depth; it is closed again.
    void openOn(int bitsPerPixel)
    {
        ResetMainWindowState();
        harness.changeDisplay(800, 600, bitsPerPixel);
        HWND window = CreateMainWindow("Kelbo", 400, 300);
        ASSERT_NE(window, nullptr);
        DestroyWindow(window);
    }
    static std::string setting()
    {
        JxCString path;
        GetProductIniPath(path);
        char value[16] = {};
        GetPrivateProfileStringA("video", "nocolourwarning", "none", value, sizeof value, path.GetText());
        return value;
    }
    static void writeSetting(const char* value)
    {
        JxCString path;
        GetProductIniPath(path);
        WritePrivateProfileStringA("video", "nocolourwarning", value, path.GetText());
    }
    std::vector<UiRequest> dialogs() const
    {
        std::vector<UiRequest> d;
        for (const UiRequest& r : requests)
            if (r.kind == "Dialog")
                d.push_back(r);
        return d;
    }

    plat::testing::TempConfig config;
    Harness harness;
    std::vector<UiRequest> requests;
    std::function<std::optional<int>(const UiRequest&)> answer;
};

TEST_F(MainWindowCreateTest, ADisplayOf16ColoursIsReportedWithoutTheWarning)
{
    openOn(4);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].kind, "MessageBox");
    EXPECT_NE(requests[0].text.find("[1166]"), std::string::npos) << requests[0].text;
    EXPECT_EQ(setting(), "none");
}

TEST_F(MainWindowCreateTest, The256ColourWarningComesBackUntilItsBoxIsTicked)
{
    answer = [](const UiRequest&) { return IDOK; };
    openOn(8);
    ASSERT_EQ(dialogs().size(), 1u);
    const UiRequest shown = dialogs()[0];
    EXPECT_EQ(shown.templateId, int(kDontTellAgainDialogId));
    EXPECT_EQ(shown.caption, "Kelbo");
    EXPECT_NE(shown.text.find("set to display 256 colors"), std::string::npos) << shown.text;
    EXPECT_NE(shown.text.find("Don't tell me this again."), std::string::npos) << shown.text;
    EXPECT_EQ(setting(), "0");

    // Ticked this time.
    answer = [](const UiRequest& r) {
        CheckDlgButton(r.window, kDontTellAgainCheckId, BST_CHECKED);
        return IDOK;
    };
    openOn(8);
    EXPECT_EQ(dialogs().size(), 2u);
    EXPECT_EQ(setting(), "1");

    // Never again.
    answer = nullptr;
    openOn(8);
    EXPECT_EQ(dialogs().size(), 2u);
    EXPECT_TRUE(requests.size() == 2u);
}

TEST_F(MainWindowCreateTest, ClosingTheWarningWithItsCloseBoxKeepsTheBoxLikeOk)
{
    answer = [](const UiRequest& r) {
        CheckDlgButton(r.window, kDontTellAgainCheckId, BST_CHECKED);
        SendMessageA(r.window, WM_CLOSE, 0, 0);
        return kAnswerByInput;
    };
    openOn(8);
    EXPECT_EQ(dialogs().size(), 1u);
    EXPECT_EQ(setting(), "1");
}

TEST_F(MainWindowCreateTest, AnyNonZeroSettingAndAnyTrueColourDisplayShowNothing)
{
    writeSetting("7");
    openOn(8);
    openOn(16);
    openOn(32);
    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(setting(), "7");
}

TEST_F(MainWindowCreateTest, TheProductPaletteIsPreparedForTheWindow)
{
    LOGPALETTE lp;
    lp.palNumEntries = 256;
    for (int i = 0; i < 256; ++i)
        lp.palPalEntry[i] = PALETTEENTRY{BYTE(i), BYTE(255 - i), BYTE(i / 2), BYTE(i % 7)};
    SetProductPalette(CreatePalette(&lp), 1);
    answer = [](const UiRequest&) { return IDOK; };
    openOn(8);
    PALETTEENTRY entries[256];
    ASSERT_EQ(GetPaletteEntries(GetProductPalette(), 0, 256, entries), 256u);
    for (int i = 10; i < 246; ++i) {
        EXPECT_EQ(entries[i].peFlags, PC_NOCOLLAPSE) << i;
        EXPECT_EQ(entries[i].peRed, BYTE(i)) << i;
    }
}

TEST_F(MainWindowCreateTest, TheSystemMenusAboutItemOpensTheAboutBox)
{
    answer = [](const UiRequest& r) { return r.templateId == int(kAboutDialogId) ? std::optional<int>(IDOK) : std::nullopt; };
    HWND window = CreateMainWindow("Kelbo", 400, 300);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(SendMessageA(window, WM_SYSCOMMAND, 1904, 0), 1);
    ASSERT_EQ(dialogs().size(), 1u);
    EXPECT_EQ(dialogs()[0].templateId, int(kAboutDialogId));
    DestroyWindow(window);
}

TEST_F(MainWindowCreateTest, LowMemoryIsReportedAtMostOnceIn30Seconds)
{
    HWND window = CreateMainWindow("Kelbo", 400, 300);
    ASSERT_NE(window, nullptr);
    SendMessageA(window, WM_COMPACTING, 0, 0);
    harness.advance(30000);
    SendMessageA(window, WM_COMPACTING, 0, 0);
    EXPECT_EQ(requests.size(), 1u);
    harness.advance(1);
    SendMessageA(window, WM_COMPACTING, 0, 0);
    EXPECT_EQ(requests.size(), 2u);
    DestroyWindow(window);
}

TEST(KeyParams, KeyPressesAreToldFromCharacters)
{
    EXPECT_EQ(JxCKeyParams(WM_CHAR, 'a', 1).IsKeyDown(), 0);
    for (UINT message : {WM_KEYDOWN, WM_SYSKEYDOWN, UINT(JxCKeyParams::kCompositeCharMessage)})
        EXPECT_EQ(JxCKeyParams(message, 'a', 1).IsKeyDown(), 1) << message;
    const JxCKeyParams key(WM_KEYDOWN, 0x41, 0x001E0001);
    EXPECT_EQ(key.GetKeyCode(), 0x41);
    EXPECT_EQ(key.GetLParam(), 0x001E0001);
    EXPECT_EQ(key.GetFunctionKey(), 0);
    EXPECT_EQ(JxCKeyParams().GetMessage(), 0u);
}

TEST(KeyParams, WithoutTheInputMethodLibraryTheKoreanRequestChangesNothing)
{
    Harness harness;
    SendImeControl(nullptr);
    EXPECT_EQ(GetModuleHandleA("WINNLS.DLL"), nullptr);
}

}  // namespace
