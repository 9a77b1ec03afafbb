#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "foundation/tests/reporting_fixture.h"
#include "platform/config/profile.h"
#include "platform/fs/files.h"
#include "platform/fs/paths.h"
#include "runtime/JxCBaseProduct.h"
#include "testkit/title_folder.h"
#include "title/JxScreenSaver.h"

namespace {

using plat::testing::TempConfig;

std::vector<std::uint8_t> saverBytes(std::size_t size)
{
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = std::uint8_t(i * 7 + i / 256);
    return bytes;
}

class ScreenSaverTest : public ReportingTest {
protected:
    void SetUp() override
    {
        ReportingTest::SetUp();
        strings = TempConfig::readFile(std::string(KELBO_SOURCE_DIR) + "/resources/kelbo32.resources/strings.txt");
        if (!saverName.empty()) {
            const std::size_t line = strings.find("\n189\t") + 1;
            strings = strings.substr(0, line) + "189\t" + saverName + strings.substr(strings.find('\n', line));
        }
        programStrings(strings);
        iniFile("[Directory]\nData=" + programFolder() + "DATA\n");
        ReadSettings();
        SetProduct(std::make_unique<JxCBaseProduct>());
    }
    void TearDown() override
    {
        plat::SetOpenFaultHook({});
        DeleteProduct();
        ReportingTest::TearDown();
    }
    void placeSaver(const std::vector<std::uint8_t>& bytes, const std::string& name = "tundrel.scr")
    {
        testkit::WriteHostFile(config.program() + "/DATA/" + name, bytes);
    }
    std::string installed(const std::string& name = "tundrel.scr") const
    {
        return TempConfig::readFile(config.config() + "/windows/" + name);
    }
    int savedSelection() const
    {
        return int(plat::GetPrivateProfileIntA("Screen Saver.Tundrel", "SaverSelection", -1, "Control.ini"));
    }
    bool shownContaining(const std::string& text) const
    {
        for (const plat::UiRequest& box : boxes)
            if (box.text.find(text) != std::string::npos)
                return true;
        return false;
    }

    std::string strings;
    std::string saverName;  // string 189 when not empty
};

// A title whose string 189 names a file in another folder.
class NamedScreenSaverTest : public ScreenSaverTest {
protected:
    NamedScreenSaverTest() { saverName = "..\\\\..\\\\evil.scr"; }  // escaped as the file writes it
};

TEST(ScreenSaverCopy, BlocksOfFiveHundredTwelveEndOnAnEmptyRead)
{
    const std::vector<std::uint8_t> source = saverBytes(1024);
    std::size_t position = 0;
    std::vector<std::int32_t> reads;
    std::vector<std::uint8_t> copy;
    const bool copied = CopyInBlocks(
        [&](void* buffer, std::uint32_t count) {
            const std::size_t n = std::min<std::size_t>(count, source.size() - position);
            std::copy_n(source.begin() + std::ptrdiff_t(position), n, static_cast<std::uint8_t*>(buffer));
            position += n;
            reads.push_back(std::int32_t(n));
            return std::int32_t(n);
        },
        [&](const void* buffer, std::uint32_t count) {
            const auto* bytes = static_cast<const std::uint8_t*>(buffer);
            copy.insert(copy.end(), bytes, bytes + count);
            return std::int32_t(count);
        },
        JxCString("C:\\WINDOWS\\tundrel.scr"));
    EXPECT_TRUE(copied);
    EXPECT_EQ(reads, (std::vector<std::int32_t>{512, 512, 0}));
    EXPECT_EQ(copy, source);
}

TEST_F(ScreenSaverTest, AReadErrorOrAShortWriteFailsTheCopy)
{
    int writes = 0;
    auto countWrites = [&](const void*, std::uint32_t count) {
        ++writes;
        return std::int32_t(count);
    };
    EXPECT_FALSE(CopyInBlocks([](void*, std::uint32_t) { return -1; }, countWrites, JxCString("x")));
    EXPECT_EQ(writes, 0);
    EXPECT_TRUE(boxes.empty());

    answers = {kAnswerOk};
    EXPECT_FALSE(CopyInBlocks([](void*, std::uint32_t count) { return std::int32_t(count); },
                              [](const void*, std::uint32_t count) { return std::int32_t(count) - 1; },
                              JxCString("C:\\WINDOWS\\tundrel.scr")));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("C:\\WINDOWS\\tundrel.scr"), std::string::npos);
}

TEST_F(ScreenSaverTest, InstallingCopiesTheFileAndStoresTheSelection)
{
    const std::vector<std::uint8_t> bytes = saverBytes(1024);
    placeSaver(bytes);
    answers = {kAnswerOk};
    EXPECT_EQ(InstallScreenSaver(2), 1);
    EXPECT_EQ(installed(), std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(savedSelection(), 2);
    EXPECT_TRUE(shownContaining("The screen saver has been installed."));
    EXPECT_EQ(GetProduct()->GetBusyBits(), 0);
}

TEST_F(ScreenSaverTest, TheSelectionIsStoredEvenWhenTheCopyFails)
{
    answers = {kAnswerIgnore};  // the missing source's report
    EXPECT_EQ(InstallScreenSaver(2), 0);
    EXPECT_EQ(savedSelection(), 2);
    EXPECT_EQ(installed(), "");
    EXPECT_FALSE(shownContaining("The screen saver has been installed."));
}

TEST_F(ScreenSaverTest, AnUnwritableDestinationFailsAndLeavesTheTitleIdle)
{
    placeSaver(saverBytes(700));
    plat::SetOpenFaultHook([](const std::string& host) { return host.find("/windows/") != std::string::npos ? EACCES : 0; });
    answers = {kAnswerIgnore};
    EXPECT_EQ(InstallScreenSaver(1), 0);
    plat::SetOpenFaultHook({});
    EXPECT_EQ(GetProduct()->GetBusyBits(), 0);  // the next click is taken
    EXPECT_EQ(installed(), "");
    EXPECT_EQ(savedSelection(), 1);

    // The source was let go: the same file copies at once.
    answers = {kAnswerOk};
    EXPECT_EQ(InstallScreenSaver(3), 1);
    EXPECT_EQ(installed().size(), 700u);
    EXPECT_EQ(GetProduct()->GetBusyBits(), 0);
}

TEST_F(ScreenSaverTest, WithoutAWindowsFolderNothingIsCopiedOrWrittenAnywhere)
{
    placeSaver(saverBytes(100));
    // Drive C: is elsewhere, so the Windows folder has no path the title
    // can name; a name built on nothing would land at the root of P:.
    std::filesystem::create_directories(config.root() + "/elsewhere");
    config.writeDriveTable("[Drive C]\nPath=" + config.root() + "/elsewhere\nType=fixed\n");
    char folder[80] = {};
    ASSERT_EQ(plat::GetWindowsDirectoryA(folder, sizeof folder), 0u);
    answers = {kAnswerOk};
    EXPECT_EQ(InstallScreenSaver(2), 0);
    EXPECT_TRUE(shownContaining("The screen saver could not be copied."));
    EXPECT_FALSE(shownContaining("The screen saver has been installed."));
    for (const char* name : {"tundrel.scr", "Control.ini", "CONTROL.INI"}) {
        EXPECT_FALSE(std::filesystem::exists(config.program() + "/" + name)) << name;
        EXPECT_FALSE(std::filesystem::exists(config.root() + "/elsewhere/" + name)) << name;
    }
    EXPECT_EQ(GetProduct()->GetBusyBits(), 0);
}

TEST_F(NamedScreenSaverTest, TheNamedFileIsTakenWithoutItsFolders)
{
    placeSaver(saverBytes(10), "evil.scr");
    answers = {kAnswerOk};
    EXPECT_EQ(InstallScreenSaver(0), 1);
    EXPECT_EQ(installed("evil.scr").size(), 10u);
    EXPECT_EQ(savedSelection(), 0);
}

}  // namespace
