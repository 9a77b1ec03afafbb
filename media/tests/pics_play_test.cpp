// Animations played on a panel through their shared media object, paced by
// the headless sound device on the virtual clock, or by the frame timer
// when they carry no sound.

#include <gtest/gtest.h>

#include <new>

#include "media/JxPicsActions.h"
#include "media/tests/pics_play_fixture.h"
#include "platform/tests/golden.h"

namespace {

using namespace pics_play;

constexpr const char* kGolden = "media/tests/golden";

// The media owner of the test: it hands every completion and tick to the
// action, and notes the player's state and position after each.
class Driver : public JxCRunTimeObject {
public:
    explicit Driver(JxCPlayPicsAction& action) : action_(action) {}
    void OnSystemEvent(JxCTimerParams* record) override
    {
        action_.HandleEvent(record);
        const JxPicsPlayer* player = action_.GetMedia() ? action_.GetMedia()->GetPlayer() : nullptr;
        steps.push_back({GetPICSState(player), GetPICSFrame(player)});
    }
    struct Step {
        std::int16_t state;
        std::uint32_t frame;
    };
    std::vector<Step> steps;

private:
    JxCPlayPicsAction& action_;
};

class PicsPlayThroughTest : public PicsPlayTest {
protected:
    // Plays "&anim" from a driver and follows it in 10 ms steps of virtual
    // time until it stops playing or `limitMs` has passed; the frames seen
    // on the page, in order. Goldens of the first and tenth frames when
    // named.
    std::vector<int> playToEnd(std::uint64_t limitMs, const char* goldenPrefix = nullptr)
    {
        std::vector<int> seen;
        auto shot = [&](int n) {
            if (goldenPrefix && (n == 1 || n == 10)) {
                EXPECT_EQ(plat::testing::CompareWithGolden(static_cast<plat::HBITMAP>(page->slate.GetBitmap().handle),
                                                           std::string(goldenPrefix) + std::to_string(n), kGolden),
                          "");
            }
        };
        EXPECT_EQ(play.Execute(), 1);
        if (play.GetPosition() > 0) {
            seen.push_back(frameOnPage());
            shot(seen.back());
        }
        const std::uint64_t start = harness.now();
        while (play.IsPlaying() && harness.now() - start < limitMs) {
            harness.runFor(10);
            const int shown = play.GetPosition();
            if (shown > int(seen.size())) {
                EXPECT_EQ(shown, int(seen.size()) + 1) << "a frame was skipped";
                seen.push_back(frameOnPage());
                shot(seen.back());
            }
        }
        elapsed = harness.now() - start;
        return seen;
    }
    void prepare(const Bytes& file)
    {
        makePanel();
        writePicture("anim.ani", file);
        ASSERT_EQ(play.Setup(JxCString("&anim"), 0, 0, 0, 0, 0, panel.get(), 0, 0), 1);
        ASSERT_EQ(play.Register(&driver), 1);
    }
    void TearDown() override
    {
        // The action goes before its media and its panel.
        owned.reset();
        PicsPlayTest::TearDown();
    }

    std::unique_ptr<JxCPlayPicsAction> owned = std::make_unique<JxCPlayPicsAction>();
    JxCPlayPicsAction& play = *owned;
    Driver driver{play};
    std::uint64_t elapsed = 0;
};

const std::vector<int> kOneToTen = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

TEST_F(PicsPlayThroughTest, TheSoundShowsOneFrameACompletionAndPlaysWhole)
{
    prepare(TenFrames(true).Bytes());
    EXPECT_EQ(play.GetLength(), 10);
    EXPECT_EQ(playToEnd(5000, "pics_frame"), kOneToTen);
    // The end comes with the step that finds the sound played out, after
    // the tenth frame.
    ASSERT_FALSE(driver.steps.empty());
    EXPECT_EQ(driver.steps.back().state, kPicsFinished);
    for (const Driver::Step& s : driver.steps)
        if (s.state == kPicsFinished) {
            EXPECT_EQ(s.frame, 10u);
        }
    EXPECT_LT(elapsed, 2000u);

    // The device played the lead-in and every frame's slice, in order.
    play.Unregister(&driver);
    play.GetMedia()->Stop();
    const auto sounds = audio->takeSounds();
    ASSERT_EQ(sounds.size(), 1u);
    Bytes expected = testkit::Tone(440, kSlice, kRate);
    expected.insert(expected.end(), expected.begin(), expected.end());
    const Bytes rest = testkit::Tone(440, 10 * kSlice, kRate, 2 * kSlice);
    expected.insert(expected.end(), rest.begin(), rest.end());
    ASSERT_EQ(sounds[0].samples.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(sounds[0].samples[i], std::int16_t((int(expected[i]) - 128) * 256)) << i;
}

TEST_F(PicsPlayThroughTest, ASilentAnimationIsPacedByTheFrameTimerAndEnds)
{
    prepare(TenFrames(false).Bytes());
    EXPECT_EQ(playToEnd(5000), kOneToTen);
    EXPECT_EQ(GetPICSState(play.GetMedia()->GetPlayer()), kPicsFinished);
    // One frame a tick of the default period.
    EXPECT_GE(elapsed, 900u);
    EXPECT_LT(elapsed, 1500u);
    // The timer went with the end.
    const std::size_t steps = driver.steps.size();
    harness.runFor(1000);
    EXPECT_EQ(driver.steps.size(), steps);
}

// The frame timer's owner goes while the animation plays, and a new object
// takes its place in memory and a timer of its own: pausing the animation
// later leaves the new object's timer alone.
TEST_F(PicsPlayThroughTest, AFrameTimerWhoseOwnerWentIsNotTakenForTheTimerOfANewObjectAtItsAddress)
{
    struct Ticker : JxCRunTimeObject {
        void OnSystemEvent(JxCTimerParams*) override { ++ticks; }
        int ticks = 0;
    };
    static_assert(sizeof(Ticker) <= sizeof(Driver));
    prepare(TenFrames(false).Bytes());
    ASSERT_EQ(play.Execute(), 1);
    harness.runFor(250);
    driver.~Driver();
    Ticker* ticker = new (&driver) Ticker();
    ASSERT_TRUE(GetProduct()->SetTimer(ticker, nullptr, 100));
    play.GetMedia()->Pause();
    harness.runFor(1000);
    EXPECT_GE(ticker->ticks, 9);
    ticker->~Ticker();
    new (&driver) Driver(play);
}

TEST_F(PicsPlayThroughTest, AFileCutShortMidChunkEndsAndReportsOnce)
{
    makePanel();
    for (bool sound : {true, false}) {
        SCOPED_TRACE(sound ? "with sound" : "silent");
        const testkit::PicsFile ani = TenFrames(sound);
        const std::size_t first = ani.FirstFrameOffset();
        const std::size_t chunk = (ani.Bytes().size() - first) / 10;
        const std::string name = sound ? "cut1" : "cut0";
        writePicture(name + ".ani", ani.Truncated(first + 8 * chunk + chunk / 2));
        ASSERT_EQ(play.Setup(JxCString(("&" + name).c_str()), 0, 0, 0, 0, 0, panel.get(), 0, 0), 1);
        ASSERT_EQ(play.Register(&driver), 1);
        const std::vector<int> seen = playToEnd(5000);
        EXPECT_FALSE(play.IsPlaying());
        EXPECT_EQ(GetPICSState(play.GetMedia()->GetPlayer()), kPicsFinished);
        EXPECT_LT(elapsed, 2000u);
        EXPECT_GE(seen.size(), 7u);
        EXPECT_EQ(boxesOf(JxCPicsResource::kPlayFailedId), 1);
        boxes.clear();
    }
}

TEST_F(PicsPlayThroughTest, PausingHoldsTheFrameAndResumingPlaysOnToTheEnd)
{
    prepare(TenFrames(true).Bytes());
    JxCPicsResource* media = play.GetMedia();
    const JxPicsPlayer* player = media->GetPlayer();
    // Neither before the play.
    EXPECT_EQ(media->Pause(), 0);
    EXPECT_EQ(StopPICS(const_cast<JxPicsPlayer*>(player)), kPicsWrongState);
    EXPECT_EQ(ResumePICS(const_cast<JxPicsPlayer*>(player)), kPicsWrongState);
    ASSERT_EQ(play.Execute(), 1);
    harness.runFor(250);
    const std::int32_t held = play.GetPosition();
    ASSERT_GT(held, 1);
    ASSERT_EQ(media->Pause(), 1);
    EXPECT_EQ(GetPICSState(player), kPicsPaused);
    EXPECT_TRUE(play.IsPaused());
    harness.runFor(1000);
    EXPECT_EQ(play.GetPosition(), held);
    EXPECT_EQ(frameOnPage(), held);
    EXPECT_EQ(ResumePICS(const_cast<JxPicsPlayer*>(player)), kPicsOk);
    EXPECT_EQ(ResumePICS(const_cast<JxPicsPlayer*>(player)), kPicsWrongState);
    for (int i = 0; i < 300 && play.IsPlaying(); ++i)
        harness.runFor(10);
    EXPECT_EQ(GetPICSState(player), kPicsFinished);
    EXPECT_EQ(play.GetPosition(), 10);
    EXPECT_EQ(frameOnPage(), 10);
    // A finished animation is not paused.
    EXPECT_EQ(StopPICS(const_cast<JxPicsPlayer*>(player)), kPicsWrongState);
}

TEST_F(PicsPlayThroughTest, RewindTakesOnlyTheFirstPositions)
{
    prepare(TenFrames(true).Bytes());
    JxCPicsResource* media = play.GetMedia();
    ASSERT_EQ(play.Execute(), 1);
    harness.runFor(250);
    const JxPicsPlayer* before = media->GetPlayer();
    const std::int32_t position = play.GetPosition();
    EXPECT_EQ(media->Rewind(2), 1);
    EXPECT_EQ(media->GetPlayer(), before);
    EXPECT_EQ(play.GetPosition(), position);
    EXPECT_TRUE(play.IsPlaying());
    EXPECT_EQ(media->Rewind(0), 1);
    EXPECT_TRUE(media->IsOpen());
    EXPECT_TRUE(media->IsStopped());
    EXPECT_EQ(play.GetPosition(), 0);
}

TEST_F(PicsPlayThroughTest, PlayFailuresReportTheirMessages)
{
    makePanel();
    writePicture("anim.ani", TenFrames(true).Bytes());
    // No container to draw on: no slate, which is reported as memory
    // running out.
    {
        JxCPlayPicsAction homeless;
        ASSERT_EQ(homeless.Setup(JxCString("&anim"), 0, 0, 0, 0, 0, nullptr, 0, 0), 1);
        EXPECT_EQ(homeless.Execute(), 0);
        EXPECT_FALSE(homeless.IsPlaying());
    }
    EXPECT_EQ(boxesOf(JxCPicsResource::kNoSlateId), 1);
    // The device refuses to open: the busy mark goes, the message comes.
    ASSERT_EQ(play.Setup(JxCString("&anim"), 0, 0, 0, 0, 0, panel.get(), 0, 0), 1);
    plat::InjectWaveOutResult(plat::WaveOutCall::Open, plat::MMSYSERR_ALLOCATED);
    GetProduct()->MarkBusy();
    EXPECT_EQ(play.Execute(), 0);
    EXPECT_FALSE(GetProduct()->GetBusyBits() & 1);
    EXPECT_EQ(boxesOf(JxCPicsResource::kPlayFailedId), 1);
    // A closed animation.
    play.GetMedia()->Stop();
    EXPECT_EQ(play.Execute(), 0);
    EXPECT_EQ(boxesOf(JxCPicsResource::kNotOpenId), 1);
}

}  // namespace
