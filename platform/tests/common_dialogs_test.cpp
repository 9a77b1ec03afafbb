// The open, save, folder and print set-up dialogs, driven by scripted
// answers over a drive table of the test's own.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/backend/harness.h"
#include "platform/fs/paths.h"
#include "platform/tests/temp_config.h"
#include "platform/ui/common_dialogs.h"
#include "platform/ui/message_box.h"
#include "platform/ui/responder.h"

namespace plat {
namespace {

std::vector<std::string> items(HWND list)
{
    std::vector<std::string> out;
    int n = int(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char buf[260] = {};
        SendMessageA(list, LB_GETTEXT, WPARAM(i), LPARAM(buf));
        out.push_back(buf);
    }
    return out;
}

class CommonDialogTest : public ::testing::Test {
protected:
    testing::TempConfig config;
    Harness harness;
    std::vector<std::string> kinds;

    void SetUp() override
    {
        config.writeDriveTable("[Drive D]\nPath=" + config.root() + "/disc\nType=cdrom\nLabel=KELBO\n\n"
                               "[Drive E]\nPath=" + config.root() + "/hd\nType=fixed\nLabel=WORK\n");
        for (const char* f : {"disc/DATA/PAGE1.BMP", "disc/DATA/page2.bmp", "disc/DATA/TITLE.PAL",
                              "disc/DATA/MOVIES/INTRO.MOV", "hd/JX/README.TXT"})
            testing::TempConfig::writeFile(config.root() + "/" + f, "x");
        ASSERT_TRUE(SetCurrentDirectoryA("D:\\DATA"));
    }

    // Each offer goes to the script with its round number.
    void script(std::function<std::optional<int>(const UiRequest&, int)> f)
    {
        auto round = std::make_shared<int>(0);
        SetResponder([f, round, this](const UiRequest& r) {
            kinds.push_back(r.kind);
            return f(r, (*round)++);
        });
    }
};

TEST_F(CommonDialogTest, OpenListsTheFilterAndReturnsThePathItsTitleAndOffsets)
{
    char file[512] = "";
    char title[512] = "";
    OPENFILENAMEA ofn;
    ofn.lpstrFilter = "Bitmaps (*.bmp)\0*.bmp\0Palettes\0*.pal\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = sizeof title;
    ofn.lpstrTitle = "Could not find file";
    ofn.Flags = OFN_HIDEREADONLY;
    script([&](const UiRequest& r, int) -> std::optional<int> {
        EXPECT_EQ(r.kind, "GetOpenFileName");
        EXPECT_EQ(r.caption, "Could not find file");
        EXPECT_EQ(items(GetDlgItem(r.window, kFileList)), (std::vector<std::string>{"PAGE1.BMP", "page2.bmp"}));
        EXPECT_EQ(items(GetDlgItem(r.window, kFolderList)), (std::vector<std::string>{"..", "MOVIES"}));
        SetDlgItemTextA(r.window, kFileNameEdit, "page2.bmp");
        return IDOK;
    });
    ASSERT_TRUE(GetOpenFileNameA(&ofn));
    EXPECT_STREQ(file, "D:\\DATA\\page2.bmp");
    EXPECT_STREQ(title, "page2.bmp");
    EXPECT_EQ(ofn.nFileOffset, 8);
    EXPECT_EQ(ofn.nFileExtension, 14);
    EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(CommonDialogTest, TypedPatternsFilterTypedFoldersAreEnteredAndTheTypeComboSwitches)
{
    char file[512] = "*.exe";
    OPENFILENAMEA ofn;
    ofn.lpstrFilter = "Bitmaps\0*.bmp\0Palettes\0*.pal\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    script([&](const UiRequest& r, int round) -> std::optional<int> {
        HWND d = r.window;
        switch (round) {
        case 0:
            // The first name is a pattern: it filters.
            EXPECT_TRUE(items(GetDlgItem(d, kFileList)).empty());
            SetDlgItemTextA(d, kFileNameEdit, "MOVIES");
            return IDOK;
        case 1:
            EXPECT_EQ(items(GetDlgItem(d, kFileList)), std::vector<std::string>{});
            SetDlgItemTextA(d, kFileNameEdit, "*.MOV");
            return IDOK;
        case 2:
            EXPECT_EQ(items(GetDlgItem(d, kFileList)), std::vector<std::string>{"INTRO.MOV"});
            SetDlgItemTextA(d, kFileNameEdit, "..");
            return IDOK;
        case 3:
            SendDlgItemMessageA(d, kFileTypeCombo, CB_SETCURSEL, 1, 0);
            SendMessageA(d, WM_COMMAND, WPARAM(MAKELPARAM(kFileTypeCombo, CBN_SELCHANGE)), LPARAM(GetDlgItem(d, kFileTypeCombo)));
            EXPECT_EQ(items(GetDlgItem(d, kFileList)), std::vector<std::string>{"TITLE.PAL"});
            SetDlgItemTextA(d, kFileNameEdit, "TITLE.PAL");
            return IDOK;
        default:
            return IDCANCEL;
        }
    });
    ASSERT_TRUE(GetOpenFileNameA(&ofn));
    EXPECT_STREQ(file, "D:\\DATA\\TITLE.PAL");
    EXPECT_EQ(ofn.nFilterIndex, 2u);
}

TEST_F(CommonDialogTest, AFileThatMustExistIsAskedForAgainAndCancelLeavesTheNameAlone)
{
    char file[512] = "MISSING.BMP";
    OPENFILENAMEA ofn;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.Flags = OFN_FILEMUSTEXIST;
    script([&](const UiRequest& r, int round) -> std::optional<int> {
        if (round == 0)
            return IDOK;  // the missing name as it stands
        if (round == 1) {
            EXPECT_EQ(r.kind, "MessageBox");
            EXPECT_NE(r.text.find("D:\\DATA\\MISSING.BMP"), std::string::npos) << r.text;
            return IDOK;
        }
        EXPECT_EQ(r.kind, "GetOpenFileName");
        return IDCANCEL;
    });
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_STREQ(file, "MISSING.BMP");
}

TEST_F(CommonDialogTest, SaveAddsTheDefaultExtensionAndAsksBeforeReplacing)
{
    char file[512] = "";
    OPENFILENAMEA ofn;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrDefExt = "bmp";
    ofn.lpstrInitialDir = "D:\\DATA";
    ofn.Flags = 0x880E;
    script([&](const UiRequest& r, int round) -> std::optional<int> {
        switch (round) {
        case 0:
            EXPECT_EQ(r.kind, "GetSaveFileName");
            EXPECT_EQ(r.caption, "Save As");
            SetDlgItemTextA(r.window, kFileNameEdit, "PAGE1");
            return IDOK;
        case 1:
            EXPECT_EQ(r.kind, "MessageBox");
            EXPECT_EQ(r.style & MB_TYPEMASK, MB_YESNO);
            return IDNO;  // keep the old one: the dialog stays
        case 2:
            EXPECT_EQ(r.kind, "GetSaveFileName");
            SetDlgItemTextA(r.window, kFileNameEdit, "E:\\JX\\COPY");
            return IDOK;
        default:
            return IDCANCEL;
        }
    });
    ASSERT_TRUE(GetSaveFileNameA(&ofn));
    EXPECT_STREQ(file, "E:\\JX\\COPY.bmp");
    char cwd[260];
    GetCurrentDirectoryA(sizeof cwd, cwd);
    EXPECT_STREQ(cwd, "D:\\DATA") << "OFN_NOCHANGEDIR keeps the current folder";
}

TEST_F(CommonDialogTest, AResultLongerThanTheBufferIsAFailureNotACutPath)
{
    char file[8] = "";
    OPENFILENAMEA ofn;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    script([&](const UiRequest& r, int) -> std::optional<int> {
        SetDlgItemTextA(r.window, kFileNameEdit, "PAGE1.BMP");
        return IDOK;
    });
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
    EXPECT_STREQ(file, "");
}

TEST_F(CommonDialogTest, TheFolderDialogEntersFoldersAndAcceptsANewOne)
{
    std::string chosen;
    script([&](const UiRequest& r, int round) -> std::optional<int> {
        EXPECT_EQ(r.kind, "BrowseForFolder");
        if (round == 0) {
            EXPECT_EQ(WindowText(GetDlgItem(r.window, IDCANCEL)), "Abort");
            char buf[260];
            GetDlgItemTextA(r.window, kFileNameEdit, buf, sizeof buf);
            EXPECT_STREQ(buf, "E:\\JX") << "a start that does not exist opens at its parent";
            SetDlgItemTextA(r.window, kFileNameEdit, "E:\\");
            return IDOK;
        }
        if (round == 1) {
            EXPECT_EQ(items(GetDlgItem(r.window, kFolderList)), std::vector<std::string>{"JX"});
            SetDlgItemTextA(r.window, kFileNameEdit, "E:\\JX\\KELBO");
            return IDOK;
        }
        return IDCANCEL;
    });
    ASSERT_TRUE(BrowseForFolder(nullptr, "Choose a folder", "Abort", "E:\\JX\\KELBO", &chosen));
    EXPECT_EQ(chosen, "E:\\JX\\KELBO");

    script([&](const UiRequest&, int) -> std::optional<int> { return IDCANCEL; });
    chosen = "unchanged";
    EXPECT_FALSE(BrowseForFolder(nullptr, "Choose a folder", nullptr, "", &chosen));
    EXPECT_EQ(chosen, "unchanged");
}

TEST_F(CommonDialogTest, PrintSetupKeepsTheChoiceAndTheDefaultNeedsAPrinter)
{
    PRINTDLGA pd;
    pd.Flags = PD_PRINTSETUP;
    script([&](const UiRequest& r, int) -> std::optional<int> {
        EXPECT_EQ(r.kind, "PrintDlg");
        SendDlgItemMessageA(r.window, 1057, BM_CLICK, 0, 0);
        return IDOK;
    });
    ASSERT_TRUE(PrintDlgA(&pd));
    ASSERT_TRUE(pd.hDevMode);
    EXPECT_EQ(pd.hDevMode->dmOrientation, DMORIENT_LANDSCAPE);
    ASSERT_TRUE(pd.hDevNames);

    // A maker that makes no printer: no device context.
    SetPrinterFactory([](const DEVNAMES&, const DEVMODEA&) { return HDC(nullptr); });
    PRINTDLGA def;
    def.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    EXPECT_FALSE(PrintDlgA(&def));
    EXPECT_EQ(CommDlgExtendedError(), PDERR_PRINTERNOTFOUND);

    DEVMODEA seenMode;
    SetPrinterFactory([&](const DEVNAMES&, const DEVMODEA& m) {
        seenMode = m;
        return reinterpret_cast<HDC>(std::uintptr_t(0x1234));
    });
    pd.Flags = PD_RETURNDC | PD_RETURNDEFAULT;
    EXPECT_TRUE(PrintDlgA(&pd));
    EXPECT_EQ(pd.hDC, reinterpret_cast<HDC>(std::uintptr_t(0x1234)));
    EXPECT_EQ(seenMode.dmOrientation, DMORIENT_LANDSCAPE) << "the printer chosen in the set-up stays";
    SetPrinterFactory(nullptr);

    script([&](const UiRequest&, int) -> std::optional<int> { return IDCANCEL; });
    PRINTDLGA cancelled;
    cancelled.Flags = PD_PRINTSETUP;
    EXPECT_FALSE(PrintDlgA(&cancelled));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_FALSE(cancelled.hDevMode);
}

}  // namespace
}  // namespace plat

namespace plat {
namespace {

TEST_F(CommonDialogTest, AListBoxListsDrivesFoldersAndFilesAsTheDataLocationDialogAsks)
{
    RegisterControlClasses();
    HWND list = CreateWindowExA(0, "ListBox", "", WS_POPUP | LBS_SORT, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(list, nullptr);
    SendMessageA(list, LB_DIR, DDL_DRIVES | DDL_EXCLUSIVE, LPARAM("*"));
    // C: (the Windows folder) and P: (the program) are always there.
    EXPECT_EQ(items(list), (std::vector<std::string>{"[-c-]", "[-d-]", "[-e-]", "[-p-]"}));
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    SendMessageA(list, LB_DIR, DDL_DIRECTORY | DDL_EXCLUSIVE, LPARAM("D:\\DATA\\*.*"));
    std::vector<std::string> folders = items(list);
    EXPECT_NE(std::find(folders.begin(), folders.end(), "[MOVIES]"), folders.end());
    for (const std::string& f : folders)
        EXPECT_EQ(f.front(), '[') << "only folders: " << f;
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    SendMessageA(list, LB_DIR, DDL_READWRITE, LPARAM("D:\\DATA\\*.bmp"));
    EXPECT_EQ(items(list), (std::vector<std::string>{"PAGE1.BMP", "page2.bmp"}));
    DestroyWindow(list);
}

}  // namespace
}  // namespace plat
