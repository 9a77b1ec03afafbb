// The title's product data on a running product: the title record and the
// title's page fields read (and refused when damaged), the history and the
// visited marks kept by the page changes, the idle tick's random sounds and
// idle page on the virtual clock with a seeded generator, the random
// animations played on the idle-animation panel, the typed-key
// watcher and the random lists that are too short to pick from.

#include <algorithm>

#include "graphics/JxCAnimationTransition.h"
#include "media/JxCPlaySoundAction.h"
#include "media/JxCResourcePlayer.h"
#include "media/JxTransitionMedia.h"
#include "media/JxPicsActions.h"
#include "platform/config/profile.h"
#include "runtime/JxCKeyParams.h"
#include "title/JxCGavoPageDef.h"
#include "testkit/display_objects.h"
#include "testkit/pics.h"
#include "testkit/title_panels.h"
#include "title/JxTitlePages.h"
#include "title/tests/title_data_fixture.h"

namespace title_test {
namespace {

constexpr std::uint16_t kKeyTemplate = 2;
constexpr std::uint16_t kExcludedTemplate = 3;

class ProductDataTest : public TitleDataTest {
protected:
    void SetUp() override
    {
        TitleDataTest::SetUp();
        file.templateDef(kKeyTemplate, "BASE_PAGE").panel(1, "Display").size(640, 480);
        file.templateDef(kExcludedTemplate, "BASE_PAGE").panel(1, "Display").size(640, 480);
        title.keyTemplate = kKeyTemplate;
        title.excludedTemplate = kExcludedTemplate;
        title.idlePages = {90, 91, 92, 93};
        title.keyPages = {70, 71};
        title.menuPages = {60};
        title.fields.testPage = 44;
        title.fields.navigationTargets = {1, 2, 3, 4, 5};
        title.fields.specialCode22Target = 77;
        file.page(1, 1).name("Home").visit(7).randomSounds({"chime"});
        file.page(2, 1).name("Rivers").visit(8).targets({11, 12, 13, 14, 15}).randomAnimations({"a", "b"});
        file.page(3, kKeyTemplate).name("Keys");
        file.page(4, kExcludedTemplate).name("Dialog");
        for (std::uint32_t id : {70, 71, 90, 91, 92, 93})
            file.page(id, 1);
    }
    // A silent animation of n frames in the data folder.
    void writeAnimation(const std::string& name, int frames)
    {
        testkit::PicsFile ani;
        for (int n = 1; n <= frames; ++n)
            ani.frame(testkit::PicsFrame::Of(2, 2, 8, 6, std::vector<std::uint8_t>(48, std::uint8_t(10 + n))));
        const std::vector<std::uint8_t> bytes = ani.Bytes();
        plat::testing::TempConfig::writeFile(config.program() + "/Data/" + name, std::string(bytes.begin(), bytes.end()));
    }
    // The product data file's name, as the error log names it.
    std::string moreProgramStrings() const override { return "2\tKELBO.DAT\n"; }
    // Types the text on the current page, one character message each.
    void type(const std::string& text)
    {
        for (char c : text) {
            JxCKeyParams key(plat::WM_CHAR, std::uint8_t(c), 0);
            product().GetCurrentPage()->HandleKey(key);
        }
    }
    // The draws the product data makes for a change and the first timer:
    // the reset's, then the timer's effect due.
    static std::int32_t firstEffectDue(JxTitleRandom& r)
    {
        r.Next(15);
        return r.Next(15) + 15;
    }
};

TEST_F(ProductDataTest, TheTitleRecordAndThePageFieldsAreRead)
{
    readTitle();
    EXPECT_EQ(data().GetIdleList(), (std::vector<std::int32_t>{90, 91, 92, 93}));
    EXPECT_EQ(data().GetKeyList(), (std::vector<std::int32_t>{70, 71}));
    EXPECT_EQ(data().GetMenuList(), (std::vector<std::int32_t>{60}));
    EXPECT_EQ(data().GetKeyWatchTemplate(), kKeyTemplate);
    EXPECT_EQ(data().GetHistoryExcludedTemplate(), kExcludedTemplate);
    EXPECT_EQ(data().GetFields().navigationTargets[4], 5);
    EXPECT_EQ(data().GetFields().specialCode22Target, 77);
    EXPECT_EQ(GetTitleHooks().GetTestPageId(), 44);
    ASSERT_NE(data().GetStyleDef(), nullptr);

    JxCGavoPageDef without, with;
    ASSERT_TRUE(without.Load(1));
    ASSERT_TRUE(with.Load(2));
    EXPECT_EQ(without.HasTargets(), 0);
    EXPECT_EQ(without.GetTarget(0), 0);
    EXPECT_EQ(without.GetRandomSounds().size(), 1u);
    EXPECT_STREQ(without.GetRandomSounds()[0].GetText(), "chime");
    EXPECT_EQ(without.GetVisitIndex(), 7);
    EXPECT_EQ(with.GetTarget(0), 11);
    EXPECT_EQ(with.GetTarget(4), 15);
    EXPECT_EQ(with.GetTarget(5), 0);
    EXPECT_EQ(with.GetRandomAnimations().size(), 2u);
    EXPECT_TRUE(with.GetRandomSounds().empty());
}

TEST_F(ProductDataTest, ADamagedTitleRecordLeavesTheRestEmptyAndADamagedPageFailsItsLoad)
{
    title.claimedIdleCount = 0x40000000;
    file.page(5, 1).randomSounds({"x"});
    iniFile("[Directory]\nUser=P:\\Users\nData=P:\\Data\nLogErrors=1\nLogFile=P:\\run.log\n");
    ReadSettings();
    readTitle();
    // The title runs on, and the log says which file is damaged.
    const std::string log = plat::testing::TempConfig::readFile(config.program() + "/run.log");
    EXPECT_NE(log.find("'KELBO.DAT'"), std::string::npos) << log;
    EXPECT_EQ(data().GetMenuList().size(), 1u);
    EXPECT_TRUE(data().GetIdleList().empty());
    EXPECT_TRUE(data().GetKeyList().empty());
    EXPECT_EQ(data().GetKeyWatchTemplate(), 0);

    // The sound list's count claims more names than the record holds.
    const std::uint32_t a = product().GetPageDataOffset();
    const std::uint32_t at = product().GetRecordOffset(5);
    std::vector<std::uint8_t> page(bytes.begin() + a + at, bytes.end());
    const std::uint8_t name[] = {0, 1, 'x'};
    auto found = std::search(page.begin(), page.end(), std::begin(name), std::end(name));
    ASSERT_NE(found, page.end());
    found[-1] = 0x7F;  // low byte of the u32 count
    found[-4] = 0x7F;  // high byte
    product().SetDataStream(std::make_unique<JxCInStrStream>(JxMemoryBlock{page.data(), std::uint32_t(page.size())}));
    std::vector<std::uint32_t> table(6, 0xFFFFFFFF);
    table[5] = 0;
    product().SetRecordTable(table);
    JxCGavoPageDef def;
    EXPECT_EQ(def.Load(5), 0);
}

TEST_F(ProductDataTest, TheHistoryKeepsOneEntryPerPageAndSkipsTheExcludedTemplate)
{
    readTitle();
    changeTo(1);
    changeTo(1);
    EXPECT_EQ(data().GetHistory().GetCount(), 1);
    EXPECT_TRUE(data().IsHistoryShort());
    changeTo(4);  // the excluded template
    EXPECT_EQ(data().GetHistory().GetCount(), 1);
    changeTo(2);
    EXPECT_EQ(data().GetHistory().GetCount(), 2);
    EXPECT_FALSE(data().IsHistoryShort());
    EXPECT_EQ(data().GetHistory().GetLast()->GetPageId(), 2);
    EXPECT_EQ(GetTitleHooks().GoBack(), 1);
    EXPECT_EQ(data().GetHistory().GetCount(), 0);
    harness.runUntilIdle();
}

TEST_F(ProductDataTest, VisitedPagesAreMarkedInTheUsersFileAndNobodyLoggedInMarksNothing)
{
    readTitle();
    changeTo(1);  // nobody logged in: nothing to mark, nothing breaks
    testkit::UserFile ann;
    ann.name = "Ann";
    logIn("Ann", ann);
    changeTo(2);
    NotifyActionStopped(ActionTypeId(JxActionKeyword::OPENPAGE), 0, nullptr);
    EXPECT_TRUE(data().GetUserRecord()->IsVisited(8));
    EXPECT_FALSE(data().GetUserRecord()->IsVisited(7));
    DeleteProduct();  // the product data goes, saving Ann's record
    const std::vector<std::uint8_t> saved = bytesOf("jx_Ann.Gv3");
    ASSERT_EQ(saved.size(), 5326u + 3);
    const std::size_t mark = 2 + 3 + 4 + 330 * 4 + 8 * 2;
    EXPECT_EQ(saved[mark + 1], 1);
    EXPECT_EQ(saved[mark - 1], 0);
}

TEST_F(ProductDataTest, APagesRandomSoundReachesTheWaveDeviceAtTheSeedsTick)
{
    writeSound("chime");
    readTitle();
    changeTo(1);
    JxTitleRandom expected(12345);
    const std::int32_t due = firstEffectDue(expected);
    ASSERT_GE(due, 16);
    ASSERT_LE(due, 30);
    harness.runFor(std::uint64_t(due - 1) * 1000);
    EXPECT_EQ(plat::OpenWaveOutCount(), 0u);
    EXPECT_EQ(data().GetEffectCount(), due - 1);
    harness.runFor(1000);
    EXPECT_EQ(plat::OpenWaveOutCount(), 1u);
    EXPECT_EQ(IsAnyResourcePlaying(), 1);
    // A play-sound action run by the processor, for the current page, like
    // any sound of the title: it waits behind a sound already playing.
    auto* player = dynamic_cast<JxCResourcePlayer*>(product().GetMediaOwner());
    ASSERT_NE(player, nullptr);
    auto* chime = dynamic_cast<JxCPlaySoundAction*>(player->GetAction());
    ASSERT_NE(chime, nullptr);
    EXPECT_EQ(chime->GetOwner(), product().GetCurrentPage());
    EXPECT_EQ(data().GetEffectCount(), 0);
    expected.Next(1);  // the pick of the one sound
    EXPECT_EQ(data().GetEffectDue(), expected.Next(15) + 15);
    harness.runFor(2000);
    EXPECT_EQ(plat::OpenWaveOutCount(), 0u);
    ASSERT_EQ(audio->takeSounds().size(), 1u);
}

TEST_F(ProductDataTest, APagesRandomAnimationPlaysOnTheIdlePanelsFirstObjectAtTheSeedsTick)
{
    // Page 6 holds an object on the idle-animation panel; page 2 names
    // animations but its panel is empty.
    title.idleAnimationPanel = 1;
    testkit::PanelRecord stage(1);
    stage.add(testkit::HotspotRecord(0).id(9).rect(0, 0, 100, 100), file);
    file.page(6, 1).name("Stage").randomAnimations({"spin.ani", "wink.ani"}).storedPanel("Display", testkit::TitlePanelBytes(stage));
    writeAnimation("spin.ani", 3);
    writeAnimation("wink.ani", 4);
    readTitle();

    changeTo(2);
    JxTitleRandom expected(12345);
    std::int32_t due = firstEffectDue(expected);
    harness.runFor(std::uint64_t(due) * 1000);
    EXPECT_EQ(data().GetEffectCount(), 0);
    EXPECT_EQ(GetResourceList().GetCount(), 0) << "no object to play for";
    EXPECT_TRUE(reports->ids.empty());

    changeTo(6);
    expected.Next(2);  // page 2's pick
    expected.Next(15);  // the next due, which the change resets
    due = expected.Next(15) + 15;
    const std::int32_t pick = expected.Next(2);
    harness.runFor(std::uint64_t(due - 1) * 1000);
    EXPECT_EQ(GetResourceList().GetCount(), 0);
    harness.runFor(1000);
    ASSERT_EQ(GetResourceList().GetCount(), 1);
    JxCResourceObject* media = GetResourceList().GetFirst();
    EXPECT_EQ(media->GetName().View(), pick == 1 ? "spin.ani" : "wink.ani");
    EXPECT_TRUE(media->IsPlaying());
    auto* player = dynamic_cast<JxCResourcePlayer*>(product().GetMediaOwner());
    ASSERT_NE(player, nullptr) << "a queued play";
    auto* play = dynamic_cast<JxCPlayQueuePicsAction*>(player->GetAction());
    ASSERT_NE(play, nullptr);
    EXPECT_EQ(play->GetOwner(), product().GetCurrentPage()->FindPanelById(1)->FindObjectById(9));
    EXPECT_EQ(data().GetEffectDue(), expected.Next(15) + 15);
    // Played out, the animation lets go of everything.
    harness.runFor(2000);
    EXPECT_EQ(GetResourceList().GetCount(), 0);
    EXPECT_EQ(product().GetMediaOwner(), nullptr);
    EXPECT_TRUE(reports->ids.empty());
}

TEST_F(ProductDataTest, AfterTwoIdleMinutesThePageAtTheLoggedPositionOpens)
{
    readTitle();
    changeTo(2);  // random animations only: nothing is heard
    harness.runFor(119 * 1000);
    EXPECT_TRUE(watcher.opened.empty());
    harness.runFor(1000);
    const int position = int(plat::GetPrivateProfileIntA("GAVO3", "Page", -1, "Testing.ini"));
    ASSERT_GE(position, 1);
    ASSERT_LE(position, 3);
    ASSERT_FALSE(watcher.opened.empty());
    EXPECT_EQ(watcher.opened.front(), title.idlePages[std::size_t(position)]);
    EXPECT_EQ(data().GetIdleCount(), 0);
    EXPECT_EQ(plat::OpenWaveOutCount(), 0u);
}

TEST_F(ProductDataTest, TheIdleTickWaitsWhileAnAnimationTransitionPlays)
{
    // A silent animation of 30 frames: its own frame timer plays it, for
    // three seconds of the title's one-second ticks.
    writeAnimation("nav.ani", 30);
    readTitle();
    changeTo(2);
    ConnectTransitionMedia();
    JxCAnimationTransition transition;
    ASSERT_EQ(transition.Read(JxCString("nav.ani"), product().GetCurrentPage()->FindPanelById(1)), 1);
    const std::int32_t ticks = data().GetIdleCount();
    const std::uint64_t start = harness.now();
    EXPECT_EQ(transition.Run(), 1);
    EXPECT_GE(harness.now() - start, 2500u);
    EXPECT_LT(harness.now() - start, 5000u) << "played through, not ended by the safety limit";
    EXPECT_EQ(data().GetIdleCount(), ticks) << "no tick in the middle of the transition";
    harness.runFor(1000);
    EXPECT_GT(data().GetIdleCount(), ticks);
    EXPECT_TRUE(reports->ids.empty());
    DisconnectTransitionMedia();
}

TEST_F(ProductDataTest, AnInactiveApplicationHoldsTheIdlePageAndTheSoundsOff)
{
    writeSound("chime");
    readTitle();
    changeTo(1);
    MainWindowInput().appActive = 0;
    harness.runFor(300 * 1000);
    EXPECT_TRUE(watcher.opened.empty());
    EXPECT_TRUE(audio->takeSounds().empty());
    EXPECT_EQ(data().GetIdleCount(), 0);
}

TEST_F(ProductDataTest, ShortListsOpenNothing)
{
    title.idlePages = {90};
    title.keyPages = {};
    title.menuPages = {};
    readTitle();
    changeTo(3);
    harness.runFor(121 * 1000);
    type("Sapphire Otter");
    data().GoToRandomPage();
    harness.runUntilIdle();
    EXPECT_TRUE(watcher.opened.empty());
}

TEST_F(ProductDataTest, ThePhraseTypedOnTheTypedKeyPageOpensARandomTypedKeyPage)
{
    readTitle();
    changeTo(3);
    ASSERT_NE(dynamic_cast<JxCGv2BasePage*>(product().GetCurrentPage()), nullptr);
    type("sapphire otter");
    type("Sapphire Xtter");
    type("Otter");  // the wrong letter began no new attempt
    harness.runUntilIdle();
    EXPECT_TRUE(watcher.opened.empty());
    type("Sapphire Otter");
    harness.runUntilIdle();
    ASSERT_EQ(watcher.opened.size(), 1u);
    EXPECT_TRUE(watcher.opened[0] == 70 || watcher.opened[0] == 71);

    changeTo(1);
    watcher.opened.clear();
    type("Sapphire Otter");
    harness.runUntilIdle();
    EXPECT_TRUE(watcher.opened.empty());
}

TEST(TitleRandomTest, DrawsStayWithinOneToNAndFollowTheSeed)
{
    JxTitleRandom r(1);
    EXPECT_EQ(r.Next(1), 1);
    EXPECT_EQ(r.GetSeed(), 16807u);
    EXPECT_EQ(r.Next(0), 1);
    JxTitleRandom a(99), b(99);
    for (int i = 0; i < 1000; ++i) {
        const std::int32_t v = a.Next(15);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 15);
        ASSERT_EQ(v, b.Next(15));
    }
}

}  // namespace
}  // namespace title_test
