// The sample title opened on its login, run whole and headless: a new user
// typed and added, logged in with Enter, the welcome page reached, and the
// user's file left in the user folder that the title's INI file names,
// saved as the program ends; the login kept through a click beside it and
// through two idle minutes.

#include <gtest/gtest.h>

#include "platform/window/messages.h"
#include "runtime/JxCPageObject.h"
#include "testkit/sample_login.h"
#include "testkit/sample_quiz.h"
#include "testkit/user_file.h"
#include "tests/sample_run_fixture.h"
#include "title/users/JxLoginWidgets.h"

namespace {

class LoginRunTest : public SampleRunTest {
protected:
    static std::int32_t frontPage()
    {
        JxCPageObject* page = GetProduct()->GetPageList().GetLast();
        return page ? page->GetPageId() : -1;
    }
};

TEST_F(LoginRunTest, ANewUserLogsInGoesOnToTheWelcomePageAndIsSavedAtTheEnd)
{
    int step = 0;
    bool closed = false;
    std::int32_t loginShown = -1, afterLogin = -1;
    run([&](plat::HWND main) {
        // The login page takes the typing once it has started.
        JxCPageObject* front = GetProduct()->GetPageList().GetLast();
        if (step == 0 && !(front && dynamic_cast<JxCNewUserField*>(front->GetFocusObject())))
            return false;
        switch (step++) {
        case 0:
            loginShown = frontPage();
            harness->typeText("Ann");
            harness->tap(plat::VK_RETURN);  // the new user
            return true;
        case 1:
            harness->tap(plat::VK_RETURN);  // the login field has the focus now
            return true;
        default: {
            // Until the welcome page has replaced the greeting.
            JxCPageObject* current = GetProduct()->GetCurrentPage();
            if (closed || (current && current->GetPageId() != 1 && step < 50))
                return false;
            afterLogin = frontPage();
            closed = true;
            plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
            return true;
        }
        }
    });
    EXPECT_EQ(loginShown, std::int32_t(testkit::kSampleLoginPage));
    EXPECT_EQ(afterLogin, 1);
    // The exit saved her record: the welcome page is marked visited.
    testkit::UserFile ann;
    ann.name = "Ann";
    ann.visited[0] = 1;
    const std::vector<std::uint8_t> expected = ann.Bytes();
    EXPECT_TRUE(userFile("jx0.Gv3") == std::string(expected.begin(), expected.end()));
}

TEST_F(LoginRunTest, AClickBesideTheLoginLeavesItOpen)
{
    script.then("the login shown", [] { return page(testkit::kSampleLoginPage) != nullptr; },
                [this] { harness->click(onScreen(main, 20, 300)); });
    script.pause(1000);
    script.waitFor("the login still open", [] { return page(testkit::kSampleLoginPage) != nullptr; });
    runScript();
    ASSERT_FALSE(script.failed()) << script.failure() << " (after " << script.taken() << " steps; " << pagesAtTheEnd << ")";
}

TEST_F(LoginRunTest, LeftAloneTheLoginIsAskedWhetherAnyoneIsStillThereAndThenWorks)
{
    script.waitFor("the login shown", [] { return page(testkit::kSampleLoginPage) != nullptr; });
    // Two minutes, in steps the script waits for.
    for (int part = 0; part < 4; ++part)
        script.pause(31000);
    script.then("the idle question over the login", [] { return page(testkit::kSampleStillTherePage) != nullptr; },
                [this] { clickPage(testkit::kSampleStillTherePage); });
    script.waitFor("the idle question closed", [] { return !page(testkit::kSampleStillTherePage); });
    logInAsNewUser("Ida");
    runScript();
    ASSERT_FALSE(script.failed()) << script.failure() << " (after " << script.taken() << " steps; " << pagesAtTheEnd << ")";
}

}  // namespace
