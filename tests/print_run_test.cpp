// Printing from the whole program on the sample title: two print commands
// in quick succession (the second arrives while the printer works on the
// first) print one page, into the documents folder that the user's desktop
// names, and the user is told which file holds it; no progress box stays.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/print/printer.h"
#include "platform/tests/png_file.h"
#include "platform/window/window.h"
#include "runtime/JxCProduct.h"
#include "runtime/JxMainWindowProc.h"
#include "tests/program_fixture.h"

namespace {

// The test's own home, with a desktop whose documents folder has a
// localised name, for the life of the test.
class DesktopHome {
public:
    explicit DesktopHome(const std::string& home) : home_(home)
    {
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DOCUMENTS_DIR"})
            if (const char* value = std::getenv(name))
                saved_.push_back({name, value});
            else
                saved_.push_back({name, std::nullopt});
        ::setenv("HOME", home.c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
        ::unsetenv("XDG_DOCUMENTS_DIR");
        plat::testing::TempConfig::writeFile(home + "/.config/user-dirs.dirs",
                                             "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
        plat::SetDocumentsFolderHost("");
    }
    ~DesktopHome()
    {
        for (const auto& [name, value] : saved_)
            value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    }
    DesktopHome(const DesktopHome&) = delete;
    DesktopHome& operator=(const DesktopHome&) = delete;

    std::string documents() const { return home_ + "/Dokumente"; }

private:
    std::string home_;
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

class PrintRunTest : public ProgramTest {
protected:
    std::vector<std::filesystem::path> printed(const std::string& folder) const
    {
        std::vector<std::filesystem::path> files;
        if (std::filesystem::exists(folder))
            for (const auto& entry : std::filesystem::directory_iterator(folder))
                files.push_back(entry.path());
        return files;
    }
};

TEST_F(PrintRunTest, TwoQuickPrintCommandsPrintOnePageWhereTheDesktopKeepsDocumentsAndSaySo)
{
    DesktopHome desktop(config.root() + "/home");
    std::vector<std::string> told;
    plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
        if (r.text.find("printed") != std::string::npos)
            told.push_back(r.text);
        else
            unexpected.push_back(r.text);
        return 1;
    });
    int waits = 0;
    bool progressBoxLeft = true;
    const int code = run([&](plat::HWND main) {
        switch (waits++) {
        case 0:
            plat::PostMessageA(main, plat::WM_COMMAND, kPrintCommandId, 0);
            plat::PostMessageA(main, plat::WM_COMMAND, kPrintCommandId, 0);
            return true;
        case 1:
            progressBoxLeft = plat::FindWindowA(nullptr, "Printing") != nullptr;
            plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
            return true;
        default:
            return false;
        }
    });
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(progressBoxLeft);
    const auto files = printed(desktop.documents());
    ASSERT_EQ(files.size(), 1u) << "one page, in the desktop's documents folder";
    const plat::testing::PngFile png = plat::testing::ReadPngFile(files[0].string());
    EXPECT_EQ(png.width, plat::kA4WidthPixels);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find(files[0].string()), std::string::npos) << told[0];
    EXPECT_FALSE(std::filesystem::exists(config.root() + "/home/Documents"));
}

}  // namespace
