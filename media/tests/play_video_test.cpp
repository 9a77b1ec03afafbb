// The play-video action: its record, set-up and copies bound to one movie,
// playing at its marker through the action processor with the rest of its
// list held until the movie ends, and its end when it goes.

#include "foundation/JxCInStrStream.h"
#include "media/JxCQT3PlayAction.h"
#include "media/JxCQT3Resource.h"
#include "media/tests/movie_fixture.h"
#include "runtime/JxClassFactories.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxTypeRegistry.h"
#include "testkit/media_actions.h"
#include "testkit/playing_action.h"

namespace media_test {
namespace {

class PlayVideoTest : public MovieTest {
protected:
    void SetUp() override
    {
        MovieTest::SetUp();
        RegisterTypeIds();
        RegisterResourceClass(JxResourceKind::Movie, MakeInstance<JxCResourceObject, JxCQT3Resource>);
        fakes.library().add("\\BROKEN.MOV", [] {
            plat::FakeMovie m;
            m.error = plat::kMovieNotAMovie;
            return m;
        }());
    }
    void TearDown() override
    {
        EmptyResourceList();
        UnregisterFactoryClasses();
        MovieTest::TearDown();
        ReleaseTypeRegistries();
    }

    // Reads the record of the description, with its name interned.
    std::unique_ptr<JxCQT3PlayAction> read(const testkit::PlayVideo& video, std::int16_t* result = nullptr)
    {
        product().InternString(video.movie.c_str());
        bytes = testkit::PlayVideoAction(video, std::uint16_t(product().GetTableStringCount())).record;
        JxCInStrStream in(JxMemoryBlock{bytes.data(), std::uint32_t(bytes.size())});
        auto a = std::make_unique<JxCQT3PlayAction>();
        const std::int16_t ok = a->Read(in, owner);
        if (result)
            *result = ok;
        return a;
    }
    static JxCTableString name(const char* text) { return JxCTableString(text); }

    std::vector<std::uint8_t> bytes;
};

TEST_F(PlayVideoTest, TheRecordIsReadInOrderAndBindsAtOnceOnlyWithAnOpenParameter)
{
    testkit::PlayVideo video;
    video.movie = "FIVE";
    video.start = 1;
    video.end = 3;
    video.stepWord = 2;
    video.stopOnDestroy = 1;
    video.words[0] = 11;
    video.words[1] = 12;
    video.x = 30;
    video.y = 40;
    video.afterPosition = 13;
    video.marker = 5;
    video.last[0] = 14;
    video.last[1] = 15;
    std::int16_t ok = 0;
    auto a = read(video, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(a->GetMovieName().View(), "FIVE");
    EXPECT_EQ(a->GetStart(), 1);
    EXPECT_EQ(a->GetEnd(), 3);
    EXPECT_EQ(a->GetStepWord(), 2);
    EXPECT_EQ(a->GetStopOnDestroy(), 1);
    EXPECT_EQ(a->GetPlace(), JxCPoint(30, 40));
    EXPECT_EQ(a->GetClientData(), 5);
    EXPECT_EQ(a->GetWords(), (JxCQT3PlayAction::Words{11, 12, 13, 14, 15}));
    EXPECT_EQ(a->GetOwner(), owner);
    EXPECT_EQ(a->GetMedia(), nullptr) << "open parameter 0: bound when it first runs";

    video.openParam = 1;
    auto b = read(video);
    ASSERT_NE(b->GetMedia(), nullptr);
    EXPECT_EQ(GetResourceList().GetCount(), 1);

    // Every cut of the record fails cleanly.
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        JxCInStrStream in(JxMemoryBlock{bytes.data(), std::uint32_t(n)});
        JxCQT3PlayAction cut;
        EXPECT_FALSE(cut.Read(in, owner)) << n << " bytes";
    }
}

TEST_F(PlayVideoTest, AMovieThatCannotOpenFailsOnlyWhenTheActionRuns)
{
    testkit::PlayVideo video;
    video.movie = "BROKEN";
    std::int16_t ok = 0;
    auto a = read(video, &ok);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(a->Execute());
    EXPECT_EQ(boxes.size(), 1u) << "message 1177";
    EXPECT_EQ(a->GetMedia(), nullptr);
    EXPECT_EQ(a->GetLength(), 0);
    EXPECT_FALSE(a->IsPlaying());
    EXPECT_EQ(GetResourceList().GetCount(), 0);
}

TEST_F(PlayVideoTest, SetupTurnsAStepWordOfZeroOrMinusOneIntoOne)
{
    JxCQT3PlayAction a, b, c;
    a.Setup(owner, name("FIVE"), 0, -1, -1, 0, 0, 0, 0, JxCPoint(), 1, 1);
    b.Setup(owner, name("FIVE"), 0, -1, 0, 0, 0, 0, 0, JxCPoint(), 1, 1);
    c.Setup(owner, name("FIVE"), 0, -1, 4, 1, 0, 0, 0, JxCPoint(), 1, 1);
    EXPECT_EQ(a.GetStepWord(), 1);
    EXPECT_EQ(b.GetStepWord(), 1);
    EXPECT_EQ(c.GetStepWord(), 4);
    EXPECT_EQ(a.GetMedia(), nullptr);
    ASSERT_NE(c.GetMedia(), nullptr) << "an open parameter binds at once";
    EXPECT_EQ(c.GetLength(), 5);
}

TEST_F(PlayVideoTest, ACopySharesTheMovieAndEqualityComparesFieldsAndOwner)
{
    JxCQT3PlayAction a;
    a.Setup(owner, name("FIVE"), 1, 4, 1, 1, 0, 0, 0, JxCPoint(3, 4), 1, 1);
    a.SetClientData(5);
    {
        JxCQT3PlayAction copy(a);
        EXPECT_EQ(copy.GetMedia(), a.GetMedia());
        EXPECT_EQ(a.GetMedia()->CountActions(), 2);
        EXPECT_TRUE(copy.Equals(a));
        copy.SetClientData(6);
        EXPECT_FALSE(copy.Equals(a));
        copy.SetClientData(5);
        copy.SetOwner(marker);
        EXPECT_FALSE(copy.Equals(a));
    }
    EXPECT_EQ(a.GetMedia()->CountActions(), 1) << "the copy left the movie when it went";
    EXPECT_EQ(GetResourceList().GetCount(), 1);
}

TEST_F(PlayVideoTest, DestroyingABoundActionThatStopsOnDestroyStopsTheMovieAndRedrawsItsArea)
{
    auto a = std::make_unique<JxCQT3PlayAction>();
    a->Setup(owner, name("FIVE"), 0, -1, 1, 1, 0, 0, 1, JxCPoint(), 1, 1);
    a->SetClientData(5);
    ASSERT_TRUE(a->Execute());
    harness.runFor(150);
    EXPECT_EQ(pixel(120, 120), kMovieColours[1]);
    JxCQT3Resource* media = a->GetMedia();
    EXPECT_TRUE(media->IsPlaying());
    a.reset();
    EXPECT_EQ(GetResourceList().GetCount(), 0) << "its last action gone, the movie goes";
    ASSERT_EQ(panel.draws.size(), 1u);
    EXPECT_EQ(panel.draws[0], JxCRect(100, 40, 164, 88));
}

TEST_F(PlayVideoTest, AnActionOutlivingTheEmptiedListLeavesItsMovieAlone)
{
    auto a = std::make_unique<JxCQT3PlayAction>();
    a->Setup(owner, name("FIVE"), 0, -1, 1, 1, 0, 0, 1, JxCPoint(), 1, 1);
    ASSERT_TRUE(a->Execute());
    harness.runFor(150);
    EmptyResourceList();
    a.reset();  // the movie it was bound to has gone with the list
    EXPECT_TRUE(panel.draws.empty());
}

TEST_F(PlayVideoTest, ThroughTheProcessorTheRestOfTheListWaitsForTheMoviesEnd)
{
    testkit::ActionLog log;
    JxCQT3PlayAction play;
    play.Setup(owner, name("FIVE"), 0, -1, 1, 0, 0, 0, 0, JxCPoint(), 1, 1);
    play.SetClientData(5);
    testkit::PlayingAction after("after", log);
    after.plays = false;
    ASSERT_TRUE(play.Trigger(0));
    ASSERT_TRUE(after.Trigger(0));
    harness.runFor(250);
    EXPECT_TRUE(play.IsPlaying());
    EXPECT_EQ(pixel(120, 120), kMovieColours[2]) << "at the marker";
    EXPECT_TRUE(log.empty()) << "held behind the movie";
    harness.runFor(600);
    EXPECT_FALSE(play.IsPlaying());
    EXPECT_TRUE(play.IsStopped());
    EXPECT_EQ(log, testkit::ActionLog{"after"});
}

TEST_F(PlayVideoTest, WhenItsMediaStopsTheActionRedrawsThePanelAndStopsItsOwner)
{
    JxCQT3PlayAction a;
    a.Setup(owner, name("FIVE"), 0, -1, 1, 1, 0, 0, 0, JxCPoint(), 1, 1);
    EXPECT_TRUE(a.OnResourceStopped());
    ASSERT_EQ(panel.draws.size(), 1u);
    EXPECT_EQ(panel.draws[0], JxCRect(-1, -1, -1, -1)) << "the whole panel";
    EXPECT_EQ(panel.transitions[0], 1);
    panel.MarkClosing();
    EXPECT_TRUE(a.OnResourceStopped());
    EXPECT_EQ(panel.draws.size(), 1u);
    JxCQT3PlayAction unbound;
    EXPECT_TRUE(unbound.OnResourceStopped());
    EXPECT_EQ(unbound.GetPosition(), 0);
    EXPECT_FALSE(unbound.Rewind(0));
    EXPECT_EQ(unbound.GetResource(), nullptr);
}

}  // namespace
}  // namespace media_test
