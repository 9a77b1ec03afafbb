// The locate prompt, the path helpers, the save dialog and the
// data-location dialog, answered by scripts over a drive table of the
// test's own and the program's shipped dialog templates.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "foundation/JxDataLocationDialog.h"
#include "foundation/JxFileDialogs.h"
#include "foundation/tests/reporting_fixture.h"
#include "platform/fs/paths.h"
#include "platform/ui/common_dialogs.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"

namespace {

using plat::testing::TempConfig;

std::string pathPart(void (*split)(const char*, JxCString&), const char* path)
{
    JxCString out("unchanged");
    split(path, out);
    return std::string(out.View());
}

TEST(PathPartsTest, SplitLikeTheCLibrary)
{
    EXPECT_EQ(pathPart(GetPathFolder, "D:\\DATA\\PAGE1.BMP"), "D:\\DATA\\");
    EXPECT_EQ(pathPart(GetPathFileName, "D:\\DATA\\PAGE1.BMP"), "PAGE1.BMP");
    EXPECT_EQ(pathPart(GetPathExtension, "D:\\DATA\\PAGE1.BMP"), ".BMP");
    EXPECT_EQ(pathPart(GetPathFolder, "D:PAGE1.BMP"), "D:");
    EXPECT_EQ(pathPart(GetPathFolder, "PAGE1"), "");
    EXPECT_EQ(pathPart(GetPathExtension, "PAGE1"), "");
    EXPECT_EQ(pathPart(GetPathExtension, "D:\\V1.0\\README"), "");  // a dot of a folder is no extension
    EXPECT_EQ(pathPart(GetPathFileName, "D:\\V1.0\\READ.ME.TXT"), "READ.ME.TXT");
    EXPECT_EQ(pathPart(GetPathExtension, "D:\\V1.0\\READ.ME.TXT"), ".TXT");
    EXPECT_EQ(pathPart(GetPathFolder, nullptr), "");
}

class FileDialogsTest : public ReportingTest {
protected:
    void SetUp() override
    {
        ReportingTest::SetUp();
        programStrings("1\tkelbo32.ini\n4\tKelbo\n");
        const std::string shipped = std::string(KELBO_SOURCE_DIR) + "/resources/kelbo32.resources";
        for (const char* folder : {"dialog", "bitmap"})
            std::filesystem::copy(shipped + "/" + folder, config.program() + "/kelbo32.resources/" + folder,
                                  std::filesystem::copy_options::recursive);
        config.writeDriveTable("[Drive D]\nPath=" + config.root() + "/disc\nType=cdrom\nLabel=KELBO\n\n"
                               "[Drive E]\nPath=" + config.root() + "/net\nType=remote\nNetwork=\\\\SERVER\\Titles\n\n"
                               "[Drive F]\nPath=" + config.root() + "/fixed\nType=fixed\nLabel=OTHER\n\n"
                               "[Drive G]\nPath=" + config.root() + "/nodisc\nType=cdrom\n");
        for (const char* f : {"disc/TITLE/DATA/PAGE1.BMP", "disc/TITLE/README.TXT", "net/DATA/X.DAT", "fixed/A.TXT"})
            TempConfig::writeFile(config.root() + "/" + f, "x");
        hostWrite("kelbo32.ini", "[Directory]\nData=" + programFolder() + "OLD\n");
        ReadSettings();
        ASSERT_TRUE(plat::SetCurrentDirectoryA(programFolder().c_str()));
        startDrive = plat::_getdrive();
    }
    void hostWrite(const std::string& name, const std::string& text) const
    {
        TempConfig::writeFile(config.program() + "/" + name, text);
    }
    static std::string dataPath() { return std::string(GetDataPathString().View()); }
    std::string iniText() const { return hostFile("kelbo32.ini"); }
    static std::string currentFolder()
    {
        char buffer[260] = {};
        plat::GetCurrentDirectoryA(sizeof buffer, buffer);
        return buffer;
    }

    // The dialogs, answered by a script that sees every offer in turn.
    void script(std::function<std::optional<int>(const plat::UiRequest&, int)> f)
    {
        auto round = std::make_shared<int>(0);
        plat::SetResponder([f, round, this](const plat::UiRequest& r) {
            boxes.push_back(r);
            return f(r, (*round)++);
        });
    }

    static std::vector<std::string> comboItems(plat::HWND dialog)
    {
        plat::HWND combo = plat::GetDlgItem(dialog, kDataDriveComboId);
        std::vector<std::string> out;
        const int n = int(plat::SendMessageA(combo, plat::CB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            char text[260] = {};
            plat::SendMessageA(combo, plat::CB_GETLBTEXT, plat::WPARAM(i), plat::LPARAM(text));
            out.push_back(text);
        }
        return out;
    }
    static std::string selectedDrive(plat::HWND dialog)
    {
        plat::HWND combo = plat::GetDlgItem(dialog, kDataDriveComboId);
        const int i = int(plat::SendMessageA(combo, plat::CB_GETCURSEL, 0, 0));
        return i < 0 ? "" : comboItems(dialog)[std::size_t(i)].substr(0, 2);
    }
    // As the user does: pick the item whose text begins with the drive.
    static void chooseDrive(plat::HWND dialog, const std::string& drive)
    {
        plat::HWND combo = plat::GetDlgItem(dialog, kDataDriveComboId);
        const std::vector<std::string> items = comboItems(dialog);
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i].rfind(drive, 0) == 0)
                plat::SendMessageA(combo, plat::CB_SETCURSEL, plat::WPARAM(i), 0);
        plat::SendMessageA(dialog, plat::WM_COMMAND, plat::MAKELPARAM(kDataDriveComboId, plat::CBN_SELCHANGE),
                           plat::LPARAM(combo));
    }
    static void openFolder(plat::HWND dialog, const std::string& item)
    {
        plat::HWND list = plat::GetDlgItem(dialog, kDataFolderListId);
        const plat::LRESULT i =
            plat::SendMessageA(list, plat::LB_FINDSTRINGEXACT, plat::WPARAM(-1), plat::LPARAM(item.c_str()));
        ASSERT_GE(i, 0) << item;
        plat::SendMessageA(list, plat::LB_SETCURSEL, plat::WPARAM(i), 0);
        plat::SendMessageA(dialog, plat::WM_COMMAND, plat::MAKELPARAM(kDataFolderListId, plat::LBN_DBLCLK),
                           plat::LPARAM(list));
    }
    static std::string dlgText(plat::HWND dialog, int id)
    {
        char text[260] = {};
        plat::GetDlgItemTextA(dialog, id, text, sizeof text);
        return text;
    }

    int startDrive = 0;
};

TEST_F(FileDialogsTest, LocateAcceptsOnlyTheMissingFileItself)
{
    hostWrite("elsewhere/PAGE9.BMP", "x");
    hostWrite("elsewhere/PAGE8.BMP", "x");
    JxCString path((programFolder() + "DATA\\page9.bmp").c_str());
    std::vector<std::string> picks = {"", "PAGE8.BMP", "page9.BMP"};
    script([&](const plat::UiRequest& r, int round) -> std::optional<int> {
        EXPECT_EQ(r.kind, "GetOpenFileName");
        EXPECT_EQ(r.caption, "Could not find file " + programFolder() + "DATA\\page9.bmp");
        if (round == 0)
            return plat::IDCANCEL;
        char filter[64] = {};
        plat::SendDlgItemMessageA(r.window, plat::kFileTypeCombo, plat::CB_GETLBTEXT, 0, plat::LPARAM(filter));
        EXPECT_STREQ(filter, "Data Files(*.bmp)");
        const std::string pick = programFolder() + "elsewhere\\" + picks[std::size_t(round)];
        plat::SetDlgItemTextA(r.window, plat::kFileNameEdit, pick.c_str());
        return plat::IDOK;
    });
    EXPECT_FALSE(LocateMissingFile(path));  // Cancel
    EXPECT_FALSE(LocateMissingFile(path));  // another file
    EXPECT_EQ(std::string(path.View()), programFolder() + "DATA\\page9.bmp");
    EXPECT_TRUE(LocateMissingFile(path));
    EXPECT_EQ(std::string(path.View()), programFolder() + "elsewhere\\page9.bmp");
}

TEST_F(FileDialogsTest, SaveAsksBeforeReplacingAndTakesTheCaretFilter)
{
    hostWrite("copy.txt", "old");
    JxCString name("copy.txt");
    script([&](const plat::UiRequest& r, int round) -> std::optional<int> {
        if (round == 0) {
            EXPECT_EQ(r.kind, "GetSaveFileName");
            EXPECT_EQ(r.caption, "Save a copy");
            char filter[64] = {};
            plat::SendDlgItemMessageA(r.window, plat::kFileTypeCombo, plat::CB_GETLBTEXT, 1, plat::LPARAM(filter));
            EXPECT_STREQ(filter, "All files");
            return plat::IDOK;
        }
        EXPECT_EQ(r.kind, "MessageBox");  // replace copy.txt?
        return plat::IDYES;
    });
    ASSERT_TRUE(ShowSaveFileDialog(nullptr, name, "Save a copy", "txt", programFolder().c_str(),
                                   "Text (*.txt)^*.txt^All files^*.*^"));
    EXPECT_EQ(std::string(name.View()), programFolder() + "copy.txt");
}

TEST_F(FileDialogsTest, TheFolderModeMakesTheChosenFolderTheDataPath)
{
    std::string before = currentFolder();
    script([&](const plat::UiRequest& r, int) -> std::optional<int> {
        EXPECT_EQ(r.templateId, kDataFolderTemplateId);
        EXPECT_EQ(r.caption, "Kelbo");
        // Network and CD-ROM drives and the current drive; no other fixed drive.
        const std::vector<std::string> items = comboItems(r.window);
        EXPECT_EQ(items.size(), 4u);
        EXPECT_EQ(items[0], "d:  ");
        EXPECT_EQ(items[1], "e:  \\\\server\\titles");
        EXPECT_EQ(items[2], "g:  ");
        EXPECT_EQ(selectedDrive(r.window), std::string(1, char('a' + startDrive - 1)) + ":");
        chooseDrive(r.window, "d:");
        EXPECT_EQ(dlgText(r.window, kDataCurrentFolderId), "D:\\");
        openFolder(r.window, "[TITLE]");
        openFolder(r.window, "[DATA]");
        EXPECT_EQ(dlgText(r.window, kDataCurrentFolderId), "D:\\TITLE\\DATA");
        return plat::IDOK;
    });
    EXPECT_EQ(RunDataLocationDialog(kDataFolderMode), 4);
    EXPECT_EQ(dataPath(), "D:\\TITLE\\DATA");
    EXPECT_NE(iniText().find("Data=D:\\TITLE\\DATA"), std::string::npos);
    EXPECT_EQ(plat::_getdrive(), startDrive);
    EXPECT_EQ(currentFolder(), before);
}

TEST_F(FileDialogsTest, ADriveWithoutADiscCannotBeChosen)
{
    script([&](const plat::UiRequest& r, int) -> std::optional<int> {
        EXPECT_EQ(r.templateId, kDataLocationTemplateId);
        chooseDrive(r.window, "e:");
        chooseDrive(r.window, "g:");  // no disc: back to E:
        EXPECT_EQ(selectedDrive(r.window), "e:");
        return plat::IDOK;
    });
    EXPECT_EQ(RunDataLocationDialog(2), 5);
    EXPECT_EQ(dataPath(), "E:");
    EXPECT_EQ(plat::_getdrive(), startDrive);
    EXPECT_TRUE(boxes.size() == 1u);  // no system error box on the way
}

TEST_F(FileDialogsTest, CancelChangesNothing)
{
    const std::string ini = iniText();
    const std::string before = currentFolder();
    script([&](const plat::UiRequest& r, int) -> std::optional<int> {
        chooseDrive(r.window, "d:");
        openFolder(r.window, "[TITLE]");
        return plat::IDCANCEL;
    });
    EXPECT_EQ(RunDataLocationDialog(kDataFolderMode), -1);
    EXPECT_EQ(dataPath(), programFolder() + "OLD");
    EXPECT_EQ(iniText(), ini);
    EXPECT_EQ(plat::_getdrive(), startDrive);
    EXPECT_EQ(currentFolder(), before);
}

TEST_F(FileDialogsTest, WithoutItsTemplateTheDialogAnswersCancel)
{
    std::filesystem::remove_all(config.program() + "/kelbo32.resources/dialog");
    EXPECT_EQ(RunDataLocationDialog(1), -1);
    EXPECT_TRUE(boxes.empty());
}

}  // namespace
