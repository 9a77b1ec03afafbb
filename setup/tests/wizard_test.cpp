// The installer whole, headless: the main window, the four pages with their
// pictures (one golden picture each), Back, Next and Cancel, the checks of
// the options page, the boxes at the end, and the progress window.

#include <gtest/gtest.h>
#include <sys/statvfs.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/draw/draw.h"
#include "platform/tests/golden.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/message_box.h"
#include "platform/ui/responder.h"
#include "platform/window/window.h"
#include "setup/OptionsPage.h"
#include "setup/PageKit.h"
#include "setup/SetupMainWindow.h"
#include "setup/SetupState.h"
#include "setup/SetupWizard.h"
#include "setup/StatusWindow.h"
#include "setup_fixture.h"

namespace {

using setup_testing::SetupTest;

constexpr const char* kGoldenFolder = "setup/tests/golden";

// A scripted user: each box or page the installer shows is answered by the
// next step, which sees what is on the screen.
class WizardTest : public SetupTest {
protected:
    using Step = std::function<std::optional<int>(const plat::UiRequest&)>;
    std::vector<Step> steps;
    std::vector<std::string> seen;  // template names and box texts, in order

    void SetUp() override
    {
        SetupTest::SetUp();
        plat::SetResponder([this](const plat::UiRequest& r) -> std::optional<int> {
            seen.push_back(r.kind == "MessageBox" ? "box: " + r.text : r.templateName);
            if (next_ >= steps.size()) {
                ADD_FAILURE() << "nothing expected " << seen.back();
                return std::nullopt;
            }
            return steps[next_++](r);
        });
    }

    // Answers a page with a button, after checking which page it is.
    Step press(const std::string& page, int button, const char* golden = nullptr)
    {
        return [page, button, golden](const plat::UiRequest& r) -> std::optional<int> {
            EXPECT_EQ(r.templateName, page);
            if (golden) {
                EXPECT_EQ(plat::testing::CompareWithGolden(nullptr, golden, kGoldenFolder), "");
            }
            return button;
        };
    }
    Step box(const std::string& utf8Text)
    {
        return [utf8Text](const plat::UiRequest& r) -> std::optional<int> {
            EXPECT_EQ(r.kind, "MessageBox");
            EXPECT_EQ(r.text, ansi(utf8Text));
            return plat::IDOK;
        };
    }

    int run() { return RunSetup("D:\\"); }
    bool allStepsTaken() const { return next_ == steps.size(); }

    std::size_t next_ = 0;
};

TEST_F(WizardTest, NextWalksThePagesAndBackReturnsFromTermsAndOptions)
{
    steps = {
        press("DIALOG1", kNextButton, "welcome"),
        press("DIALOG2", kBackButton, "terms"),
        press("DIALOG1", kNextButton),
        press("DIALOG2", kNextButton),
        [this](const plat::UiRequest& r) -> std::optional<int> {
            // The picture shows the figures of a disk with 2 GB free; the
            // host's own figures are checked on their own.
            plat::SetDlgItemTextA(r.window, 150, "2,147,479 Kbytes");
            plat::SetDlgItemTextA(r.window, 151, "2,143,979 Kbytes");
            harness.runUntilIdle();
            return press("DIALOG3", kBackButton, "options")(r);
        },
        press("DIALOG2", kNextButton),
        [this](const plat::UiRequest& r) -> std::optional<int> {
            EXPECT_EQ(r.templateName, "DIALOG3");
            harness.tap(plat::VK_RETURN);  // Enter is Next on every page
            return plat::kAnswerByInput;
        },
        press("DIALOG4", kNextButton, "confirm"),
        box("Η εγκατάσταση έγινε κανονικά"),
    };
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(allStepsTaken());
    EXPECT_EQ(::Setup().targetFolder, "C:\\Jx\\Jx Multimedia\\KELBO");
    EXPECT_EQ(::Setup().dataDriveRoot, "D:\\");
    EXPECT_EQ(::Setup().mainWindow, nullptr) << "the main window is gone";
}

TEST_F(WizardTest, TheMainWindowIsNavyFullScreenWithItsTitlePicture)
{
    steps = {[](const plat::UiRequest&) -> std::optional<int> {
                 plat::HWND main = plat::FindWindowA(kMainClassName, nullptr);
                 plat::RECT rect;
                 plat::GetWindowRect(main, &rect);
                 EXPECT_EQ(rect.right - rect.left, plat::GetSystemMetrics(plat::SM_CXSCREEN));
                 EXPECT_EQ(rect.bottom - rect.top, plat::GetSystemMetrics(plat::SM_CYSCREEN));
                 plat::HDC screen = plat::GetDC(nullptr);
                 EXPECT_EQ(plat::GetPixel(screen, 2, rect.bottom - 2), plat::RGB(0, 0, 128));
                 plat::ReleaseDC(nullptr, screen);
                 char caption[64] = {};
                 plat::GetWindowTextA(main, caption, sizeof caption);
                 EXPECT_STREQ(caption, "Set up utility");
                 return plat::IDCANCEL;
             },
             [](const plat::UiRequest& r) -> std::optional<int> {
                 EXPECT_EQ(r.templateName, "ExitInstall");
                 return plat::IDOK;
             },
             box("Η εγκατάσταση δεν ολοκληρώθηκε")};
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(allStepsTaken());
}

TEST_F(WizardTest, CancelAsksFirstAndAConfirmedCancelEndsWithTheNotCompletedBox)
{
    bool exitBoxDrawn = false;
    steps = {
        press("DIALOG1", kNextButton),
        press("DIALOG2", kCancelButton),
        [&, this](const plat::UiRequest& r) -> std::optional<int> {
            EXPECT_EQ(r.templateName, "ExitInstall");
            exitBoxDrawn = plat::testing::CompareWithGolden(nullptr, "exit_box", kGoldenFolder).empty();
            harness.tap(plat::VK_RETURN);  // Enter goes on with the installation
            return plat::kAnswerByInput;
        },
        press("DIALOG2", kNextButton),
        press("DIALOG3", kCancelButton),
        press("ExitInstall", plat::IDOK),
        box("Η εγκατάσταση δεν ολοκληρώθηκε"),
    };
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(allStepsTaken());
    EXPECT_TRUE(exitBoxDrawn);
    EXPECT_FALSE(::Setup().installQuickTime) << "a cancelled wizard starts no QuickTime installer";
}

TEST_F(WizardTest, ClosingTheHostWindowDuringTheWizardIsCancelAndAsksFirst)
{
    // The host window's close box reaches the program as a close of its
    // main window, which is disabled under the page.
    auto closeMain = [this](const plat::UiRequest&) -> std::optional<int> {
        plat::PostMessageA(plat::FindWindowA(kMainClassName, nullptr), plat::WM_SYSCOMMAND, plat::SC_CLOSE, 0);
        harness.runUntilIdle();
        return plat::kAnswerByInput;
    };
    steps = {
        press("DIALOG1", kNextButton),
        closeMain,
        press("ExitInstall", plat::IDCANCEL),
        press("DIALOG2", kNextButton),
        closeMain,
        press("ExitInstall", plat::IDOK),
        box("Η εγκατάσταση δεν ολοκληρώθηκε"),
    };
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(allStepsTaken());
}

TEST_F(WizardTest, AnEmptyNameIsRefusedAndThePageStays)
{
    steps = {
        press("DIALOG1", kNextButton),
        press("DIALOG2", kNextButton),
        [](const plat::UiRequest& r) -> std::optional<int> {
            plat::SetDlgItemTextA(r.window, 100, "   ");
            return kNextButton;
        },
        box("Πρέπει ΥΠΟΧΡΕΩΤΙΚΑ να συμπληρώσεις τον τελικό κατάλογο προορισμού"),
        [](const plat::UiRequest& r) -> std::optional<int> {
            EXPECT_EQ(r.templateName, "DIALOG3") << "the options page stays";
            return kBackButton;
        },
        press("DIALOG2", kCancelButton),
        press("ExitInstall", plat::IDOK),
        box("Η εγκατάσταση δεν ολοκληρώθηκε"),
    };
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(allStepsTaken());
}

TEST_F(WizardTest, TheNameFieldTakesOnlyItsMaskAndLeadsTheTargetFolder)
{
    steps = {
        press("DIALOG1", kNextButton),
        press("DIALOG2", kNextButton),
        [this](const plat::UiRequest& r) -> std::optional<int> {
            plat::HWND name = plat::GetDlgItem(r.window, 100);
            plat::SetFocus(name);
            char text[64] = {};
            // A refused key first: the pre-filled name is what comes back.
            plat::SendMessageA(name, plat::EM_SETSEL, 5, 5);
            harness.typeText(".");
            harness.runUntilIdle();
            plat::GetWindowTextA(name, text, sizeof text);
            EXPECT_STREQ(text, "KELBO");
            plat::SendMessageA(name, plat::EM_SETSEL, 0, -1);
            int beeps = plat::MessageBeepCount();
            harness.typeText("Mi.");
            harness.runUntilIdle();
            plat::GetWindowTextA(name, text, sizeof text);
            EXPECT_STREQ(text, "Mi") << "the dot is refused and the text before it comes back";
            EXPECT_EQ(plat::MessageBeepCount(), beeps + 1);
            EXPECT_EQ(plat::SendMessageA(name, plat::EM_GETSEL, 0, 0), plat::LRESULT(2 | (2 << 16)))
                << "the caret stands where the dot was";
            harness.typeText("ne");
            harness.runUntilIdle();
            plat::GetWindowTextA(name, text, sizeof text);
            EXPECT_STREQ(text, "Mine");
            plat::GetDlgItemTextA(r.window, 302, text, sizeof text);
            EXPECT_STREQ(text, "C:\\Jx\\Jx Multimedia\\Mine");
            plat::CheckDlgButton(r.window, 1010, plat::BST_UNCHECKED);
            return kNextButton;
        },
        [](const plat::UiRequest& r) -> std::optional<int> {
            EXPECT_EQ(r.templateName, "DIALOG4");
            EXPECT_FALSE(plat::IsWindowVisible(plat::GetDlgItem(r.window, 150))) << "no QuickTime line";
            EXPECT_FALSE(plat::IsWindowVisible(plat::GetDlgItem(r.window, 151))) << "a true-colour screen";
            char text[64] = {};
            plat::GetDlgItemTextA(r.window, 100, text, sizeof text);
            EXPECT_STREQ(text, "C:\\Jx\\Jx Multimedia\\Mine");
            return kNextButton;
        },
        box("Η εγκατάσταση έγινε κανονικά"),
    };
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(allStepsTaken());
}

// The figure of a space field ("45,123,456 Kbytes") in Kbytes.
long long kbytesShown(plat::HWND page, int id)
{
    char text[64] = {};
    plat::GetDlgItemTextA(page, id, text, sizeof text);
    std::string digits;
    for (const char* c = text; *c && *c != ' '; ++c)
        if (*c != ',')
            digits += *c;
    return std::stoll(digits);
}

TEST_F(WizardTest, TooLittleFreeSpaceOnlyWarns)
{
    // A need past what 32 bits hold is held at their end.
    for (const char* need : {"900000000", "99999999999999999999"}) {
        SCOPED_TRACE(need);
        ResetSetup();
        writeScript(std::string("[kelbo]\ntest=1\nspaceneed=") + need + "\n");
        bool held = std::strlen(need) > 10;
        std::string shown = held ? "2,147,483,647" : "900,000,000";
        next_ = 0;
        steps = {
            press("DIALOG1", kNextButton),
            press("DIALOG2", kNextButton),
            [](const plat::UiRequest& r) -> std::optional<int> {
                char text[64] = {};
                plat::GetDlgItemTextA(r.window, 151, text, sizeof text);
                EXPECT_EQ(text[0], '-') << text;
                return kNextButton;
            },
            box("Ο ελεύθερος χώρος του δίσκου δεν φτάνει για την εγκατάσταση. Χρειάζονται " + shown + " Kbytes"),
            press("DIALOG4", kNextButton),
            box("Η εγκατάσταση έγινε κανονικά"),
        };
        EXPECT_EQ(run(), 0);
        EXPECT_TRUE(allStepsTaken());
    }
}

TEST_F(WizardTest, TheFreeSpaceOfALargeDiskIsShownInFull)
{
    struct statvfs vfs {};
    ASSERT_EQ(::statvfs(config.config().c_str(), &vfs), 0);
    long long hostKbytes = (long long)(vfs.f_bavail) * (long long)(vfs.f_frsize) / 1000;
    if (hostKbytes < 3000000)
        GTEST_SKIP() << "the host disk has less than 3 GB free";
    steps = {
        press("DIALOG1", kNextButton),
        press("DIALOG2", kNextButton),
        [hostKbytes](const plat::UiRequest& r) -> std::optional<int> {
            // Other writers on the host move the figure a little meanwhile.
            EXPECT_NEAR(double(kbytesShown(r.window, 150)), double(hostKbytes), 200000.0);
            EXPECT_EQ(kbytesShown(r.window, 150) - kbytesShown(r.window, 151), 3500) << "spaceneed 3500";
            return kNextButton;
        },
        press("DIALOG4", kNextButton),
        box("Η εγκατάσταση έγινε κανονικά"),
    };
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(allStepsTaken());
}

TEST_F(WizardTest, OnA256ColourDisplayThePagesAreGreyAndTheColourNoticeShows)
{
    harness.changeDisplay(800, 600, 8);
    steps = {
        press("DIALOG1", kNextButton), press("DIALOG2", kNextButton), press("DIALOG3", kNextButton),
        [](const plat::UiRequest& r) -> std::optional<int> {
            EXPECT_EQ(r.templateName, "DIALOG4");
            EXPECT_FALSE(plat::IsWindowVisible(plat::GetDlgItem(r.window, 150))) << "no QuickTime to install";
            EXPECT_TRUE(plat::IsWindowVisible(plat::GetDlgItem(r.window, 151)));
            EXPECT_EQ(plat::testing::CompareWithGolden(nullptr, "confirm_256_colours", kGoldenFolder), "");
            return kNextButton;
        },
        box("Η εγκατάσταση έγινε κανονικά"),
    };
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(allStepsTaken());
}

TEST_F(WizardTest, WithTestSetNothingIsWritten)
{
    // Everything but the emulated Windows folder, which the platform makes
    // when it is first asked for.
    auto before = [this] {
        std::vector<std::string> files;
        for (auto& e : std::filesystem::recursive_directory_iterator(config.root()))
            if (e.path().string().find("/config/windows") == std::string::npos)
                files.push_back(e.path().string());
        return files;
    };
    std::vector<std::string> files = before();
    steps = {
        press("DIALOG1", kNextButton), press("DIALOG2", kNextButton), press("DIALOG3", kNextButton),
        press("DIALOG4", kNextButton), box("Η εγκατάσταση έγινε κανονικά"),
    };
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(before(), files);
}

TEST(PackedDibs, AreReadOnlyWhenTheyHoldAllThatDrawingReads)
{
    std::string dib(40 + 256 * 4 + 4 * 2, '\0');
    plat::BITMAPINFOHEADER h;
    h.biWidth = 3;
    h.biHeight = 2;
    h.biBitCount = 8;
    std::memcpy(dib.data(), &h, sizeof h);
    PackedDib read;
    ASSERT_TRUE(ReadPackedDib(dib, &read));
    EXPECT_EQ(read.width, 3);
    EXPECT_EQ(read.height, 2);
    EXPECT_EQ(static_cast<const char*>(read.bits) - dib.data(), 40 + 1024);
    EXPECT_FALSE(ReadPackedDib(std::string_view(dib).substr(0, dib.size() - 1), &read)) << "a pixel short";
    // A short colour table moves the pixels up, but drawing still reads 256
    // colours from the header on.
    h.biClrUsed = 2;
    std::memcpy(dib.data(), &h, sizeof h);
    EXPECT_TRUE(ReadPackedDib(dib, &read));
    EXPECT_EQ(static_cast<const char*>(read.bits) - dib.data(), 40 + 8);
    EXPECT_FALSE(ReadPackedDib(std::string_view(dib).substr(0, 40 + 1000), &read));
    for (auto damage : {+[](plat::BITMAPINFOHEADER& b) { b.biBitCount = 4; },
                        +[](plat::BITMAPINFOHEADER& b) { b.biCompression = plat::BI_RLE8; },
                        +[](plat::BITMAPINFOHEADER& b) { b.biWidth = 0; },
                        +[](plat::BITMAPINFOHEADER& b) { b.biHeight = -100000; },
                        +[](plat::BITMAPINFOHEADER& b) { b.biSize = 0x7FFFFFFF; },
                        +[](plat::BITMAPINFOHEADER& b) { b.biHeight = 0; }}) {
        plat::BITMAPINFOHEADER bad = h;
        damage(bad);
        std::memcpy(dib.data(), &bad, sizeof bad);
        EXPECT_FALSE(ReadPackedDib(dib, &read));
    }
    EXPECT_FALSE(ReadPackedDib(std::string_view(dib).substr(0, 39), &read));
}

TEST(TargetPath, LosesItsFinalSeparatorAndAlwaysHasADrive)
{
    EXPECT_EQ(NormalizeTargetPath("D:\\JX\\KELBO\\"), "D:\\JX\\KELBO");
    EXPECT_EQ(NormalizeTargetPath("D:\\"), "D:\\");
    EXPECT_EQ(NormalizeTargetPath("D:"), "D:");
    EXPECT_EQ(NormalizeTargetPath("\\JX"), "C:\\JX");
    EXPECT_EQ(NormalizeTargetPath("JX"), "C:\\JX");
    EXPECT_EQ(NormalizeTargetPath(""), "C:\\");
}

TEST(FreeSpace, IsWrittenInThousandsWithGroupsAndSign)
{
    EXPECT_EQ(FormatKbytes(0), "0");
    EXPECT_EQ(FormatKbytes(999), "0");
    EXPECT_EQ(FormatKbytes(1234567890), "1,234,567");
    EXPECT_EQ(FormatKbytes(-3500000), "-3,500");
    EXPECT_EQ(FormatKbytes(std::int64_t(5) << 40), "5,497,558,138");  // more than 32 bits hold
}

class StatusWindowTest : public SetupTest {
protected:
    plat::HWND owner = nullptr;
    void SetUp() override
    {
        SetupTest::SetUp();
        openOwner();
    }
    void TearDown() override
    {
        closeOwner();
        SetupTest::TearDown();
    }
    void openOwner()
    {
        ASSERT_TRUE(RegisterSetupClasses());
        // The main window, started with no medium folder, reads the script
        // at the root of the current drive: the medium's.
        ASSERT_TRUE(plat::SetCurrentDirectoryA("D:\\"));
        owner = plat::CreateWindowExA(0, kMainClassName, "", plat::WS_POPUP | plat::WS_VISIBLE, 0, 0, 800, 600,
                                      nullptr, nullptr, nullptr, nullptr);
        // The main window runs the wizard when it stands; take that away.
        plat::MSG m;
        while (plat::PeekMessageA(&m, owner, kRunWizardMessage, kRunWizardMessage, plat::PM_REMOVE)) {
        }
    }
    void closeOwner()
    {
        plat::DestroyWindow(owner);
        plat::MSG m;
        while (plat::PeekMessageA(&m, nullptr, 0, 0, plat::PM_REMOVE)) {
        }
        UnregisterSetupClasses();
    }
    std::string strip(plat::HWND status)
    {
        harness.runUntilIdle();
        plat::RECT r;
        plat::GetWindowRect(status, &r);
        int w = 0, h = 0;
        std::string all = plat::testing::SurfaceRgb(nullptr, &w, &h);
        std::string out;
        for (int y = r.top; y < r.bottom; ++y)
            out += all.substr((std::size_t(y) * w + r.left) * 3, std::size_t(r.right - r.left) * 3);
        return out;
    }
};

TEST_F(StatusWindowTest, ShowsThePercentageAndTextAndFoldsPositionsBeyondItsRange)
{
    plat::HWND status = CreateStatusWindow(owner, 4);
    ASSERT_NE(status, nullptr);
    plat::RECT r;
    plat::GetWindowRect(status, &r);
    EXPECT_EQ(r.bottom, 600) << "a strip along the bottom of its owner";
    EXPECT_EQ(r.bottom - r.top, plat::GetSystemMetrics(plat::SM_CYCAPTION));
    std::string text = ansi("Αντιγράφω.. ");
    plat::SendMessageA(status, kStatusSetText, 0, plat::LPARAM(text.c_str()));
    plat::SendMessageA(status, kStatusSetPosition, 1, 0);
    harness.runUntilIdle();
    EXPECT_EQ(plat::testing::CompareWithGolden(nullptr, "progress_25", kGoldenFolder), "");
    std::string atOne = strip(status);
    plat::SendMessageA(status, kStatusSetPosition, 5, 0);
    EXPECT_EQ(strip(status), atOne) << "position 5 of 4 draws as 1";
    plat::SendMessageA(status, kStatusSetPosition, plat::WPARAM(-1), 0);
    EXPECT_EQ(strip(status), atOne) << "a negative position counts by its size";
    plat::SendMessageA(status, kStatusSetPosition, 4, 0);
    harness.runUntilIdle();
    plat::HDC screen = plat::GetDC(nullptr);
    EXPECT_EQ(plat::GetPixel(screen, r.right - 3, r.top + 3), plat::RGB(255, 0, 0)) << "4 of 4 is the full bar";
    plat::ReleaseDC(nullptr, screen);
    std::string tooLong(300, 'x');
    plat::SendMessageA(status, kStatusSetText, 0, plat::LPARAM(tooLong.c_str()));
    plat::SendMessageA(status, kStatusSetPosition, 1, 0);
    EXPECT_EQ(strip(status), atOne) << "a text of 260 characters or more is ignored";
    plat::DestroyWindow(status);
}

// A run of the installer keeps no medium folder for a main window made
// after it.
TEST_F(StatusWindowTest, AFinishedRunLeavesNoMediumFolderBehind)
{
    closeOwner();
    plat::SetResponder([](const plat::UiRequest&) -> std::optional<int> { return plat::IDOK; });
    EXPECT_EQ(RunSetup("E:\\SETUP"), 0);  // a medium without its script: refused at once
    ResetSetup();
    openOwner();
    EXPECT_EQ(::Setup().scriptPath, "\\setup.inf");
}

TEST_F(StatusWindowTest, ARangeOfZeroCountsAsOne)
{
    plat::HWND status = CreateStatusWindow(owner, 0);
    ASSERT_NE(status, nullptr);
    plat::SendMessageA(status, kStatusSetPosition, 1, 0);
    harness.runUntilIdle();
    plat::RECT r;
    plat::GetWindowRect(status, &r);
    plat::HDC screen = plat::GetDC(nullptr);
    EXPECT_EQ(plat::GetPixel(screen, r.right - 3, r.top + 3), plat::RGB(255, 0, 0));
    plat::ReleaseDC(nullptr, screen);
    plat::DestroyWindow(status);
}

// The script is parsed once for all the values asked of it (a list of
// many files would otherwise read the whole file again for each), and
// again only when the current script becomes another file.
TEST_F(SetupTest, TheScriptIsParsedOnceUntilAnotherBecomesCurrent)
{
    writeScript("[kelbo]\nexe=FIRST.EXE\n");
    config.writeFile(medium() + "/copy.inf", "[kelbo]\nexe=COPY.EXE\n");
    ::Setup().scriptPath = "D:\\setup.inf";
    EXPECT_EQ(ScriptValue(kProductSection, "exe"), "FIRST.EXE");
    writeScript("[kelbo]\nexe=CHANGED.EXE\n");
    EXPECT_EQ(ScriptValue(kProductSection, "exe"), "FIRST.EXE");
    EXPECT_EQ(ScriptValue(kProductSection, "missing", "fallback  "), "fallback");
    EXPECT_EQ(ScriptValue(kProductSection, "exe", "", 4), "FIR");
    ::Setup().scriptPath = "D:\\copy.inf";
    EXPECT_EQ(ScriptValue(kProductSection, "exe"), "COPY.EXE");
}

}  // namespace
