#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/clipboard/clipboard.h"
#include "platform/draw/draw.h"
#include "platform/fs/user_dirs.h"
#include "platform/print/printer.h"
#include "platform/tests/png_file.h"
#include "platform/tests/temp_config.h"

namespace plat {
namespace {

using Png = testing::PngFile;

Png readPng(const std::string& path)
{
    return testing::ReadPngFile(path);
}

class PrinterTest : public ::testing::Test {
protected:
    void SetUp() override { SetDocumentsFolderHost(config.root() + "/Documents"); }
    void TearDown() override
    {
        SetDocumentsFolderHost("");
        SetPrintPageObserver(nullptr);
    }
    HDC printer(short orientation = DMORIENT_PORTRAIT)
    {
        DEVMODEA mode;
        mode.dmOrientation = orientation;
        return CreatePrinterDC(DefaultPrinterNames(), mode);
    }
    std::string pageFile(const std::string& stem, int n) const
    {
        return config.root() + "/Documents/" + stem + " - page " + std::to_string(n) + ".png";
    }
    testing::TempConfig config;
};

TEST_F(PrinterTest, IsAnA4RasterAt300Dpi)
{
    HDC portrait = printer();
    ASSERT_TRUE(IsPrinterDC(portrait));
    EXPECT_EQ(GetDeviceCaps(portrait, HORZRES), kA4WidthPixels);
    EXPECT_EQ(GetDeviceCaps(portrait, VERTRES), kA4HeightPixels);
    EXPECT_EQ(GetDeviceCaps(portrait, LOGPIXELSX), 300);
    EXPECT_EQ(GetDeviceCaps(portrait, TECHNOLOGY), DT_RASPRINTER);
    HDC landscape = printer(DMORIENT_LANDSCAPE);
    EXPECT_EQ(GetDeviceCaps(landscape, HORZRES), kA4HeightPixels);
    EXPECT_EQ(CreateDCA("PNG", "Another printer", "LPT1:", nullptr), nullptr);
    HDC memory = CreateCompatibleDC(nullptr);
    EXPECT_FALSE(IsPrinterDC(memory));
    EXPECT_EQ(SetAbortProc(memory, nullptr), SP_ERROR);
    DeleteDC(memory);
    DeleteDC(portrait);
    DeleteDC(landscape);
}

TEST_F(PrinterTest, AJobWritesEveryPageAsAPngWhenItEnds)
{
    HDC dc = printer();
    DOCINFOA info;
    info.lpszDocName = "My/Title";
    ASSERT_GT(StartDocA(dc, &info), 0);
    ASSERT_EQ(StartPage(dc), 1);
    RECT box{100, 200, 300, 400};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &box, red);
    ASSERT_EQ(EndPage(dc), 1);
    ASSERT_EQ(StartPage(dc), 1);  // a new page starts white
    ASSERT_EQ(EndPage(dc), 1);
    EXPECT_FALSE(std::filesystem::exists(pageFile("My_Title", 1))) << "nothing before the job ends";
    ASSERT_EQ(EndDoc(dc), 1);
    Png first = readPng(pageFile("My_Title", 1));
    ASSERT_EQ(first.width, kA4WidthPixels);
    ASSERT_EQ(first.height, kA4HeightPixels);
    EXPECT_EQ(first.at(100, 200), RGB(255, 0, 0));
    EXPECT_EQ(first.at(99, 200), RGB(255, 255, 255));
    EXPECT_EQ(readPng(pageFile("My_Title", 2)).at(150, 250), RGB(255, 255, 255));

    // A second print of the document keeps the first.
    ASSERT_GT(StartDocA(dc, &info), 0);
    StartPage(dc);
    EndPage(dc);
    EndDoc(dc);
    EXPECT_TRUE(std::filesystem::exists(pageFile("My_Title (2)", 1)));
    DeleteObject(red);
    DeleteDC(dc);
}

// Sets (or, with null, removes) an environment variable for one test.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(UserDirs, TheDocumentsFolderIsReadAsTheShellReadsTheFile)
{
    const struct {
        const char* text;
        std::optional<std::string> folder;
    } cases[] = {
        {"XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n", "/home/u/Dokumente"},
        {"# a comment\nXDG_DESKTOP_DIR=\"$HOME/Desk\"\r\n  XDG_DOCUMENTS_DIR = \"/srv/docs\"  \r\n", "/srv/docs"},
        {"XDG_DOCUMENTS_DIR=\"$HOME/a\"\nXDG_DOCUMENTS_DIR=\"$HOME/b\"", "/home/u/b"},
        {"XDG_DOCUMENTS_DIR=\"$HOME/My \\\"Docs\\\"\"\n", "/home/u/My \"Docs\""},
        {"XDG_DOCUMENTS_DIR=\"$HOME\"\n", "/home/u"},
        {"XDG_DOCUMENTS_DIR=\"Dokumente\"\n", std::nullopt},    // neither absolute nor under $HOME
        {"XDG_DOCUMENTS_DIR=$HOME/Dokumente\n", std::nullopt},    // not quoted
        {"XDG_DOCUMENTS_DIR=\"$HOMEX/d\"\n", std::nullopt},
        {"#XDG_DOCUMENTS_DIR=\"/x\"\nXDG_DOCUMENTS_DIRS=\"/y\"\n", std::nullopt},
        {"XDG_DOCUMENTS_DIR=\"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseUserDir(c.text, "XDG_DOCUMENTS_DIR", "/home/u"), c.folder) << c.text;
}

TEST_F(PrinterTest, PagesGoToTheDocumentsFolderOfTheUsersDesktopAndTheJobNamesThem)
{
    const std::string home = config.root() + "/home";
    ScopedEnv homeVar("HOME", home.c_str());
    ScopedEnv configVar("XDG_CONFIG_HOME", nullptr);
    ScopedEnv documentsVar("XDG_DOCUMENTS_DIR", nullptr);
    SetDocumentsFolderHost("");
    EXPECT_EQ(DocumentsFolderHost(), home + "/Documents") << "without a user-dirs file";
    testing::TempConfig::writeFile(home + "/.config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    EXPECT_EQ(DocumentsFolderHost(), home + "/Dokumente");
    {
        ScopedEnv elsewhere("XDG_CONFIG_HOME", (config.root() + "/other").c_str());
        testing::TempConfig::writeFile(config.root() + "/other/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Papiers\"\n");
        EXPECT_EQ(DocumentsFolderHost(), home + "/Papiers");
    }

    HDC dc = printer();
    DOCINFOA info;
    info.lpszDocName = "Title";
    ASSERT_GT(StartDocA(dc, &info), 0);
    StartPage(dc);
    EndPage(dc);
    EXPECT_TRUE(PrintedFiles(dc).empty());
    ASSERT_EQ(EndDoc(dc), 1);
    const std::string page = home + "/Dokumente/Title - page 1.png";
    EXPECT_EQ(PrintedFiles(dc), std::vector<std::string>{page});
    EXPECT_EQ(readPng(page).width, kA4WidthPixels);
    ASSERT_GT(StartDocA(dc, &info), 0);
    EXPECT_TRUE(PrintedFiles(dc).empty()) << "a new job has written nothing yet";
    AbortDoc(dc);
    DeleteDC(dc);
}

BOOL refuse(HDC, int)
{
    return 0;
}

TEST_F(PrinterTest, TheAbortProcedureCancelsAndAnAbortedJobWritesNothing)
{
    HDC dc = printer();
    DOCINFOA info;
    info.lpszDocName = "Cancelled";
    ASSERT_EQ(SetAbortProc(dc, refuse), 1);
    ASSERT_GT(StartDocA(dc, &info), 0);
    StartPage(dc);
    EXPECT_EQ(EndPage(dc), SP_APPABORT);
    EXPECT_EQ(AbortDoc(dc), 1);
    EXPECT_FALSE(std::filesystem::exists(config.root() + "/Documents"));
    EXPECT_EQ(EndDoc(dc), SP_ERROR) << "the job is over";
    DeleteDC(dc);
}

TEST_F(PrinterTest, JobCallsOutOfOrderFail)
{
    HDC dc = printer();
    EXPECT_EQ(StartPage(dc), SP_ERROR);
    EXPECT_EQ(EndPage(dc), SP_ERROR);
    EXPECT_EQ(EndDoc(dc), SP_ERROR);
    DOCINFOA info;
    ASSERT_GT(StartDocA(dc, &info), 0);
    EXPECT_EQ(StartDocA(dc, &info), SP_ERROR);
    DeleteDC(dc);  // an unfinished job goes with its DC
}

TEST_F(PrinterTest, ThePrintSetUpMakesThePrintersDeviceContext)
{
    PRINTDLGA pd;
    pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    ASSERT_TRUE(PrintDlgA(&pd));
    EXPECT_TRUE(IsPrinterDC(pd.hDC));
    DeleteDC(pd.hDC);
}

class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { ResetClipboard(); }
    void TearDown() override { ResetClipboard(); }
};

HPALETTE greyPalette()
{
    LOGPALETTE log;
    log.palNumEntries = 2;
    return CreatePalette(&log);
}

TEST_F(ClipboardTest, HoldsWhatWasPutOnItUntilEmptied)
{
    EXPECT_FALSE(SetClipboardDib({1, 2}));  // not open
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(OpenClipboard(nullptr)) << "one opener at a time";
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_TRUE(SetClipboardDib({1, 2, 3}));
    HPALETTE palette = greyPalette();
    EXPECT_TRUE(SetClipboardPalette(palette));
    EXPECT_TRUE(CloseClipboard());
    EXPECT_FALSE(CloseClipboard());
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
    EXPECT_EQ(GetClipboardDib(), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(GetClipboardPalette(), palette);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));

    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
    EXPECT_FALSE(IsLiveGdiObject(palette)) << "emptying frees the palette";
}

}  // namespace
}  // namespace plat
