// The sample title run whole, with two media on the sound device at once:
// while the animation page's "go on" picture plays the rolling ball with
// its sound (a queued play that holds the page's actions), the title's
// chime starts and ends. The ball still rolls to its last frame at its own
// pace, the small page then opens, the chime plays out, and every device
// closes.

#include <gtest/gtest.h>

#include <algorithm>

#include "media/JxCPlaySoundAction.h"
#include "media/JxCResourceObject.h"
#include "platform/audio/wave_out.h"
#include "runtime/JxTypeRegistry.h"
#include "testkit/sample_animation.h"
#include "tests/program_fixture.h"
#include "tests/title_disc.h"

namespace {

using namespace testkit;

// The animation page's number among the sample's start pages (/start=K).
int animationStart()
{
    ProgramClasses classes;
    RegisterTypeIds();
    const std::vector<std::uint32_t> pages = SampleTitle().data.product().pages;
    ReleaseTypeRegistries();
    const auto at = std::find(pages.begin(), pages.end(), kSampleAnimationPage);
    return at == pages.end() ? 0 : int(at - pages.begin()) + 1;
}

JxCResourceObject* mediaNamed(const char* name)
{
    JxCResourceList& list = GetResourceList();
    for (JxCResourceObject* m = list.GetFirst(); m; m = list.GetNext(m))
        if (m->GetName().View() == name)
            return m;
    return nullptr;
}

TEST_F(ProgramTest, AChimeDuringTheQueuedAnimationNeitherHoldsNorHurriesItAndBothPlayOut)
{
    const int start = animationStart();
    ASSERT_GT(start, 0);
    const std::string commandLine = "/start=" + std::to_string(start);
    constexpr int kPanelTop = 60;  // the content panel's top
    int step = 0;
    std::unique_ptr<JxCPlaySoundAction> chime;
    std::uint64_t clicked = 0, chimed = 0, opened = 0;
    std::int32_t rolled = 0, atChime = 0, chimePlayed = -1, chimeLength = 0;
    std::size_t devicesLeft = 99;
    auto close = [&](plat::HWND main, const char* why) {
        if (why)
            ADD_FAILURE() << why << " (the ball at frame " << rolled << ")";
        chime.reset();  // before the program lets go of its media
        plat::PostMessageA(main, plat::WM_CLOSE, 0, 0);
        step = why ? -1 : step + 1;
        return true;
    };
    run(
        [&](plat::HWND main) {
            JxCBaseProduct* product = GetProduct();
            if (JxCResourceObject* roll = mediaNamed(kSampleRollAnimation))
                rolled = std::max(rolled, roll->GetPosition());
            const std::uint64_t now = harness->now();
            switch (step) {
            case 0:
                if (!product->FindPageById(std::int32_t(kSampleAnimationPage)))
                    return false;
                ++step;
                clicked = now;
                harness->click(onScreen(main, kSampleGoX + 50, kPanelTop + kSampleGoY + 15));
                return true;
            case 1:
                if (rolled < 4)
                    return now - clicked > 10000 ? close(main, "the ball did not roll") : false;
                // A sound of the title's, not waited for: it takes the
                // product's media owner from the animation's player.
                chime = std::make_unique<JxCPlaySoundAction>();
                chime->SetParameters(JxCString("chime"), -1, -1, 0, 1, 1, product->GetCurrentPage());
                EXPECT_EQ(chime->Execute(), 1);
                chimed = now;
                atChime = rolled;
                ++step;
                return true;
            case 2:
                if (!opened && product->FindPageById(std::int32_t(kSampleAnimationEncorePage)))
                    opened = now;
                if (!opened || chime->IsPlaying() || plat::OpenWaveOutCount() > 0)
                    return now - clicked > 20000 ? close(main, "stuck") : false;
                chimePlayed = chime->GetPosition();
                chimeLength = chime->GetLength();
                devicesLeft = plat::OpenWaveOutCount();
                return close(main, nullptr);
            default:
                return false;
            }
        },
        commandLine.c_str());
    ASSERT_EQ(step, 3);
    EXPECT_EQ(rolled, kSampleRollFrames);
    // The frames after the chime came at the animation's own pace, about
    // 100 ms each.
    EXPECT_GE(opened - chimed, std::uint64_t(kSampleRollFrames - atChime - 1) * 90);
    EXPECT_GT(chimeLength, 0);
    EXPECT_EQ(chimePlayed, chimeLength);
    EXPECT_EQ(devicesLeft, 0u);
}

}  // namespace
