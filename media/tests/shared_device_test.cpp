// Media that play at once, each on a wave device of its own, as a title's
// pages do (an animation with its sound and a button's click, a sound and
// the idle chime): every completion goes back to the media that wrote the
// buffer, whoever took the product's media owner last, so each plays to
// its end at its own pace and closes its device; and a device that stops
// takes back only its own completions.

#include <gtest/gtest.h>

#include <cmath>

#include "media/JxCPlaySoundAction.h"
#include "media/JxCSoundResource.h"
#include "media/JxPicsActions.h"
#include "media/tests/pics_play_fixture.h"
#include "testkit/wave.h"

namespace {

using namespace pics_play;

// The first page: its window takes the sounds' completions.
class WindowPage : public JxCPageObject {
public:
    plat::HWND GetWindow() const override { return window; }
    plat::HWND window = nullptr;
};

class SharedDeviceTest : public PicsPlayTest {
protected:
    void SetUp() override
    {
        PicsPlayTest::SetUp();
        RegisterResourceClass(JxResourceKind::Sound, MakeInstance<JxCResourceObject, JxCSoundResource>);
        auto* first = new WindowPage;
        first->window = window;
        GetProduct()->GetPageList().Add(first);
        makePanel();
        writePicture("anim.ani", TenFrames(true).Bytes());
        ASSERT_EQ(pics->Setup(JxCString("&anim"), 0, 0, 0, 0, 0, panel.get(), 0, 0), 1);
    }
    void TearDown() override
    {
        // The actions go before their media and the panel.
        sounds.clear();
        pics.reset();
        PicsPlayTest::TearDown();
    }

    // A play-sound action for a tone of that length, in the program folder.
    JxCPlaySoundAction& sound(const std::string& name, int ms)
    {
        std::vector<std::int16_t> samples(std::size_t(kRate) * std::size_t(ms) / 1000);
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = std::int16_t(6000 * std::sin(double(i) * 0.3));
        writePicture(name + ".wav", testkit::EncodeWave(testkit::Pcm16Sound(samples, kRate)));
        auto action = std::make_unique<JxCPlaySoundAction>();
        EXPECT_EQ(action->SetParameters(JxCString(("&" + name).c_str()), 0, 0, 0, 0, 0, nullptr), 1);
        sounds.push_back(std::move(action));
        return *sounds.back();
    }
    static JxCSoundResource& mediaOf(JxCPlaySoundAction& action)
    {
        return *dynamic_cast<JxCSoundResource*>(action.GetResource());
    }
    static bool playedOut(JxCPlaySoundAction& action)
    {
        JxCSoundResource& media = mediaOf(action);
        return media.IsFinished() && !media.IsPlaying() && media.GetPosition() == media.GetLength();
    }
    // Runs in 10 ms steps until done or the limit.
    void runUntil(const std::function<bool()>& done, std::uint64_t limitMs = 6000)
    {
        const std::uint64_t start = harness.now();
        while (!done() && harness.now() - start < limitMs)
            harness.runFor(10);
    }

    std::unique_ptr<JxCPlayQueuePicsAction> pics = std::make_unique<JxCPlayQueuePicsAction>();
    std::vector<std::unique_ptr<JxCPlaySoundAction>> sounds;
};

TEST_F(SharedDeviceTest, AnAnimationPlaysToItsLastFrameAtItsOwnPaceWhileASoundStartsAndEndsInTheMiddle)
{
    JxCPlaySoundAction& click = sound("click", 300);
    ASSERT_EQ(pics->Execute(), 1);
    std::vector<int> frames;
    std::vector<std::uint64_t> times;
    bool clicked = false;
    runUntil([&] {
        const int shown = pics->GetPosition();
        if (shown > int(frames.size())) {
            frames.push_back(frameOnPage());
            times.push_back(harness.now());
        }
        if (shown == 3 && !clicked) {
            clicked = true;
            EXPECT_EQ(click.Execute(), 1);  // it takes the media owner
        }
        return !pics->IsPlaying() && !mediaOf(click).IsPlaying();
    });
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_TRUE(playedOut(click));
    // One frame for each of its own slices of about 100 ms: the sound's
    // completions neither stepped it nor held it.
    for (std::size_t i = 2; i < times.size(); ++i)
        EXPECT_NEAR(double(times[i] - times[i - 1]), 100.0, 20.0) << "frame " << i + 1;
    EXPECT_FALSE(IsAnyResourcePlaying());
    EXPECT_EQ(plat::OpenWaveOutCount(), 0u);
}

TEST_F(SharedDeviceTest, TwoOverlappingSoundsBothPlayToTheirEnds)
{
    JxCPlaySoundAction& first = sound("first", 2000);
    JxCPlaySoundAction& second = sound("second", 1500);
    ASSERT_EQ(first.Execute(), 1);
    harness.runFor(300);
    ASSERT_EQ(second.Execute(), 1);
    runUntil([&] { return playedOut(first) && playedOut(second); });
    EXPECT_TRUE(playedOut(first));
    EXPECT_TRUE(playedOut(second));
    EXPECT_EQ(plat::OpenWaveOutCount(), 0u);
    const auto heard = audio->takeSounds();
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].samples.size() + heard[1].samples.size(), std::size_t(kRate) * 35 / 10);
}

TEST_F(SharedDeviceTest, ASoundStoppedWhileAnotherPlaysTakesBackOnlyItsOwnCompletions)
{
    JxCPlaySoundAction& stopped = sound("stopped", 2000);
    JxCPlaySoundAction& kept = sound("kept", 1000);
    ASSERT_EQ(stopped.Execute(), 1);
    harness.runFor(100);
    ASSERT_EQ(kept.Execute(), 1);
    // The kept sound's first buffer has played (at 500 ms) and its
    // completion waits, not yet posted, when the other stops.
    harness.runFor(350);
    harness.advance(100);
    EXPECT_EQ(mediaOf(stopped).Stop(), 1);
    runUntil([&] { return playedOut(kept); });
    EXPECT_TRUE(playedOut(kept));
    EXPECT_EQ(plat::OpenWaveOutCount(), 0u);
}

}  // namespace
