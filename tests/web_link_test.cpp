// The sample title's web link, run whole and headless: the first click on
// the link asks once whether the desktop's opener is the browser, then
// opens the address with it; the next click opens it without asking. The
// programs the link starts are recorded instead of started.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "objects/actions/JxCChangePageAction.h"
#include "platform/clipboard/clipboard.h"
#include "platform/shell/shell.h"
#include "runtime/JxCPageObject.h"
#include "testkit/sample_link.h"
#include "tests/program_fixture.h"

namespace {

constexpr int kYes = 6;

class WebLinkTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        plat::SetProgramLauncher([this](const plat::ProgramLaunch& launch) {
            launches.push_back(launch);
            return true;
        });
        plat::SetResponder([this](const plat::UiRequest& r) -> std::optional<int> {
            asked.push_back(r.kind + ": " + r.text);
            return r.kind == "MessageBox" ? std::optional<int>(kYes) : std::nullopt;
        });
    }
    void TearDown() override
    {
        plat::SetProgramLauncher({});
        plat::ResetClipboard();
        ProgramTest::TearDown();
    }

    // The program's run, with `user` called each time it waits for input
    // with nothing left to do.
    void runSettled(std::function<bool(plat::HWND main)> user)
    {
        run([user](plat::HWND main) {
            JxCBaseProduct* product = GetProduct();
            if (product->GetBusyBits() || product->CountPendingActions() > 0)
                return false;
            return user(main);
        });
    }
    void clickTheLink(plat::HWND main)
    {
        plat::POINT at{testkit::kSampleLinkLeft + testkit::kSampleLinkWidth / 2,
                       60 + testkit::kSampleLinkTop + testkit::kSampleLinkHeight / 2};
        plat::ClientToScreen(main, &at);
        harness->advance(1000);  // a click of its own, not the second of a double click
        harness->click(at);
    }

    // Goes to the link's page, then hands each later wait to `then`.
    void runOnTheLinkPage(const std::function<bool(plat::HWND main, int step)>& then)
    {
        int step = 0;
        runSettled([&](plat::HWND main) {
            if (step++ > 0)
                return then(main, step - 1);
            JxCChangePageAction change;
            change.SetTarget(testkit::kSampleLinkPage, 0);
            change.Post();
            return true;
        });
    }

    std::vector<plat::ProgramLaunch> launches;
    std::vector<std::string> asked;
};

TEST_F(WebLinkTest, TheLinkAsksOnceThenOpensInTheDesktopsBrowserAndNextTimeWithoutAsking)
{
    std::vector<std::size_t> launched, questions;
    runOnTheLinkPage([&](plat::HWND main, int step) {
        switch (step) {
        case 1:
            EXPECT_EQ(GetProduct()->GetFirstPage()->GetPageId(), std::int32_t(testkit::kSampleLinkPage));
            clickTheLink(main);
            return true;
        case 2:
        case 3:
            launched.push_back(launches.size());
            questions.push_back(asked.size());
            if (step == 3) {
                plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
                return true;
            }
            clickTheLink(main);
            return true;
        default:
            return false;
        }
    });
    EXPECT_EQ(launched, (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(questions, (std::vector<std::size_t>{1, 1})) << "asked once only";
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], "MessageBox: Use Xdg-open as the web browser?");
    for (const plat::ProgramLaunch& launch : launches) {
        EXPECT_EQ(launch.program, "xdg-open");
        EXPECT_TRUE(launch.searchPath);
        EXPECT_EQ(launch.arguments, std::vector<std::string>{testkit::kSampleLinkAddress});
    }
    EXPECT_EQ(plat::GetClipboardText(), std::optional<std::string>(testkit::kSampleLinkAddress));
}

TEST_F(WebLinkTest, WithoutXdgOpenOnThePathTheLinkSaysItFoundNoBrowserAndStartsNothing)
{
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", config.root().c_str(), 1);  // no xdg-open there
    plat::SetResponder([this](const plat::UiRequest& r) -> std::optional<int> {
        asked.push_back(r.kind);
        return r.kind == "MessageBox" ? 1 : 2;  // OK; the no-browser dialog cancelled
    });
    runOnTheLinkPage([&](plat::HWND main, int step) {
        switch (step) {
        case 1:
            clickTheLink(main);
            return true;
        case 2:
            plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
            return true;
        default:
            return false;
        }
    });
    ::setenv("PATH", path.c_str(), 1);
    EXPECT_TRUE(launches.empty());
    // No question about xdg-open: the dialog that found no browser, then
    // the message that there is none.
    EXPECT_EQ(asked, (std::vector<std::string>{"Dialog", "MessageBox"}));
}

}  // namespace
