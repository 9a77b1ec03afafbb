// The PICS actions read from their records and played through the action
// processor (a queued play holding an open-page action behind it), and the
// animation controller bar on a panel.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "foundation/JxCInStrStream.h"
#include "media/JxCAnimControl.h"
#include "media/JxCResourcePlayer.h"
#include "media/JxMissingMedia.h"
#include "media/JxPicsActions.h"
#include "media/tests/pics_play_fixture.h"
#include "objects/actions/JxCOpenPageAction.h"
#include "objects/pages/JxCBasePage.h"
#include "platform/tests/golden.h"
#include "runtime/JxTypeRegistry.h"
#include "runtime/tests/scoped_object_type.h"
#include "testkit/pics_records.h"

namespace {

using namespace pics_play;

constexpr const char* kGolden = "media/tests/golden";

// The furthest frame the animation has drawn on the page so far.
std::int32_t& furthestFrame()
{
    static std::int32_t frame = 0;
    return frame;
}

// A product that builds the pages an open-page action asks for: base pages
// of plain panels.
class PagesProduct : public JxCBaseProduct {
public:
    JxCPageObject* NewPageForDef(const JxCPageDef&) override { return new JxCBasePage; }
    JxCPanelObject* NewPanelById(JxCPanelTypeId) override { return new JxCPanelObject; }
};

class PicsActionsTest : public PicsPlayTest {
protected:
    void SetUp() override
    {
        PicsPlayTest::SetUp();
        ReleaseTypeRegistries();
        bar_.emplace("AnimationControl", [] { return static_cast<JxCDisplayObject*>(new JxCAnimControl); });
        using K = JxActionKeyword;
        RegisterActionClass(K::PLAYNONQPICS, MakeInstance<JxCAction, JxCPlayPicsAction>,
                            CopyInstance<JxCAction, JxCPlayPicsAction>);
        RegisterActionClass(K::PLAYPICS, MakeInstance<JxCAction, JxCPlayQueuePicsAction>,
                            CopyInstance<JxCAction, JxCPlayQueuePicsAction>);
        RegisterActionClass(K::STOPPICS, MakeInstance<JxCAction, JxCStopPicsAction>,
                            CopyInstance<JxCAction, JxCStopPicsAction>);
        RegisterActionClass(K::SEEKPICS, MakeInstance<JxCAction, JxCSeekPicsAction>,
                            CopyInstance<JxCAction, JxCSeekPicsAction>);
        RegisterActionClass(K::OPENPAGE, MakeInstance<JxCAction, JxCOpenPageAction>,
                            CopyInstance<JxCAction, JxCOpenPageAction>);
        RegisterResourceClass(JxResourceKind::Pics, MakeInstance<JxCResourceObject, JxCPicsResource>);
        RegisterTypeIds();
        furthestFrame() = 0;
        // The bar's pictures, as the program carries them.
        const std::string from = std::string(KELBO_SOURCE_DIR) + "/resources/kelbo32.resources/bitmap/";
        for (const char* name : {"Play", "GreyPlay", "Pause", "Rewind", "GreyRewind", "Meter", "Background", "DPlay",
                                 "DPause", "DRewind"})
            plat::testing::TempConfig::writeFile(config.program() + "/kelbo32.resources/bitmap/" + name + ".bmp",
                                                 plat::testing::TempConfig::readFile(from + name + ".bmp"));
    }
    void TearDown() override
    {
        while (JxCPageObject* open = GetProduct()->GetPageList().GetLast())
            GetProduct()->GetPageList().ClosePage(open);
        owned.clear();
        EmptyResourceList();
        panel.reset();
        page.reset();
        bar_.reset();
        PicsPlayTest::TearDown();
    }

    // Actions read from an action list record for the panel.
    std::vector<JxCAction*> readActions(const std::vector<testkit::ActionRecord>& records)
    {
        const std::vector<std::uint8_t> bytes = testkit::ActionListBytes(records);
        JxCInStrStream in(JxMemoryBlock{bytes.data(), std::uint32_t(bytes.size())});
        auto list = std::make_unique<JxCActionList>();
        EXPECT_EQ(list->ReadBinary(in, panel.get()), 1);
        std::vector<JxCAction*> out;
        for (JxCAction* a = list->GetFirst(); a; a = list->GetNext(a))
            out.push_back(a);
        owned.push_back(std::move(list));
        return out;
    }

    // A panel holding the bar at (10, 25) for "&anim", below the animation.
    JxCAnimControl* makeBar(std::int32_t messageId = 77)
    {
        panelDef(150, 50);
        testkit::PanelRecord record(2);
        testkit::ControllerFields fields;
        fields.animation = "&anim";
        fields.cursor = "Hand";
        record.add(testkit::AnimControlRecord(file, fields, messageId).at(10, 25), file);
        readDefinitions();
        page = std::make_unique<panel_test::SlatePage>(200, 100);
        panel = readPanel(record.Bytes(), *page);
        if (!panel || !panel->GetDisplayObjects().GetFirst())
            return nullptr;
        panel->CreateResources();
        panel->Start();
        panel->Draw(nullptr, nullptr, 0);
        return dynamic_cast<JxCAnimControl*>(panel->GetDisplayObjects().GetFirst());
    }
    void click(JxCAnimControl& bar, int x, int y)
    {
        const JxCPoint at(std::int16_t(bar.GetRect().left + x), std::int16_t(bar.GetRect().top + y));
        bar.MouseDown(at);
        bar.MouseUp(at, 0);
    }
    void expectScreen(const char* name)
    {
        EXPECT_EQ(plat::testing::CompareWithGolden(static_cast<plat::HBITMAP>(page->slate.GetBitmap().handle), name,
                                                   kGolden),
                  "");
    }
    // Runs in steps of 10 ms until `done` holds (at most `limitMs`).
    void runUntil(const std::function<bool()>& done, std::uint64_t limitMs = 5000)
    {
        const std::uint64_t start = harness.now();
        do {
            harness.runFor(10);
        } while (!done() && harness.now() - start < limitMs);
    }
    // The product builds pages from the records of the file: its page
    // records are kept for the open-page actions.
    void buildPagesFromFile()
    {
        GetProduct()->ForgetProductWindow();
        DeleteProduct();
        SetProduct(std::make_unique<PagesProduct>());
        const std::vector<std::uint8_t> stored = testkit::EncodeLogPalette(colours);
        SetProductPalette(plat::CreatePalette(reinterpret_cast<const plat::LOGPALETTE*>(stored.data())), 1);
        GetProduct()->SetProductWindow(window);
        GetProduct()->SetActionProcessor(std::make_unique<JxCActionProcessor>());
    }
    void keepPageRecords()
    {
        pageData = file.Bytes();
        JxCBaseProduct* product = GetProduct();
        const std::uint32_t at = product->GetPageDataOffset();
        product->SetDataStream(std::make_unique<JxCInStrStream>(
            JxMemoryBlock{pageData.data() + at, std::uint32_t(pageData.size() - at)}));
        product->SetCompiledData(1);
    }

    // Plays an animation of ten frames queued, with an open-page action
    // behind it; the furthest frame shown when the page has opened (-1
    // when it never opens).
    std::int32_t frameShownAsPageOpens(bool sound)
    {
        buildPagesFromFile();
        file.page(2, 1);
        makePanel();
        keepPageRecords();
        // Each frame drawn is a copy into the page.
        page->slate.afterCopy = [this] { furthestFrame() = std::max(furthestFrame(), frameOnPage()); };
        writePicture("anim.ani", TenFrames(sound).Bytes());
        testkit::PlayPicsRecord queued{"&anim"};
        queued.queued = true;
        const std::vector<JxCAction*> read = readActions({queued.Action(), testkit::OpenPageAction(2)});
        if (read.size() != 2 || read[0]->Post() != 1 || read[1]->Post() != 1)
            return -2;
        // The processor's clone plays; the original stays bound.
        played = read[0];
        std::int32_t shown = -1;
        runUntil([&] {
            if (GetProduct()->FindPageById(2))
                shown = furthestFrame();
            return shown >= 0;
        });
        return shown;
    }

    std::vector<std::unique_ptr<JxCActionList>> owned;
    std::vector<std::uint8_t> pageData;
    JxCAction* played = nullptr;

private:
    std::optional<ScopedObjectType> bar_;
};

TEST_F(PicsActionsTest, RecordsReadBackBoundToOneSharedAnimation)
{
    makePanel();
    writePicture("anim.ani", TenFrames(false).Bytes());
    testkit::PlayPicsRecord play{"&anim", {1, 2, 3, 4, 5}, 1, 0, 6, 7};
    testkit::PlayPicsRecord queued{"&ANIM"};
    queued.queued = true;
    const std::vector<JxCAction*> read = readActions(
        {play.Action(), queued.Action(), testkit::StopPicsAction("&anim"), testkit::SeekPicsAction()});
    ASSERT_EQ(read.size(), 4u);
    auto* p = dynamic_cast<JxCPlayPicsAction*>(read[0]);
    ASSERT_NE(p, nullptr);
    ASSERT_NE(dynamic_cast<JxCPlayQueuePicsAction*>(read[1]), nullptr);
    ASSERT_NE(dynamic_cast<JxCStopPicsAction*>(read[2]), nullptr);
    ASSERT_NE(dynamic_cast<JxCSeekPicsAction*>(read[3]), nullptr);
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(p->GetParameter(n), n);
    EXPECT_EQ(p->GetTransparent(), 1);
    EXPECT_EQ(p->RewindsOnStop(), 0);
    EXPECT_EQ(p->GetPlace(), JxCPoint(6, 7));
    EXPECT_EQ(p->GetOwner(), panel.get());
    JxCString text;
    EXPECT_EQ(p->Describe(text), 1);
    EXPECT_EQ(text.View(), "&anim, 1,2,3,4,5,6,7");
    EXPECT_EQ(p->SetParameterText(JxCString("x")), kPropertyReadOnly);
    // One media for the three that name it (whatever the case); the seek
    // action's record names nothing.
    ASSERT_NE(p->GetResource(), nullptr);
    EXPECT_EQ(read[1]->GetResource(), p->GetResource());
    EXPECT_EQ(read[2]->GetResource(), p->GetResource());
    EXPECT_EQ(read[3]->GetResource(), nullptr);
    EXPECT_EQ(GetResourceList().GetCount(), 1);
    // The last play action that bound itself is the media's play action.
    EXPECT_EQ(p->GetMedia()->GetPlayAction(), read[1]);
    // Any animation conflicts, whatever its name.
    EXPECT_EQ(p->UsesResource(0, ResourceTypeId(JxResourceKind::Pics)), 1);
    EXPECT_EQ(p->UsesResource(0, ResourceTypeId(JxResourceKind::Sound)), 0);

    // Parameter 4 of 0 or -1 is kept as 1.
    JxCPlayPicsAction set;
    for (std::int16_t p4 : {std::int16_t(-1), std::int16_t(0), std::int16_t(9)}) {
        ASSERT_EQ(set.Setup(JxCString("&anim"), 1, 2, 3, p4, 5, panel.get(), 0, 0), 1);
        EXPECT_EQ(set.GetParameter(4), p4 == 9 ? 9 : 1);
        EXPECT_EQ(set.GetParameter(3), 3);
    }
}

TEST_F(PicsActionsTest, WithoutAnAnimationActionsAreUnboundAndDoNothing)
{
    makePanel();
    const std::vector<std::uint8_t> before(page->slate.GetBits(nullptr), page->slate.GetBits(nullptr) + 200 * 100);
    JxCPlayPicsAction play;
    EXPECT_EQ(play.Setup(JxCString("&missing"), 0, 0, 0, 0, 0, panel.get(), 0, 0), 0);
    EXPECT_EQ(play.GetResource(), nullptr);
    EXPECT_EQ(GetResourceList().GetCount(), 0);
    EXPECT_EQ(play.Execute(), 1);
    EXPECT_EQ(play.Resume(), 1);
    EXPECT_EQ(play.Rewind(0), 1);
    EXPECT_EQ(play.Stop(), 0);
    EXPECT_EQ(play.IsPlaying(), 0);
    EXPECT_EQ(play.GetLength(), 0);
    // A copy of an unbound action joins nothing.
    JxCPlayPicsAction copy(play);
    EXPECT_EQ(copy.GetResource(), nullptr);
    JxCStopPicsAction stop;
    EXPECT_EQ(stop.Setup(JxCString("&missing"), panel.get()), 0);
    EXPECT_EQ(stop.Execute(), 1);
    JxCSeekPicsAction seek;
    EXPECT_EQ(seek.Setup(JxCString("&missing"), 0, panel.get()), 0);
    EXPECT_EQ(seek.Execute(), 1);
    JxCPlayQueuePicsAction queued;
    EXPECT_EQ(queued.Execute(), 0);
    const std::vector<std::uint8_t> after(page->slate.GetBits(nullptr), page->slate.GetBits(nullptr) + 200 * 100);
    EXPECT_EQ(before, after);
    // The three actions looked for the file; it was named once.
    EXPECT_EQ(boxesOf(kMediaNotFoundId), 1);
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(PicsActionsTest, StopWithoutRewindLeavesTheAnimationOpenAtItsStartAndTheLastUnbindFreesIt)
{
    makePanel();
    writePicture("anim.ani", TenFrames(true).Bytes());
    auto play = std::make_unique<JxCPlayPicsAction>();
    ASSERT_EQ(play->Setup(JxCString("&anim"), 0, 0, 0, 0, 0, panel.get(), 0, 0), 1);
    play->SetRewindOnStop(0);
    JxCResourcePlayer player;
    ASSERT_EQ(player.Start(play.get()), 1);
    harness.runFor(300);
    ASSERT_GT(play->GetPosition(), 1);
    player.Stop();
    EXPECT_EQ(play->Stop(), 1);
    JxCPicsResource* media = play->GetMedia();
    EXPECT_TRUE(media->IsOpen());
    EXPECT_EQ(play->GetPosition(), 0);
    EXPECT_TRUE(media->IsStopped());
    EXPECT_TRUE(play->IsStopped());

    // A clone joins the media; the media goes with the last action bound.
    auto clone = std::make_unique<JxCPlayPicsAction>(*play);
    EXPECT_EQ(clone->GetResource(), media);
    EXPECT_EQ(media->CountActions(), 2);
    play.reset();
    EXPECT_EQ(GetResourceList().GetCount(), 1);
    EXPECT_EQ(media->GetPlayAction(), nullptr);
    clone.reset();
    EXPECT_EQ(GetResourceList().GetCount(), 0);
}

TEST_F(PicsActionsTest, AQueuedPlayHoldsTheOpenPageBehindItUntilItsLastFrame)
{
    ASSERT_EQ(frameShownAsPageOpens(true), 10);
    // Its end rewound the animation and let go of the sound output.
    EXPECT_EQ(played->GetPosition(), 0);
    EXPECT_EQ(GetProduct()->GetMediaOwner(), nullptr);
}

TEST_F(PicsActionsTest, ASilentQueuedPlayHoldsTheOpenPageBehindItToo)
{
    ASSERT_EQ(frameShownAsPageOpens(false), 10);
    EXPECT_EQ(played->GetPosition(), 0);
    EXPECT_EQ(GetProduct()->GetMediaOwner(), nullptr);
}

TEST_F(PicsActionsTest, TheBarPlaysPausesAndRewinds)
{
    writePicture("anim.ani", TenFrames(true).Bytes());
    JxCAnimControl* bar = makeBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->IsLoaded(), 1);
    EXPECT_EQ(bar->GetRect(), JxCRect(10, 25, 130, 47));
    JxCPlayPicsAction& play = *bar->GetPlayAction();
    // Idle at the first frame: Rewind is grey.
    expectScreen("bar_idle");
    // Rewind at 0 does nothing.
    click(*bar, 5, 5);
    EXPECT_FALSE(play.IsPlaying());
    EXPECT_EQ(play.GetPosition(), 0);

    click(*bar, 25, 8);
    harness.runFor(250);
    ASSERT_TRUE(play.IsPlaying());
    EXPECT_EQ(GetProduct()->GetMediaOwner(), bar);
    const JxCPoint pause(std::int16_t(bar->GetRect().left + 25), std::int16_t(bar->GetRect().top + 8));
    bar->MouseDown(pause);
    expectScreen("bar_playing_held");
    // Released on Play: paused.
    bar->MouseUp(pause, 0);
    const std::int32_t held = play.GetPosition();
    harness.runFor(500);
    EXPECT_TRUE(play.IsPaused());
    EXPECT_EQ(play.GetPosition(), held);
    // Play again resumes and plays to the end.
    click(*bar, 25, 8);
    runUntil([&] { return !play.IsPlaying(); });
    harness.runFor(200);
    EXPECT_FALSE(bar->IsPlayingNow());
    EXPECT_EQ(play.GetPosition(), 10);
    expectScreen("bar_end");
    // Play at the end does nothing.
    click(*bar, 25, 8);
    harness.runFor(200);
    EXPECT_FALSE(play.IsPlaying());
    EXPECT_EQ(play.GetPosition(), 10);
    // Rewind goes back to the first frame.
    click(*bar, 5, 5);
    EXPECT_EQ(play.GetPosition(), 0);
    expectScreen("bar_idle");

    // A message with the bar's id is a click on Play.
    JxCMessageRecord message{77, 0};
    EXPECT_EQ(bar->HandleMessage(&message), 1);
    harness.runFor(250);
    EXPECT_TRUE(play.IsPlaying());
    // Closing the page mid-play leaves nothing behind.
    panel.reset();
    EXPECT_EQ(GetResourceList().GetCount(), 0);
    EXPECT_EQ(GetProduct()->GetMediaOwner(), nullptr);
    harness.runFor(500);
}

TEST_F(PicsActionsTest, ABarWithoutItsPicturesIsAPlainDisplayObject)
{
    writePicture("anim.ani", TenFrames(true).Bytes());
    std::filesystem::remove(config.program() + "/kelbo32.resources/bitmap/Meter.bmp");
    ResetResourceLibraries();
    JxCAnimControl* bar = makeBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->IsLoaded(), 0);
    click(*bar, 25, 8);
    harness.runFor(300);
    EXPECT_FALSE(IsAnyResourcePlaying());
}

}  // namespace
