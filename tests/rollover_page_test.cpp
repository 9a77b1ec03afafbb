// The program run whole and headless with the headless sound device on the
// virtual clock: a page that plays a sound as it opens, then opens a child
// page, opens it only after the device has played the sound out when the
// sound is waited for, and at once when it is not; the sample title's
// rollover page lights its lamp's glow under the mouse and its micon's
// click is heard while the micon holds its frame.

#include <gtest/gtest.h>

#include <cmath>

#include "media/JxCResourceObject.h"
#include "objects/widgets/JxCMicon.h"
#include "platform/audio/audio_output.h"
#include "platform/audio/headless_audio.h"
#include "platform/screen/screen.h"
#include "platform/window/window.h"
#include "runtime/JxTypeRegistry.h"
#include "testkit/display_objects.h"
#include "testkit/rollover_records.h"
#include "testkit/sample_rollover.h"
#include "testkit/type_ids.h"
#include "testkit/wave.h"
#include "testkit/title_panels.h"
#include "tests/program_fixture.h"

namespace {

constexpr std::uint32_t kRate = 11025;
constexpr std::uint64_t kToneMs = 800;

class SoundProgramTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        auto out = std::make_unique<plat::HeadlessAudio>();
        audio = out.get();
        plat::InstallAudioOutput(std::move(out));
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        plat::InstallAudioOutput(nullptr);
    }

    // The sounds played out so far (the start-up probe of the device among
    // them) of that many samples.
    int tonesHeard(std::size_t samples)
    {
        int n = 0;
        for (const auto& sound : audio->takeSounds())
            n += sound.samples.size() == samples;
        return n;
    }

    // The micon of the sample's rollover page.
    static JxCMicon* miconOf(JxCBaseProduct& product)
    {
        JxCPageObject* page = product.FindPageById(std::int32_t(testkit::kRolloverPage));
        JxCPanelObject* panel = page ? page->GetPanelList()->FindById(2) : nullptr;
        const auto* r = testkit::kRolloverMicon;
        return panel ? dynamic_cast<JxCMicon*>(panel->FindObjectAtPoint(JxCPoint(std::int16_t(r[0] + 1), std::int16_t(r[1] + 1))))
                     : nullptr;
    }

    plat::HeadlessAudio* audio = nullptr;
};

// Page 1's hotspot plays "tone", waited for or not, then opens the child
// page 2.
class OpeningSoundTest : public SoundProgramTest {
protected:
    void writeTitle(std::uint16_t waiting)
    {
        ProgramClasses classes;
        RegisterTypeIds();
        testkit::TitleFolder title;
        title.palette = testkit::SamplePalette();
        testkit::ProductData& data = title.data;
        data.product().name("Sounds").size(646, 506).startPages({1});
        data.templateDef(1, "BASE_PAGE").panel(1, "Display").at(0, 0).size(640, 480).colour(255, 255, 255);
        data.templateDef(2, "CHILD_PAGE").size(100, 80).offset(400, 300).panel(1, "Display").size(100, 80).colour(24, 40, 96);
        testkit::PlaySound sound{"tone"};
        sound.waiting = waiting;
        testkit::PanelRecord panel(1);
        panel.add(testkit::HotspotRecord(0).rect(0, 0, 200, 200).on("on_click", {sound.Action(), testkit::OpenPageAction(2)}),
                  data);
        data.page(1, 1).name("Home").storedPanel("Display", testkit::TitlePanelBytes(panel));
        data.page(2, 2).name("Child");
        std::vector<std::int16_t> samples(kRate * kToneMs / 1000);
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = std::int16_t(6000 * std::sin(double(i) * 0.3));
        title.files["tone.wav"] = testkit::EncodeWave(testkit::Pcm16Sound(samples, kRate));
        install(title);
        ReleaseTypeRegistries();
    }
    // Clicks the hotspot: the virtual time from the sound's start to the
    // child's opening, and whether the sound still played then.
    void run(std::uint64_t& openedAfter, bool& playedOn)
    {
        std::uint64_t started = 0;
        bool clicked = false;
        ProgramTest::run([&](plat::HWND main) {
            JxCBaseProduct* product = GetProduct();
            if (!clicked) {
                clicked = true;
                harness->click(onScreen(main, 100, 100));
                return true;
            }
            const bool playing = GetResourceList().GetFirst() && GetResourceList().GetFirst()->IsPlaying();
            if (!started && playing)
                started = harness->now();
            if (product->GetPageCount() < 2)
                return false;
            openedAfter = harness->now() - started;
            playedOn = playing;
            plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
            return true;
        });
        EXPECT_NE(started, 0u) << "the sound never played";
    }
};

TEST_F(OpeningSoundTest, AWaitingSoundOpensTheNextPageOnlyOnceTheDeviceHasPlayedItOut)
{
    writeTitle(1);
    std::uint64_t after = 0;
    bool playing = true;
    run(after, playing);
    EXPECT_GE(after, kToneMs);
    EXPECT_FALSE(playing);
    EXPECT_EQ(tonesHeard(kRate * kToneMs / 1000), 1);
}

TEST_F(OpeningSoundTest, ASoundNotWaitedForOpensTheNextPageWhileItPlays)
{
    writeTitle(0);
    std::uint64_t after = kToneMs;
    bool playing = false;
    run(after, playing);
    EXPECT_LT(after, 100u);
    EXPECT_TRUE(playing);
}

// The sample title's rollover page, opened by its place among the start
// pages.
TEST_F(SoundProgramTest, TheSampleRolloverPageLightsItsLampAndItsMiconHoldsItsFrameWhileItsClickIsHeard)
{
    int start = 0;
    {
        ProgramClasses classes;
        RegisterTypeIds();
        testkit::TitleFolder title = testkit::SampleTitle();
        ReleaseTypeRegistries();
        const auto& pages = title.data.product().pages;
        for (std::size_t i = 0; i < pages.size(); ++i)
            if (pages[i] == testkit::kRolloverPage)
                start = int(i + 1);
    }
    ASSERT_NE(start, 0);
    const auto* lamp = testkit::kRolloverLamp;
    const auto* micon = testkit::kRolloverMicon;
    // Panel 2 stands at (0, 60); the glow's middle is 20 pixels above the lamp.
    const int glowX = (lamp[0] + lamp[2]) / 2, glowY = 60 + lamp[1] - 20;
    const std::uint32_t white = paletteColour(testkit::kSampleWhite);
    const std::uint32_t teal = paletteColour(testkit::kSampleTeal);
    int step = 0;
    bool finished = false;
    int heard = 0;
    std::uint64_t clickedAt = 0, endedAt = 0;
    JxCMicon* spinner = nullptr;
    std::int32_t held = -1;
    const std::size_t toneSamples = 22050 * testkit::kRolloverToneMs / 1000;
    const std::string line = "/start=" + std::to_string(start);
    run(
        [&](plat::HWND main) {
            JxCBaseProduct* product = GetProduct();
            switch (step++) {
            case 0:
                EXPECT_NE(product->FindPageById(std::int32_t(testkit::kRolloverPage)), nullptr);
                EXPECT_EQ(colourAt(main, glowX, glowY), white);
                harness->moveMouse(onScreen(main, glowX, 60 + lamp[1] + 10));
                return true;
            case 1:
                EXPECT_EQ(colourAt(main, glowX, glowY), teal) << "the glow lights above the lamp";
                harness->moveMouse(onScreen(main, 600, 100));
                return true;
            case 2:
                EXPECT_EQ(colourAt(main, glowX, glowY), white);
                harness->advance(1000);
                clickedAt = harness->now();
                harness->click(onScreen(main, (micon[0] + micon[2]) / 2, 60 + (micon[1] + micon[3]) / 2));
                return true;
            case 3: {
                // The tone plays out while the program waits, and the micon
                // holds its frame meanwhile.
                spinner = spinner ? spinner : miconOf(*product);
                if (!spinner) {
                    ADD_FAILURE() << "no micon";
                    plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
                    return true;
                }
                held = held < 0 ? spinner->GetFrameIndex() : held;
                EXPECT_EQ(spinner->GetFrameIndex(), held) << "at " << harness->now() - clickedAt << " ms";
                heard += tonesHeard(toneSamples);
                --step;
                if (heard == 0 && harness->now() - clickedAt < 10000)
                    return false;
                ++step;
                endedAt = harness->now();
                return false;
            }
            case 4:
                // A tick ends the hold, the next steps.
                if (harness->now() - endedAt < 1100) {
                    --step;
                    return false;
                }
                EXPECT_NE(spinner->GetFrameIndex(), held);
                finished = true;
                plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
                return true;
            default:
                return false;
            }
        },
        line.c_str());
    EXPECT_TRUE(finished) << "stopped at step " << step;
    EXPECT_EQ(heard, 1);
}

}  // namespace
