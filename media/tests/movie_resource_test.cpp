// The movie and sound media objects: where a movie goes and what it plays,
// its end reported to the action that drives it, pauses, steps, the
// redraw when it stops, files that do not open, and where sounds are read
// from and how they play.

#include "media/JxCQT3Resource.h"
#include "media/JxCSoundResource.h"
#include "media/JxMediaFileNames.h"
#include "media/tests/movie_fixture.h"
#include "testkit/wave.h"

namespace media_test {
namespace {

class MovieResourceTest : public MovieTest {
protected:
    void SetUp() override
    {
        MovieTest::SetUp();
        ASSERT_TRUE(media.Init("FIVE", 0));
        ASSERT_TRUE(media.Open(&action));
    }
    JxCQT3Resource media;
};

TEST_F(MovieResourceTest, AMovieWithoutPointsPlaysFromStartToEndAtItsMarkerAndStopsItsAction)
{
    media.SetClientData(5);
    const std::uint64_t start = harness.now();
    ASSERT_TRUE(media.Play(&action));
    EXPECT_EQ(media.GetCurrentAction(), &action);
    EXPECT_EQ(media.GetStartTime(), 0);
    EXPECT_EQ(media.GetEndTime(), 5 * kMovieFrame);
    EXPECT_EQ(media.GetMovie().GetRect(), JxCRect(100, 100, 164, 148)) << "the marker's corner plus the panel's";
    EXPECT_NE(pixel(20, 20), kMovieColours[0]) << "never drawn where it was before it was placed";
    EXPECT_TRUE(media.IsPlaying());
    EXPECT_TRUE(media.IsTicking());
    harness.runFor(start + 250 - harness.now());
    EXPECT_EQ(pixel(120, 120), kMovieColours[2]);
    EXPECT_EQ(action.stops, 0);
    harness.runFor(400);
    EXPECT_EQ(action.stops, 1) << "the product timer found the end";
    EXPECT_TRUE(action.IsStopped());
    EXPECT_FALSE(media.IsPlaying());
    EXPECT_TRUE(media.IsFinished());
    EXPECT_FALSE(media.IsTicking());
    EXPECT_EQ(pixel(120, 120), kMovieColours[4]) << "the last frame stays";
}

TEST_F(MovieResourceTest, AMovieIsPlacedOnlyOnceAndOnlyAtAMarkerThatExists)
{
    media.SetClientData(99);
    ASSERT_TRUE(media.Play(&action));
    EXPECT_EQ(media.GetMovie().GetRect().TopLeft(), JxCPoint(0, 0));
    media.GetMovie().SetPosition(JxCPoint(7, 9));
    media.SetClientData(5);
    ASSERT_TRUE(media.Play(&action));
    EXPECT_EQ(media.GetMovie().GetRect().TopLeft(), JxCPoint(7, 9)) << "a placed movie stays";
}

TEST_F(MovieResourceTest, ATickWhilePausedDoesNothingAndResumeGoesOnFromThere)
{
    media.SetEndPoint(4);
    ASSERT_TRUE(media.Play(&action));
    harness.runFor(150);
    ASSERT_TRUE(media.Pause());
    const std::int32_t at = media.GetMovie().GetCurrentTime();
    EXPECT_TRUE(media.IsPaused());
    harness.runFor(1000);
    JxCTimerParams tick;
    media.HandleEvent(&tick, &action);
    EXPECT_EQ(action.stops, 0);
    EXPECT_EQ(media.GetMovie().GetCurrentTime(), at);
    ASSERT_TRUE(media.Resume());
    EXPECT_FALSE(media.IsPaused());
    harness.runFor(1000);
    EXPECT_EQ(action.stops, 1);
    EXPECT_EQ(media.GetCurrentTime(), 4) << "played on to its end point, in frames";
}

TEST_F(MovieResourceTest, StartAndEndPointsAreFramesAndNegativeOnesMeanTheWholeMovie)
{
    media.SetStartPoint(-3);
    media.SetEndPoint(-3);
    EXPECT_EQ(media.GetStartTime(), 0);
    EXPECT_EQ(media.GetEndTime(), -1);
    media.SetStartPoint(3);
    media.SetEndPoint(1);
    EXPECT_EQ(media.GetStartTime(), 3 * kMovieFrame);
    EXPECT_EQ(media.GetEndTime(), kMovieFrame);
    ASSERT_TRUE(media.Play(&action));
    harness.runFor(150);
    EXPECT_EQ(media.GetCurrentTime(), 1) << "from frame 3 back towards frame 1";
    EXPECT_EQ(media.GetDuration(), 5);
}

TEST_F(MovieResourceTest, StepsBeforeTheFirstPlayAreBoundedByTheDuration)
{
    EXPECT_TRUE(media.StepTo(2, 1));
    EXPECT_TRUE(media.IsPaused());
    harness.runFor(1000);
    EXPECT_EQ(media.GetCurrentTime(), 3);
    EXPECT_TRUE(media.StepTo(4, 1)) << "the step to the movie's end";
    EXPECT_FALSE(media.StepTo(5, 1)) << "past the end";
    EXPECT_FALSE(media.StepTo(0, 0)) << "before the start";
    EXPECT_TRUE(media.StepTo(1, 0));
    harness.runFor(1000);
    EXPECT_EQ(media.GetCurrentTime(), 0);
}

TEST_F(MovieResourceTest, RewindingToZeroStopsHidesAndRedrawsTheMoviesAreaUnlessThePanelCloses)
{
    media.SetClientData(5);
    ASSERT_TRUE(media.Play(&action));
    harness.runFor(150);
    ASSERT_TRUE(media.Rewind(2));
    EXPECT_EQ(media.GetCurrentTime(), 2);
    EXPECT_TRUE(panel.draws.empty());
    ASSERT_TRUE(media.Rewind(0));
    EXPECT_FALSE(media.IsPlaying());
    EXPECT_FALSE(media.GetMovie().IsShown());
    ASSERT_EQ(panel.draws.size(), 1u);
    EXPECT_EQ(panel.draws[0], JxCRect(100, 40, 164, 88)) << "the movie's area in the panel's coordinates";
    EXPECT_TRUE(media.IsStopped());

    panel.MarkClosing();
    ASSERT_TRUE(media.Play(&action));
    media.StopAndRedraw();
    EXPECT_EQ(panel.draws.size(), 1u) << "a closing panel is not drawn";
}

TEST_F(MovieResourceTest, StopAndRedrawWithoutADrivingActionOrOwnerOnlyStops)
{
    JxCQT3Resource other;
    ASSERT_TRUE(other.Init("FIVE", 0));
    ASSERT_TRUE(other.Open(nullptr));
    other.StopAndRedraw();
    StopProbe orphan;
    ASSERT_TRUE(other.Play(&orphan));
    other.StopAndRedraw();
    EXPECT_FALSE(other.IsPlaying());
    JxCTimerParams tick;
    other.HandleEvent(&tick, nullptr);
    EXPECT_TRUE(panel.draws.empty());
}

TEST_F(MovieResourceTest, AnOwnerOutsideAPanelPlaysInTheCurrentPagesWindow)
{
    StopProbe pageAction;
    pageAction.SetOwner(page);
    ASSERT_TRUE(media.Play(&pageAction));
    EXPECT_EQ(media.GetMovie().GetShownWindow(), window);
    harness.runFor(1000);
    EXPECT_EQ(pageAction.stops, 1);
}

TEST_F(MovieResourceTest, AMovieThatDoesNotOpenIsReportedWithItsPathAndTheLibrarysError)
{
    JxCQT3Resource missing;
    ASSERT_TRUE(missing.Init("NONE", 0));
    EXPECT_FALSE(missing.Open(&action));
    // The file is named as missing once; the library's error each time.
    EXPECT_FALSE(missing.Open(&action));
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_NE(boxes[0].find("1182"), std::string::npos) << boxes[0];
    EXPECT_NE(boxes[1].find("1177"), std::string::npos) << boxes[1];
    EXPECT_NE(boxes[2].find("1177"), std::string::npos) << boxes[2];
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_FALSE(missing.IsAvailable());
}

// --- Names ---------------------------------------------------------------------

class OwnerFolderAction : public JxCAction, public JxMediaPathFlag {
public:
    std::int16_t GetPathFlag() const override { return flag; }
    std::int16_t flag = 1;
};

class FolderObject : public JxCDisplayObject {
public:
    JxCString GetDataPath() override { return JxCString("E:\\OWN\\"); }
};

TEST_F(MovieTest, MediaNamesFollowTheirPrefixesAndTheActionsPathFlag)
{
    auto def = std::make_unique<JxCProductDef>();
    def->SetDataPath("E:\\TITLE");
    product().SetProductDef(std::move(def));
    FolderObject folder;
    OwnerFolderAction flagged;
    flagged.SetOwner(&folder);
    EXPECT_EQ(ResolveMovieName("\\X\\CLIP", &action).View(), "\\X\\CLIP.mov");
    EXPECT_EQ(ResolveMovieName("CLIP", &flagged).View(), "E:\\OWN\\CLIP.mov");
    EXPECT_EQ(ResolveSoundName("BEEP", &flagged).path.View(), "E:\\OWN\\BEEP.wav");
    flagged.flag = 0;
    EXPECT_EQ(ResolveSoundName("BEEP", &flagged).path.View(), "E:\\TITLE\\BEEP.wav");
    EXPECT_EQ(ResolveSoundName("\\SUB\\BEEP", &action).path.View(), "E:\\TITLE\\SUB\\BEEP.wav");
    const JxSoundSource resource = ResolveSoundName("@CHIME", &action);
    EXPECT_TRUE(resource.fromResource);
    EXPECT_EQ(resource.path.View(), "CHIME");
    EXPECT_EQ(ResolveSoundName("&NOWHERE", &action).path.View(), "E:\\TITLE\\NOWHERE.wav")
        << "not in the program's folder: the plain rule";
}

// --- Sounds -------------------------------------------------------------------

class SoundResourceTest : public MovieTest {
protected:
    void SetUp() override
    {
        MovieTest::SetUp();
        auto def = std::make_unique<JxCProductDef>();
        def->SetDataPath("E:");
        product().SetProductDef(std::move(def));
        samples = testkit::RampSamples(22050 / 2);
        writeSound("BEEP.wav", testkit::EncodeWave(testkit::Pcm16Sound(samples)));
    }
    std::vector<std::int16_t> samples;
};

TEST_F(SoundResourceTest, ASoundPlaysOnTheFirstPagesWindowAndRewindsOnlyToZero)
{
    JxCSoundResource sound;
    ASSERT_TRUE(sound.Init("BEEP", 0));
    ASSERT_TRUE(sound.Open(&action));
    ASSERT_NE(sound.GetWave(), nullptr);
    EXPECT_EQ(sound.GetLength(), std::int32_t(samples.size() * 2));
    EXPECT_TRUE(sound.IsStopped());
    ASSERT_TRUE(sound.Play(&action));
    EXPECT_TRUE(sound.IsPlaying());
    EXPECT_FALSE(product().IsBusy()) << "the busy mark lasts only for the start";
    ASSERT_TRUE(sound.Pause());
    EXPECT_TRUE(sound.IsPaused());
    ASSERT_TRUE(sound.Resume());
    EXPECT_TRUE(sound.Stop());
    EXPECT_FALSE(sound.IsPlaying());
    EXPECT_TRUE(sound.Rewind(7)) << "any other position: nothing, and true";
    EXPECT_EQ(action.told, 0);
    EXPECT_TRUE(sound.Rewind(0));
    EXPECT_EQ(action.told, 1) << "the driving action hears of the rewind";
    EXPECT_TRUE(sound.IsStopped());
    EXPECT_EQ(sound.GetWave()->state, kWaveStopped);
}

TEST_F(SoundResourceTest, AMissingSoundIsReportedButOpensSilent)
{
    JxCSoundResource sound;
    ASSERT_TRUE(sound.Init("GONE", 0));
    EXPECT_TRUE(sound.Open(&action));
    // The file is named as missing once; the failed load each time.
    EXPECT_TRUE(sound.Open(&action));
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_NE(boxes[0].find("1182"), std::string::npos) << boxes[0];
    EXPECT_NE(boxes[1].find("1001"), std::string::npos) << boxes[1];
    EXPECT_NE(boxes[2].find("1001"), std::string::npos) << boxes[2];
    EXPECT_FALSE(sound.Play(&action));
    EXPECT_TRUE(sound.IsFinished());
    EXPECT_EQ(sound.GetLength(), 0);
}

TEST_F(SoundResourceTest, WithoutAnOpenPageNothingStartsAndPlaySucceeds)
{
    panel.SetOwnerPage(nullptr);
    product().GetPageList().Remove(page);
    delete page;
    page = nullptr;
    product().SetCurrentPage(nullptr);
    JxCSoundResource sound;
    ASSERT_TRUE(sound.Init("BEEP", 0));
    ASSERT_TRUE(sound.Open(&action));
    EXPECT_TRUE(sound.Play(&action));
    EXPECT_FALSE(sound.IsPlaying());
}

}  // namespace
}  // namespace media_test
