#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "foundation/JxLanguage.h"
#include "platform/fs/atomic_file.h"
#include "platform/tests/other_process.h"
#include "title/JxCProductData.h"
#include "title/users/JxCUser.h"
#include "title/tests/user_fixture.h"

namespace {

using UserListTest = UserFilesTest;

std::string text(const JxCTableString& s)
{
    return std::string(s.View());
}

std::vector<std::string> names(const JxCUser& user)
{
    std::vector<std::string> out;
    for (std::int32_t i = 0; i < user.GetEntryCount(); ++i)
        out.push_back(text(user.GetEntry(i)->userName));
    return out;
}

TEST_F(UserListTest, TheListLeavesOutEmptyNamesAndSortsCaseTogether)
{
    writeUser("jx0.Gv3", "bob");
    writeUser("jx1.Gv3", "");
    writeUser("jx2.Gv3", "ANN");
    writeUser("jx3.Gv3", "amy");
    writeUser("jx4.Gv3", "Ann");
    testkit::UserFile damaged;
    damaged.name = "Zed";
    damaged.nameLength = 9000;
    writeUser("jx5.Gv3", damaged);
    plat::testing::TempConfig::writeFile(userHost("notes.txt"), "not a user");
    std::filesystem::create_directories(userHost("folder.Gv3"));

    JxCUser user;
    ASSERT_EQ(user.LoadList(), 4);
    const auto listed = names(user);
    EXPECT_EQ(listed[0], "amy");
    EXPECT_TRUE((listed[1] == "ANN" && listed[2] == "Ann") || (listed[1] == "Ann" && listed[2] == "ANN"));
    EXPECT_EQ(listed[3], "bob");
    EXPECT_EQ(user.GetEntry(4), nullptr);
    EXPECT_EQ(user.GetEntry(-1), nullptr);

    // A name in another case finds the first of the two; an exact one its own.
    EXPECT_EQ(user.FindName(JxCString("ann")), 1);
    EXPECT_EQ(user.FindName(JxCString(listed[2].c_str())), 2);
    ASSERT_EQ(user.Login(2), 1);
    EXPECT_TRUE(user.GetRecord()->IsFileName(user.GetEntry(2)->fileName));
    EXPECT_EQ(user.GetCurrentIndex(), 2);
    EXPECT_TRUE(user.IsNameTaken(JxCString("AMY")));
    EXPECT_FALSE(user.IsNameTaken(JxCString("Zed")));
}

TEST_F(UserListTest, ANewUserTakesTheFirstFreeNumber)
{
    writeUser("jx0.Gv3", "Amy");
    writeUser("jx2.Gv3", "Bob");
    JxCUser user;
    EXPECT_EQ(text(user.MakeFileName()), "jx1.Gv3");
    EXPECT_EQ(text(user.CreateUser("Ann")), "jx1.Gv3");
    testkit::UserFile ann;
    ann.name = "Ann";
    EXPECT_EQ(bytesOf("jx1.Gv3"), ann.Bytes());
    EXPECT_EQ(text(user.CreateUser("Cy")), "jx3.Gv3");
    EXPECT_EQ(user.LoadList(), 4);
    // Nothing is made for an empty name.
    EXPECT_TRUE(user.CreateUser("").IsEmpty());
    EXPECT_FALSE(std::filesystem::exists(userHost("jx4.Gv3")));
}

TEST_F(UserListTest, ANumberTakenMeanwhileByAnotherCopyGivesTheNext)
{
    // Another copy writes jx0.Gv3 while this one is writing its own.
    plat::SetWriteFaultHook([this](const std::string& host, std::size_t) {
        if (host.ends_with("/jx0.Gv3") && !std::filesystem::exists(host)) {
            testkit::UserFile bob;
            bob.name = "Bob";
            bob.WriteTo(host);
        }
        return 0;
    });
    JxCUser user;
    EXPECT_EQ(text(user.CreateUser("Ann")), "jx1.Gv3");
    plat::SetWriteFaultHook({});
    ASSERT_EQ(user.LoadList(), 2);
    EXPECT_EQ(names(user), (std::vector<std::string>{"Ann", "Bob"}));
    EXPECT_EQ(text(user.GetEntry(1)->fileName), "jx0.Gv3");
    EXPECT_EQ(leftovers(), 0u);
    EXPECT_TRUE(reports->ids.empty());
}

TEST_F(UserListTest, ALoginReplacesThePreviousRecordOnlyOnceTheNewOneHasLoaded)
{
    writeUser("jx0.Gv3", "Ann");
    writeUser("jx1.Gv3", "Bob");
    JxCUser user;
    user.LoadList();
    EXPECT_EQ(user.GetCurrentIndex(), 0);
    ASSERT_EQ(user.Login(0), 1);
    user.SetVisited(12);
    user.SetVisited(2000);  // no such page
    // Again: her record stays, and her own file is listed while she holds it.
    ASSERT_EQ(user.Login(0), 1);
    EXPECT_EQ(user.GetRecord()->IsVisited(12), 1);
    EXPECT_EQ(user.LoadList(), 2);

    // No such entry, or one whose file went: the login fails and Ann stays.
    std::filesystem::remove(userHost("jx1.Gv3"));
    for (std::int32_t entry : {2, -1, 1}) {
        EXPECT_EQ(user.Login(entry), 0);
        ASSERT_NE(user.GetRecord(), nullptr);
        EXPECT_EQ(text(user.GetRecord()->GetName()), "Ann");
        EXPECT_EQ(text(user.GetCurrentName()), "Ann");
    }
    EXPECT_TRUE(reports->ids.empty());
    EXPECT_TRUE(boxes.empty());

    // Bob again: Ann's record goes, saved.
    writeUser("jx1.Gv3", "Bob");
    ASSERT_EQ(user.Login(1), 1);
    EXPECT_EQ(text(user.GetCurrentName()), "Bob");
    JxCUserRecord ann;
    ASSERT_EQ(ann.Load("jx0.Gv3"), 1);
    EXPECT_EQ(ann.IsVisited(12), 1);
}

TEST_F(UserListTest, DeletingNeverTouchesTheLoggedInUser)
{
    writeUser("jx0.Gv3", "Ann");
    writeUser("jx1.Gv3", "Bob");
    JxCUser user;
    user.LoadList();
    // Before anyone has logged in, as the login page offers it.
    EXPECT_EQ(user.DeleteUser(1), 1);
    EXPECT_FALSE(std::filesystem::exists(userHost("jx1.Gv3")));
    ASSERT_EQ(user.Login(0), 1);
    EXPECT_EQ(user.DeleteUser(0), 0);
    EXPECT_TRUE(std::filesystem::exists(userHost("jx0.Gv3")));
    EXPECT_EQ(user.DeleteUser(1), 0);  // no such entry now
    EXPECT_EQ(user.LoadList(), 1);
}

TEST_F(UserListTest, AUserLoggedInInAnotherRunningCopyIsNotListed)
{
    writeUser("jx0.Gv3", "Ann");
    writeUser("jx1.Gv3", "Bob");
    {
        plat::testing::OtherProcess other([] {
            // Kept until the process ends, as a running copy keeps it.
            auto* there = new JxCUser;
            return there->LoadList() == 2 && there->Login(1) == 1;
        });
        ASSERT_TRUE(other.Started());
        JxCUser user;
        EXPECT_EQ(user.LoadList(), 1);
        EXPECT_EQ(names(user), std::vector<std::string>{"Ann"});
        EXPECT_EQ(user.FindName(JxCString("Bob")), -1);
        // Her name is still taken: a second "Bob" would be a second user.
        EXPECT_TRUE(user.IsNameTaken(JxCString("bob")));
        EXPECT_FALSE(user.IsNameTaken(JxCString("Cy")));
    }
    JxCUser user;
    EXPECT_EQ(user.LoadList(), 2);
}

TEST_F(UserListTest, NamesFoldTheCapitalsOfTheCodePage)
{
    // "Zoë" in code page 1252 (e with diaeresis 0xEB, its capital 0xCB).
    ResetLanguage();
    JxCUser user;
    ASSERT_EQ(text(user.CreateUser(JxCString("Zo\xEB"))), "jx0.Gv3");
    user.LoadList();
    for (const char* other : {"ZO\xCB", "zo\xEB", "ZO\xEB"})
        EXPECT_TRUE(user.IsNameTaken(JxCString(other))) << other;
    EXPECT_FALSE(user.IsNameTaken(JxCString("Zoe")));
    EXPECT_EQ(user.FindName(JxCString("ZO\xCB")), 0);
    ASSERT_EQ(user.Login(0), 1);
    EXPECT_TRUE(user.IsCurrentName(JxCString("zo\xEB")));
}

// Two running copies logging the same user in and out around each other,
// each answering a question of its own every time it holds her: whatever
// the timing, no answer is lost.
TEST_F(UserListTest, TwoCopiesTakingTurnsWithOneUserLoseNoAnswer)
{
    writeUser("jx0.Gv3", "Ann");
    constexpr int kTurns = 40;
    // Each copy answers the questions of its own topics.
    auto play = [](int firstTopic) {
        for (int turn = 0; turn < kTurns; ++turn) {
            JxCUserRecord record;
            int tries = 0;
            while (!record.Load("jx0.Gv3")) {
                if (++tries > 20000)
                    return false;
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
            record.SetAnswer(0, firstTopic + turn / 5, turn % 5, turn);
        }
        return true;
    };
    const pid_t other = ::fork();
    ASSERT_GE(other, 0);
    if (other == 0)
        ::_exit(play(11) ? 0 : 1);
    EXPECT_TRUE(play(0));
    int status = 0;
    ASSERT_EQ(::waitpid(other, &status, 0), other);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the other copy could not take its turns";
    JxCUserRecord ann;
    ASSERT_EQ(ann.Load("jx0.Gv3"), 1);
    int lost = 0;
    for (int turn = 0; turn < kTurns; ++turn)
        for (int firstTopic : {0, 11})
            lost += ann.GetAnswer(0, firstTopic + turn / 5, turn % 5) == turn ? 0 : 1;
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(leftovers(), 0u);
}

TEST_F(UserListTest, TheStartClearsWhatSavesEndedByForceLeftBehind)
{
    writeUser("jx0.Gv3", "Ann");
    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    const std::string left = userHost(".jx0.Gv3.tmp" + std::to_string(gone) + "-0");
    plat::testing::TempConfig::writeFile(left, "half a file");
    std::filesystem::last_write_time(left, std::filesystem::file_time_type::clock::now() - std::chrono::hours(3));
    JxCProductData data;
    ASSERT_EQ(data.Initialise(), 1);
    EXPECT_EQ(leftovers(), 0u);
    EXPECT_TRUE(std::filesystem::exists(userHost("jx0.Gv3")));
}

TEST_F(UserListTest, TheProductDataSavesTheLoggedInUserWhenItGoes)
{
    writeUser("jx0.Gv3", "Ann");
    auto data = std::make_unique<JxCProductData>();
    EXPECT_EQ(data->GetUser(), nullptr);
    ASSERT_EQ(data->Initialise(), 1);
    JxCUser* user = data->GetUser();
    ASSERT_NE(user, nullptr);
    user->LoadList();
    ASSERT_EQ(user->Login(0), 1);
    user->GetRecord()->SetAnswer(2, 5, 3, 77);
    data.reset();
    JxCUserRecord ann;
    ASSERT_EQ(ann.Load("jx0.Gv3"), 1);
    EXPECT_EQ(ann.GetAnswer(2, 5, 3), 77);
}

// No "User" key: the user folder is the program folder.
class ProgramFolderUsersTest : public UserFilesTest {
protected:
    void SetUp() override
    {
        UserFilesTest::SetUp();
        iniFile("[Directory]\nData=P:\\\n");
        ReadSettings();
    }
};

TEST_F(ProgramFolderUsersTest, WithoutAUserKeyTheFilesLieBesideTheProgram)
{
    EXPECT_EQ(text(GetUserFolder()), "P:\\");
    JxCUser user;
    EXPECT_EQ(text(user.CreateUser("Ann")), "jx0.Gv3");
    EXPECT_TRUE(std::filesystem::exists(config.program() + "/jx0.Gv3"));
    EXPECT_EQ(user.LoadList(), 1);
}

}  // namespace
