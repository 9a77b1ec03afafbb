// The sample title in Japanese (code page 932): the settings name Japan and
// the title's data says it is Japanese. A new user types a name of
// double-byte characters on the login, corrects a typo with Backspace, logs
// in, and the name is kept whole in her user file.

#include <gtest/gtest.h>

#include "foundation/JxLanguage.h"
#include "platform/core/codepage.h"
#include "testkit/sample_login.h"
#include "testkit/user_file.h"
#include "tests/sample_run_fixture.h"

namespace {

class DoubleByteLoginTest : public SampleRunTest {
protected:
    void SetUp() override
    {
        SampleRunTest::SetUp();
        {
            ProgramClasses classes;
            testkit::WriteSampleTitle(config.program(), true, true, "JP");
        }
        testkit::InstalledSettings settings;
        settings.extra = "User=C:\\Users\r\nCountry=JP\r\n";
        LayOutInstalledTitle(config, settings);
    }
    void TearDown() override
    {
        SampleRunTest::TearDown();
        ResetLanguage();
        plat::SetACP(1252);
    }
};

TEST_F(DoubleByteLoginTest, ANameTypedInDoubleByteCharactersIsStoredWhole)
{
    // Katakana "so", "so" again by mistake, then "ra" after a Backspace:
    // "sora". Each is two bytes in code page 932; the trail byte of "so" is
    // the backslash.
    const std::string so = "\xE3\x82\xBD", ra = "\xE3\x83\xA9";
    script.then(
        "the new-user field in Japanese",
        [] {
            JxCPageObject* front = GetProduct()->GetPageList().GetLast();
            return front && dynamic_cast<JxCNewUserField*>(front->GetFocusObject());
        },
        [&] {
            EXPECT_EQ(plat::GetACP(), 932);
            harness->typeText(so + so);
            harness->tap(plat::VK_BACK);
            harness->typeText(ra);
            harness->tap(plat::VK_RETURN);  // the new user
        });
    script.then("the new user listed", [] { return true; }, [this] { harness->tap(plat::VK_RETURN); });
    script.waitFor("the welcome page",
                   [] { return isCurrent(testkit::kSampleWelcomePage) && !page(testkit::kSampleLoginPage); });
    runScript();
    ASSERT_FALSE(script.failed()) << script.failure() << " (after " << script.taken() << " steps; " << pagesAtTheEnd
                                  << ")";

    testkit::UserFile sora;
    sora.name = "\x83\x5C\x83\x89";
    sora.visited[0] = 1;
    const std::vector<std::uint8_t> bytes = sora.Bytes();
    const std::string expected(bytes.begin(), bytes.end());
    const std::string stored = userFile("jx0.Gv3");
    // The length and the name first, readably; then every byte.
    EXPECT_EQ(stored.substr(0, 6), expected.substr(0, 6));
    EXPECT_TRUE(stored == expected);
}

}  // namespace
