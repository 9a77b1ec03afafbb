#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <optional>
#include <string>

#include "platform/fs/atomic_file.h"
#include "platform/fs/files.h"
#include "title/users/JxCUserRecord.h"
#include "title/tests/user_fixture.h"

namespace {

using UserRecordTest = UserFilesTest;

// Bytes of slot s of a user file named "Ann": answered flag, then value.
constexpr std::size_t kAnnSlots = 2 + 3 + 4;
std::size_t slotAt(int level, int topic, int question)
{
    return kAnnSlots + std::size_t((topic * 3 + level) * 5 + question) * 4;
}

std::unique_ptr<JxCUserRecord> loaded(const char* fileName)
{
    auto record = std::make_unique<JxCUserRecord>();
    EXPECT_EQ(record->Load(fileName), 1);
    return record;
}

TEST_F(UserRecordTest, ANewUsersFileIsTheWritersNewUser)
{
    JxCUserRecord record;
    record.SetFileName("jx0.Gv3");
    EXPECT_EQ(record.Create("Ann"), JxCUserRecord::Creation::kWritten);
    testkit::UserFile ann;
    ann.name = "Ann";
    const auto bytes = bytesOf("jx0.Gv3");
    EXPECT_EQ(bytes.size(), 5329u);
    EXPECT_EQ(bytes, ann.Bytes());
    EXPECT_TRUE(reports->ids.empty());
}

TEST_F(UserRecordTest, ValuesSurviveASaveAsTheirLowSixteenBits)
{
    testkit::UserFile ann;
    ann.name = "Ann";
    ann.reserved = -5;
    ann.level = 1;
    ann.answer(1, 21, 4, 300).visited[1999] = 1;
    writeUser("jx4.Gv3", ann);
    {
        auto record = loaded("jx4.Gv3");
        EXPECT_EQ(std::string(record->GetName().View()), "Ann");
        EXPECT_EQ(record->GetReserved(), -5);
        EXPECT_EQ(record->GetLevel(), 1);
        EXPECT_EQ(record->GetAnswer(1, 21, 4), 300);
        EXPECT_EQ(record->IsVisited(1999), 1);
        record->SetAnswer(0, 0, 0, -1);
        record->SetAnswer(2, 21, 4, 70000);
        record->SetAnswer(0, 3, 2, -70000);
        record->SetVisited(0);
        record->AdvanceLevel();
    }  // saved here
    const auto bytes = bytesOf("jx4.Gv3");
    ASSERT_EQ(bytes.size(), 5329u);
    // -1 answered is kept as answered with the value -1.
    EXPECT_EQ(bytes[slotAt(0, 0, 0) + 1], 1);
    EXPECT_EQ(bytes[slotAt(0, 0, 0) + 2], 0xFF);
    EXPECT_EQ(bytes[slotAt(0, 0, 0) + 3], 0xFF);

    auto record = loaded("jx4.Gv3");
    EXPECT_EQ(record->GetAnswer(0, 0, 0), -1);
    EXPECT_EQ(record->CountAnswered(0), 2);
    EXPECT_EQ(record->GetAnswer(2, 21, 4), 4464);
    EXPECT_EQ(record->GetAnswer(0, 3, 2), -4464);
    EXPECT_EQ(record->GetReserved(), -5);
    EXPECT_EQ(record->GetLevel(), 2);
    EXPECT_EQ(record->IsVisited(0), 1);
    EXPECT_EQ(record->IsVisited(1999), 1);
    EXPECT_EQ(record->IsVisited(1), 0);
}

TEST_F(UserRecordTest, AShortFileKeepsNewRecordValuesPastItsEnd)
{
    testkit::UserFile ann;
    ann.name = "Ann";
    ann.level = 2;
    ann.answer(0, 0, 0, 7).answer(0, 0, 1, 8);
    for (auto& mark : ann.visited)
        mark = 1;
    auto bytes = ann.Bytes();
    // Cut in the middle of the second answer's value.
    bytes.resize(slotAt(0, 0, 1) + 3);
    testkit::UserFile cut;
    {
        std::string text(bytes.begin(), bytes.end());
        plat::testing::TempConfig::writeFile(userHost("jx0.Gv3"), text);
    }
    auto record = loaded("jx0.Gv3");
    EXPECT_EQ(record->GetLevel(), 2);
    EXPECT_EQ(record->GetAnswer(0, 0, 0), 7);
    EXPECT_EQ(record->GetAnswer(0, 0, 1), -1);
    EXPECT_EQ(record->CountAnswered(0), 1);
    EXPECT_EQ(record->IsVisited(0), 0);
    EXPECT_TRUE(reports->ids.empty());  // not reported
}

TEST_F(UserRecordTest, ANameLongerThanTheFileReadsAsNothing)
{
    testkit::UserFile file;
    file.name = "Ann";
    file.nameLength = 30000;
    file.level = 2;
    writeUser("jx0.Gv3", file);
    auto record = loaded("jx0.Gv3");
    EXPECT_TRUE(record->GetName().IsEmpty());
    EXPECT_EQ(record->GetLevel(), 0);

    file.nameLength = -3;  // a length below 1: no name, the fields follow at once
    file.name.clear();
    writeUser("jx1.Gv3", file);
    record = loaded("jx1.Gv3");
    EXPECT_TRUE(record->GetName().IsEmpty());
    EXPECT_EQ(record->GetLevel(), 2);
}

TEST_F(UserRecordTest, TheLevelReadStaysWithinZeroToThree)
{
    for (auto [stored, read] : {std::pair<std::int16_t, int>{7, 3}, {-2, 0}, {3, 3}, {0, 0}}) {
        testkit::UserFile file;
        file.name = "Lev";
        file.level = stored;
        writeUser("jx0.Gv3", file);
        EXPECT_EQ(loaded("jx0.Gv3")->GetLevel(), read) << stored;
    }
}

TEST_F(UserRecordTest, OnlyRealSlotsTakeAnswers)
{
    writeUser("jx0.Gv3", "Ann");
    const auto before = bytesOf("jx0.Gv3");
    {
        auto record = loaded("jx0.Gv3");
        // Level 3 has no slots: topic 21's would be past the last one.
        record->SetAnswer(3, 21, 4, 9);
        record->SetAnswer(-1, 0, 0, 9);
        record->SetAnswer(0, 22, 0, 9);
        record->SetAnswer(0, -1, 4, 9);
        record->SetAnswer(0, 0, 5, 9);
        record->SetVisited(2000);
        record->SetVisited(-1);
        EXPECT_EQ(record->GetAnswer(3, 21, 4), -1);
        EXPECT_EQ(record->GetAnswer(0, 0, 5), -1);
        EXPECT_EQ(record->IsVisited(2000), 0);
        EXPECT_EQ(record->IsVisited(-1), 0);
        EXPECT_EQ(record->CountAnswered(3), 110);
        EXPECT_TRUE(record->IsTopicDone(3, 0));
        EXPECT_FALSE(record->IsTopicDone(0, 22));
    }
    EXPECT_EQ(bytesOf("jx0.Gv3"), before);
}

TEST_F(UserRecordTest, TopicsAndLevelsFollowTheAnswers)
{
    writeUser("jx0.Gv3", "Ann");
    auto record = loaded("jx0.Gv3");
    EXPECT_FALSE(record->HasStartedQuiz());
    for (int topic = 0; topic < 22; ++topic)
        for (int q = 0; q < 5; ++q)
            if (topic != 4 && topic != 20)
                record->SetAnswer(1, topic, q, q);
    EXPECT_FALSE(record->HasStartedQuiz());  // level 1 answers do not count
    EXPECT_EQ(record->FindNextTopic(1, 4), 20);
    EXPECT_EQ(record->FindNextTopic(1, 20), 4);  // round past 21 to 0
    EXPECT_EQ(record->FindNextTopic(1, -1), 4);
    for (int q = 0; q < 4; ++q)
        record->SetAnswer(1, 4, q, q);
    EXPECT_FALSE(record->IsTopicDone(1, 4));
    record->SetAnswer(1, 4, 4, 0);
    EXPECT_EQ(record->FindNextTopic(1, 20), -1);  // only the topic after which it looks is left
    EXPECT_FALSE(record->IsLevelDone(1));
    for (int q = 0; q < 5; ++q)
        record->SetAnswer(1, 20, q, q);
    EXPECT_TRUE(record->IsLevelDone(1));
    EXPECT_EQ(record->CountAnswered(1), 110);
    EXPECT_EQ(record->CountAnswered(0), 0);

    record->SetAnswer(0, 0, 0, 1);
    EXPECT_TRUE(record->HasStartedQuiz());
    record->ResetQuiz();
    EXPECT_FALSE(record->HasStartedQuiz());
    EXPECT_EQ(record->CountAnswered(1), 0);
    for (int i = 0; i < 5; ++i)
        record->AdvanceLevel();
    EXPECT_EQ(record->GetLevel(), 3);
    EXPECT_TRUE(record->HasStartedQuiz());
}

TEST_F(UserRecordTest, ALoadedFileCanOnlyBeReadElsewhere)
{
    writeUser("jx0.Gv3", "Ann");
    auto record = loaded("jx0.Gv3");
    plat::OFSTRUCT info;
    EXPECT_EQ(plat::OpenFile("P:\\Users\\jx0.Gv3", &info, plat::OF_WRITE), plat::HFILE_ERROR);
    EXPECT_EQ(plat::OpenFile("P:\\Users\\jx0.Gv3", &info, plat::OF_READ | plat::OF_SHARE_EXCLUSIVE),
              plat::HFILE_ERROR);
    const plat::HFILE reader = plat::OpenFile("P:\\Users\\jx0.Gv3", &info, plat::OF_READ);
    EXPECT_NE(reader, plat::HFILE_ERROR);
    plat::_lclose(reader);
    record.reset();
    EXPECT_EQ(plat::OpenFile("P:\\Users\\jx0.Gv3", &info, plat::OF_EXIST | plat::OF_SHARE_EXCLUSIVE), 1);
}

TEST_F(UserRecordTest, AFileThatCannotBeOpenedIsNotLoadedAndNeverWritten)
{
    JxCUserRecord record;
    EXPECT_EQ(record.Load("jx9.Gv3"), 0);
    EXPECT_FALSE(record.IsLoaded());
    EXPECT_EQ(std::string(record.GetFileName().View()), "jx9.Gv3");
    record.SetAnswer(0, 0, 0, 1);
    // Nothing is written for it when it goes, and nothing reported.
    {
        JxCUserRecord gone;
        gone.Load("jx9.Gv3");
    }
    EXPECT_FALSE(std::filesystem::exists(userHost("jx9.Gv3")));
    EXPECT_TRUE(reports->ids.empty());
}

TEST_F(UserRecordTest, EachAnswerLevelAndNewlyVisitedPageIsInTheFileAtOnce)
{
    writeUser("jx0.Gv3", "Ann");
    auto record = loaded("jx0.Gv3");
    testkit::UserFile ann;
    ann.name = "Ann";
    record->SetAnswer(0, 2, 2, 6);
    EXPECT_EQ(bytesOf("jx0.Gv3"), ann.answer(0, 2, 2, 6).Bytes()) << "after an answer";
    record->AdvanceLevel();
    ann.level = 1;
    EXPECT_EQ(bytesOf("jx0.Gv3"), ann.Bytes()) << "after a level";
    record->SetVisited(7);
    ann.visited[7] = 1;
    EXPECT_EQ(bytesOf("jx0.Gv3"), ann.Bytes()) << "after a new page";
    EXPECT_FALSE(record->HasUnsavedProgress());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(leftovers(), 0u);
}

// A disc that fills as the user plays, and is freed again.
class FullDiscTest : public UserFilesTest {
protected:
    void TearDown() override
    {
        plat::SetWriteFaultHook({});
        UserFilesTest::TearDown();
    }
    void fillDisc()
    {
        plat::SetWriteFaultHook([](const std::string& host, std::size_t written) {
            return host.ends_with("jx0.Gv3") && written >= 4096 ? ENOSPC : 0;
        });
    }
    std::size_t savesShown() const
    {
        std::size_t n = 0;
        for (const plat::UiRequest& box : boxes)
            n += box.text.find("Your progress could not be saved in P:\\Users\\jx0.Gv3") != std::string::npos;
        return n;
    }
};

TEST_F(FullDiscTest, AFailedSaveIsShownAndRetryOnceTheDiscHasRoomSavesTheAnswer)
{
    testkit::UserFile ann;
    ann.name = "Ann";
    writeUser("jx0.Gv3", ann);
    auto record = loaded("jx0.Gv3");
    fillDisc();
    int shown = 0;
    plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
        boxes.push_back(r);
        // The user makes room after the first box.
        if (++shown == 2)
            plat::SetWriteFaultHook({});
        return kAnswerRetry;
    });
    record->SetAnswer(0, 1, 1, 5);
    EXPECT_EQ(savesShown(), 2u);
    EXPECT_EQ(boxes.back().style & 0xF, unsigned(kStyleRetryCancel));
    EXPECT_EQ(bytesOf("jx0.Gv3"), ann.answer(0, 1, 1, 5).Bytes());
    EXPECT_FALSE(record->HasUnsavedProgress());
    EXPECT_EQ(leftovers(), 0u);
}

TEST_F(FullDiscTest, AfterCancelTheProgressIsKeptTriedQuietlyAndAskedForOnceMoreAtTheEnd)
{
    testkit::UserFile ann;
    ann.name = "Ann";
    writeUser("jx0.Gv3", ann);
    const auto before = bytesOf("jx0.Gv3");
    auto record = loaded("jx0.Gv3");
    fillDisc();
    answers = {kAnswerCancel};
    record->SetAnswer(0, 1, 1, 5);
    record->SetVisited(3);
    record->AdvanceLevel();
    EXPECT_EQ(savesShown(), 1u) << "only the first failure asks";
    EXPECT_EQ(bytesOf("jx0.Gv3"), before);
    EXPECT_TRUE(record->HasUnsavedProgress());

    // Going, it asks again; the disc has room by then.
    plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
        boxes.push_back(r);
        plat::SetWriteFaultHook({});
        return kAnswerRetry;
    });
    record.reset();
    EXPECT_EQ(savesShown(), 2u);
    ann.answer(0, 1, 1, 5).visited[3] = 1;
    ann.level = 1;
    EXPECT_EQ(bytesOf("jx0.Gv3"), ann.Bytes());
    EXPECT_EQ(leftovers(), 0u);
}

TEST_F(FullDiscTest, TheRescueSavesQuietlyWhatTheDiscRefusedBefore)
{
    writeUser("jx0.Gv3", "Ann");
    auto record = loaded("jx0.Gv3");
    fillDisc();
    answers = {kAnswerCancel};
    record->SetAnswer(0, 4, 0, 2);
    ASSERT_TRUE(record->HasUnsavedProgress());
    // Logged or not, the failure is on the program's standard error.
    testing::internal::CaptureStderr();
    EXPECT_FALSE(record->SaveQuietly());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Your progress could not be saved in P:\\Users\\jx0.Gv3."),
              std::string::npos);
    plat::SetWriteFaultHook({});
    const std::size_t shown = boxes.size();
    EXPECT_TRUE(record->SaveQuietly());
    EXPECT_EQ(boxes.size(), shown);
    JxCUserRecord reread;
    record.reset();
    ASSERT_EQ(reread.Load("jx0.Gv3"), 1);
    EXPECT_EQ(reread.GetAnswer(0, 4, 0), 2);
}

TEST_F(FullDiscTest, ANewUsersFileThatCannotBeWrittenClaimsNothingKept)
{
    fillDisc();
    answers = {kAnswerCancel};
    JxCUserRecord record;
    record.SetFileName("jx0.Gv3");
    EXPECT_EQ(record.Create("Ann"), JxCUserRecord::Creation::kFailed);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("The new user could not be saved in P:\\Users\\jx0.Gv3."), std::string::npos)
        << boxes[0].text;
    EXPECT_FALSE(std::filesystem::exists(userHost("jx0.Gv3")));
}

TEST_F(UserRecordTest, AnUnchangedRecordThatCannotBeWrittenAtTheEndAsksNothing)
{
    writeUser("jx0.Gv3", "Ann");
    const auto before = bytesOf("jx0.Gv3");
    {
        auto record = loaded("jx0.Gv3");
        plat::SetWriteFaultHook([](const std::string&, std::size_t) { return ENOSPC; });
    }
    plat::SetWriteFaultHook({});
    EXPECT_EQ(bytesOf("jx0.Gv3"), before);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(leftovers(), 0u);
}

TEST_F(UserRecordTest, ANewUsersFileNeverReplacesAnother)
{
    writeUser("jx0.Gv3", "Bob");
    const auto bob = bytesOf("jx0.Gv3");
    JxCUserRecord record;
    record.SetFileName("JX0.gv3");
    EXPECT_EQ(record.Create("Ann"), JxCUserRecord::Creation::kNameTaken);
    EXPECT_EQ(bytesOf("jx0.Gv3"), bob);
    EXPECT_EQ(leftovers(), 0u);
    EXPECT_TRUE(reports->ids.empty());
}

// A user folder that does not exist yet.
class NewUserFolderTest : public UserFilesTest {
protected:
    const char* userFolderSetting() const override { return "P:\\Fresh\\"; }
};

TEST_F(NewUserFolderTest, AMissingUserFolderIsMade)
{
    JxCUserRecord record;
    record.SetFileName("jx0.Gv3");
    EXPECT_EQ(record.Create("Ann"), JxCUserRecord::Creation::kWritten);
    EXPECT_TRUE(std::filesystem::exists(config.program() + "/Fresh/jx0.Gv3"));
}

// A user folder under a plain file, which can never be made.
class BlockedUserFolderTest : public UserFilesTest {
protected:
    void SetUp() override
    {
        plat::testing::TempConfig::writeFile(config.program() + "/plain", "not a folder");
        UserFilesTest::SetUp();
    }
    const char* userFolderSetting() const override { return "P:\\plain\\Users"; }
};

TEST_F(BlockedUserFolderTest, AFolderThatCannotBeMadeIsReportedByName)
{
    JxCUserRecord record;
    record.SetFileName("jx0.Gv3");
    answers = {kAnswerRetry, kAnswerCancel};
    EXPECT_EQ(record.Create("Ann"), JxCUserRecord::Creation::kFailed);
    ASSERT_EQ(boxes.size(), 2u) << "asked again after Retry";
    EXPECT_NE(boxes[0].text.find("The user folder P:\\plain\\Users cannot be written."), std::string::npos)
        << boxes[0].text;
    EXPECT_EQ(boxes[0].style & 0xF, unsigned(kStyleRetryCancel));
}

}  // namespace
