// The title's widgets on a running title page: the sticky button's clicks,
// presses and releases (and what it draws while stuck), the video hotspot
// playing, stopping and playing again at its target's place with one timer
// that it gives back, a target found on another page, the toggle bitmap's
// two codes, and the late-bound PICS play action read, copied and played.

#include <algorithm>
#include <filesystem>

#include "media/JxCQT3Overseer.h"
#include "media/JxCQT3Resource.h"
#include "media/JxCResourceObject.h"
#include "platform/movie/fake_movies.h"
#include "platform/screen/screen.h"
#include "testkit/pics.h"
#include "testkit/title_widgets.h"
#include "testkit/title_panels.h"
#include "title/actions/JxCGavoPlayPicsAction.h"
#include "title/actions/JxCGvIntroPicsAction.h"
#include "title/widgets/JxCGvStickyButton.h"
#include "title/widgets/JxCGvVideoHotspot.h"
#include "title/widgets/JxCToggleBitmap.h"
#include "title/tests/title_data_fixture.h"

namespace title_test {
namespace {

constexpr std::uint16_t kWidgetTemplate = 7;
constexpr std::int32_t kWidgetPage = 40;
constexpr std::uint8_t kUp = 30, kDown = 90, kOff = 150;
constexpr std::uint16_t kHideCode = 12, kShowCode = 13;
const std::vector<std::uint32_t> kMovieColours = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF};

testkit::BmpPicture block(int w, int h, std::uint8_t colour)
{
    return testkit::BmpPicture{w, h, std::vector<std::uint8_t>(std::size_t(w * h), colour), testkit::DistinctColours()};
}

// Counts the events an object raises.
class EventCounter : public JxCNotifyRoot {
public:
    void Notify(JxCNotify*, JxCObject*) override { ++count; }
    int count = 0;
};

class TitleWidgetsTest : public TitleDataTest {
protected:
    void SetUp() override
    {
        TitleDataTest::SetUp();
        fakes.library().add("P:\\Data\\FIVE.mov", plat::FakeMovie::Frames(5, 60, kMovieColours));
        ASSERT_TRUE(StartMovieLayer());
        writePicture("up.dib", block(40, 20, kUp));
        writePicture("down.dib", block(40, 20, kDown));
        writePicture("off.dib", block(40, 20, kOff));
        writePicture("mark.dib", block(64, 48, 200));
        file.templateDef(kWidgetTemplate, "BASE_PAGE").panel(1, "Display").size(640, 480).colour(255, 255, 255);
        testkit::PanelRecord panel(1);
        panel.add(testkit::BitmapRecord("mark").id(4).at(100, 40), file);
        panel.add(testkit::VideoHotspotRecord({.movie = "FIVE", .keptWord = 9, .targetObject = 4, .targetPanel = 0,
                                               .rewind = 1, .autoPlay = 0})
                      .id(5).rect(300, 300, 340, 340), file);
        panel.add(testkit::ButtonRecord({"up", "down", "off"}, "StickyButton").id(6).rect(400, 300, 440, 320), file);
        panel.add(testkit::ToggleBitmapRecord("mark", kHideCode, kShowCode).id(7).at(500, 40), file);
        file.page(kWidgetPage, kWidgetTemplate).name("Widgets").storedPanel("Display", testkit::TitlePanelBytes(panel));
        file.page(1, 1);
    }
    void TearDown() override
    {
        RemoveReceiverNotifies(&clicks);
        RemoveReceiverNotifies(&finishes);
        TitleDataTest::TearDown();
        EndMovieLayer();
    }
    void writePicture(const std::string& name, const testkit::BmpPicture& picture)
    {
        const std::vector<std::uint8_t> b = testkit::EncodeBmp(picture);
        plat::testing::TempConfig::writeFile(config.program() + "/Data/" + name, std::string(b.begin(), b.end()));
    }
    void openWidgets()
    {
        readTitle();
        product().GetProductDef()->SetDataPath("P:\\Data");
        changeTo(kWidgetPage);
        harness.runUntilIdle();
        sticky = object<JxCGvStickyButton>(6);
        video = first<JxCGvVideoHotspot>();
        ASSERT_TRUE(sticky && video);
        clicks.AddObjectNotify(std::int16_t(EventId(JxEventKeyword::on_click)), 0, sticky);
        finishes.AddObjectNotify(std::int16_t(EventId(JxEventKeyword::on_finish)), 0, video);
    }
    template <class T>
    T* object(std::int32_t id)
    {
        return dynamic_cast<T*>(product().GetCurrentPage()->FindPanelById(1)->FindObjectById(id));
    }
    // The first object of the class on the current page's panel.
    template <class T>
    T* first()
    {
        JxCDisplayObjectList& list = product().GetCurrentPage()->FindPanelById(1)->GetDisplayObjects();
        for (JxCDisplayObject* o = list.GetFirst(); o; o = list.GetNext(o))
            if (auto* found = dynamic_cast<T*>(o))
                return found;
        return nullptr;
    }
    // The product timers an object holds.
    int timersOf(const JxCNotifyRoot* owner)
    {
        int n = 0;
        for (std::int16_t slot = 0; slot < 15; ++slot)
            if (product().GetTimerInfo(slot).active && product().GetTimerInfo(slot).owner == owner)
                ++n;
        return n;
    }
    int activeTimers()
    {
        int n = 0;
        for (std::int16_t slot = 0; slot < 15; ++slot)
            n += product().GetTimerInfo(slot).active ? 1 : 0;
        return n;
    }
    std::uint32_t pixel(int x, int y) const
    {
        return plat::TheScreen().pixels()[y * plat::TheScreen().stride() + x] & 0xFFFFFF;
    }
    std::uint32_t colourOf(std::uint8_t index) const
    {
        const testkit::Rgb c = testkit::DistinctColours()[index];
        return std::uint32_t(c[0]) << 16 | std::uint32_t(c[1]) << 8 | c[2];
    }
    JxCQT3Resource* movie() { return video->GetPlayAction().GetMedia(); }

    plat::FakeMovies fakes;
    JxCGvStickyButton* sticky = nullptr;
    JxCGvVideoHotspot* video = nullptr;
    EventCounter clicks;
    EventCounter finishes;
};

const JxCPoint kInButton(410, 310);

TEST_F(TitleWidgetsTest, AStickyButtonClicksOnceAndStaysDownUntilReleased)
{
    openWidgets();
    sticky->MouseDown(kInButton);
    sticky->MouseUp(kInButton, 0);
    EXPECT_EQ(clicks.count, 1);
    EXPECT_EQ(sticky->IsStuck(), 1);
    EXPECT_EQ(pixel(410, 310), colourOf(kDown));
    // Stuck, it ignores the mouse and draws itself pressed.
    sticky->MouseDown(kInButton);
    sticky->MouseUp(kInButton, 0);
    EXPECT_EQ(clicks.count, 1);
    product().GetCurrentPage()->FindPanelById(1)->Draw(nullptr, nullptr, 0);
    EXPECT_EQ(pixel(410, 310), colourOf(kDown));
    // Disabled and stuck, it shows its disabled picture.
    sticky->Disable(0);
    product().GetCurrentPage()->FindPanelById(1)->Draw(nullptr, nullptr, 0);
    EXPECT_EQ(pixel(410, 310), colourOf(kOff));
    sticky->Enable(0);

    EXPECT_EQ(sticky->Release(), 1);
    EXPECT_EQ(sticky->IsStuck(), 0);
    EXPECT_EQ(pixel(410, 310), colourOf(kUp));
    // A release with the flag 1, or outside, neither clicks nor sticks.
    sticky->MouseDown(kInButton);
    sticky->MouseUp(kInButton, 1);
    sticky->MouseDown(kInButton);
    sticky->MouseUp(JxCPoint(10, 10), 0);
    EXPECT_EQ(clicks.count, 1);
    EXPECT_EQ(sticky->IsStuck(), 0);
}

TEST_F(TitleWidgetsTest, PressSticksTheButtonWithoutAClickUnlessMediaPlays)
{
    openWidgets();
    video->MouseUp(JxCPoint(310, 310), 0);
    harness.runFor(50);
    ASSERT_EQ(IsAnyResourcePlaying(), 1);
    EXPECT_EQ(sticky->Press(), 1);
    EXPECT_EQ(sticky->IsStuck(), 0);
    StopActiveObjects(0);
    harness.runUntilIdle();
    ASSERT_EQ(IsAnyResourcePlaying(), 0);
    sticky->Disable(0);
    EXPECT_EQ(sticky->Press(), 1);
    EXPECT_EQ(sticky->IsStuck(), 0);
    sticky->Enable(0);
    EXPECT_EQ(sticky->Press(), 1);
    EXPECT_EQ(sticky->IsStuck(), 1);
    EXPECT_EQ(pixel(410, 310), colourOf(kDown));
    EXPECT_EQ(clicks.count, 0);
}

TEST_F(TitleWidgetsTest, TheVideoHotspotPlaysStopsAndReplaysFromTheStartAtItsTarget)
{
    openWidgets();
    // It took its target's id and plays at the target's place.
    EXPECT_EQ(video->GetId(), 4);
    EXPECT_EQ(video->GetPlayAction().GetPlace(), JxCPoint(100, 40));
    EXPECT_EQ(video->GetKeptWord(), 9);
    const int before = activeTimers();

    video->MouseUp(JxCPoint(310, 310), 0);
    EXPECT_EQ(timersOf(video), 1);
    harness.runFor(130);
    EXPECT_EQ(video->GetPlayAction().IsPlaying(), 1);
    // The frame shows where the target stands.
    EXPECT_NE(std::find(kMovieColours.begin(), kMovieColours.end(), pixel(120, 60)), kMovieColours.end());

    // The second click stops it, with every other playing object.
    video->MouseUp(JxCPoint(310, 310), 0);
    harness.runUntilIdle();
    EXPECT_EQ(video->GetPlayAction().IsPlaying(), 0);
    EXPECT_LE(timersOf(video), 1);

    // The third plays it again from its start, on one timer.
    ASSERT_NE(pixel(120, 60), kMovieColours[0]);
    video->MouseUp(JxCPoint(310, 310), 0);
    EXPECT_EQ(timersOf(video), 1);
    harness.runFor(30);
    EXPECT_EQ(video->GetPlayAction().IsPlaying(), 1);
    EXPECT_EQ(pixel(120, 60), kMovieColours[0]);

    // At its end the watch gives the timer back, rewinds and says so.
    harness.runFor(1000);
    EXPECT_EQ(video->GetPlayAction().IsPlaying(), 0);
    EXPECT_EQ(timersOf(video), 0);
    EXPECT_EQ(video->HoldsTimer(), 0);
    EXPECT_EQ(movie()->GetPosition(), 0);
    EXPECT_EQ(finishes.count, 1);
    EXPECT_EQ(activeTimers(), before);
}

TEST_F(TitleWidgetsTest, TheVideoHotspotGivesItsTimerBackWhenStoppedOrGone)
{
    openWidgets();
    const int before = activeTimers();
    video->MouseUp(JxCPoint(310, 310), 0);
    harness.runFor(50);
    EXPECT_EQ(video->Stop(), 1);
    EXPECT_EQ(timersOf(video), 0);
    EXPECT_EQ(activeTimers(), before);

    video->MouseUp(JxCPoint(310, 310), 0);
    harness.runFor(50);
    ASSERT_EQ(timersOf(video), 1);
    const JxCNotifyRoot* gone = video;
    RemoveReceiverNotifies(&finishes);
    product().GetCurrentPage()->FindPanelById(1)->GetDisplayObjects().Remove(video);  // deleted
    video = nullptr;
    harness.runFor(1000);
    EXPECT_EQ(timersOf(gone), 0);
    EXPECT_EQ(activeTimers(), before);
}

TEST_F(TitleWidgetsTest, WithoutAnActionProcessorAClickQueuesNothingAndTakesNoTimer)
{
    openWidgets();
    product().SetActionProcessor(nullptr);
    EXPECT_EQ(video->MouseUp(JxCPoint(310, 310), 0), 1);
    EXPECT_EQ(timersOf(video), 0);
    EXPECT_EQ(video->GetPlayAction().IsPlaying(), 0);
}

TEST_F(TitleWidgetsTest, AVideoTargetMissingFromItsPanelIsTakenFromTheFrontmostPageThatHasIt)
{
    openWidgets();
    JxCPageObject* widgets = product().GetCurrentPage();
    // Hotspots on a panel of their own that does not list them: object 4
    // is looked for on panel 1 (or 9) of the open pages, front first.
    JxCPanelObject loose;
    loose.SetRect(JxCRect(200, 100, 300, 200));
    loose.SetOwnerPage(widgets);
    for (std::int16_t targetPanel : {1, 9}) {
        SCOPED_TRACE(targetPanel);
        const std::vector<std::uint8_t> bytes =
            testkit::VideoHotspotRecord({.movie = "FIVE", .targetObject = 4, .targetPanel = targetPanel})
                .rect(0, 0, 10, 10)
                .Bytes(file);
        JxCInStrStream in(JxMemoryBlock{bytes.data() + 2, std::uint32_t(bytes.size() - 2)});
        JxCGvVideoHotspot remote;
        ASSERT_EQ(remote.Read(in, &loose, JxCTypeKey()), 1);
        if (targetPanel == 1) {
            EXPECT_EQ(remote.CreateResources(), 1);
            EXPECT_EQ(remote.GetPlayAction().GetPlace(), JxCPoint(100, 40));
        } else {
            EXPECT_EQ(remote.CreateResources(), 0);
        }
    }
    loose.SetOwnerPage(nullptr);
}

TEST_F(TitleWidgetsTest, TheToggleBitmapHidesOnItsHideCodeFirst)
{
    openWidgets();
    auto* toggle = object<JxCToggleBitmap>(7);
    ASSERT_NE(toggle, nullptr);
    JxCMessageRecord hide{kHideCode, 0}, show{kShowCode, 0}, other{99, 0};
    EXPECT_EQ(toggle->HandleMessage(&hide), 1);
    EXPECT_EQ(toggle->IsVisible(), 0);
    EXPECT_EQ(toggle->HandleMessage(&other), 0);
    EXPECT_EQ(toggle->IsVisible(), 0);
    EXPECT_EQ(toggle->HandleMessage(&show), 1);
    EXPECT_EQ(toggle->IsVisible(), 1);
}

TEST_F(TitleWidgetsTest, ALateBoundPicsActionSurvivesReadingAndPlays)
{
    // Four frames with a tenth of a second of sound each, so that it plays
    // for a while.
    constexpr std::size_t kSlice = 1103;
    testkit::PicsFile ani;
    ani.format(testkit::PcmFormat());
    ani.leadIn(1, 2, testkit::Tone(440, kSlice));
    for (int n = 0; n < 4; ++n)
        ani.frame(testkit::PicsFrame::Of(0, 0, 8, 8, testkit::PicsBytes(64, std::uint8_t(40 + n)),
                                         testkit::Tone(440, kSlice, 11025, std::size_t(n + 1) * kSlice)));
    const std::vector<std::uint8_t> bytes = ani.Bytes();
    plat::testing::TempConfig::writeFile(config.program() + "/Data/dance.ani", std::string(bytes.begin(), bytes.end()));
    testkit::PanelRecord panel(1);
    panel.add(testkit::HotspotRecord(0).id(3).rect(0, 0, 50, 50)
                  .on("on_click", {testkit::GavoPlayPicsAction(file, "dance.ani", {1, 0, 0, 1, 0})}), file);
    file.page(kWidgetPage, kWidgetTemplate).name("Dance").storedPanel("Display", testkit::TitlePanelBytes(panel));
    readTitle();
    product().GetProductDef()->SetDataPath("P:\\Data");
    changeTo(kWidgetPage);
    harness.runUntilIdle();
    JxCDisplayObject* hotspot = object<JxCDisplayObject>(3);
    ASSERT_NE(hotspot, nullptr);
    // The handler kept its action, which holds no animation yet.
    JxCEventHandler* handler = hotspot->GetEventHandlers().GetFirst();
    ASSERT_NE(handler, nullptr);
    auto* play = dynamic_cast<JxCGavoPlayPicsAction*>(handler->GetActions()->GetFirst());
    ASSERT_NE(play, nullptr);
    EXPECT_EQ(play->GetMedia(), nullptr);
    EXPECT_EQ(GetResourceList().GetCount(), 0);

    JxCMessageRecord click;
    hotspot->HandleMessage(&click);
    harness.runFor(150);
    ASSERT_EQ(GetResourceList().GetCount(), 1);
    EXPECT_EQ(IsAnyResourcePlaying(), 1);
    // Played out and rewound, it lets go of the animation.
    harness.runFor(2000);
    EXPECT_EQ(IsAnyResourcePlaying(), 0);
    EXPECT_EQ(GetResourceList().GetCount(), 0);
}

TEST_F(TitleWidgetsTest, TheLateBoundActionRefusesAShortRecordAndTheIntroKeepsItsFrame)
{
    readTitle();
    const std::vector<std::uint8_t> shortRecord = {0, 0, 0, 1, 0};
    JxCInStrStream in(JxMemoryBlock{shortRecord.data(), std::uint32_t(shortRecord.size())});
    JxCGavoPlayPicsAction play;
    EXPECT_EQ(play.Read(in, nullptr), 0);
    // Unbound, a rewind has nothing to let go of.
    EXPECT_EQ(play.Rewind(0), 1);
    JxCGvIntroPicsAction intro;
    EXPECT_EQ(intro.RewindsOnStop(), 0);
}

}  // namespace
}  // namespace title_test
