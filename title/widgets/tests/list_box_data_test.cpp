// The title's list boxes on a running title: the three visit lists drawn
// with their tick column for a user (golden picture) and with nobody logged
// in or without the tick picture; choosing entries of the simple and the
// visit lists (the remembered position, the page actions in record order);
// a group collage of the title opening at the remembered position, and its
// request to the input method under the Korean language.

#include <filesystem>

#include "objects/actions/JxCChangePageAction.h"
#include "objects/tests/style_source.h"
#include "objects/widgets/JxCCollage.h"
#include "objects/widgets/JxCEditBox.h"
#include "graphics/JxDibUtils.h"
#include "runtime/JxCCollArrangementManager.h"
#include "platform/ui/dialog.h"
#include "platform/modules/module.h"
#include "platform/screen/screen.h"
#include "platform/tests/golden.h"
#include "runtime/JxCIndex.h"
#include "testkit/collage_records.h"
#include "testkit/title_widgets.h"
#include "testkit/title_panels.h"
#include "title/widgets/JxCGavoGroupCollage.h"
#include "title/widgets/JxListBoxData.h"
#include "title/tests/title_data_fixture.h"

namespace title_test {
namespace {

constexpr std::int16_t kStyle = 1;  // the built-in face: lines 13 high
constexpr std::uint16_t kListTemplate = 6;
constexpr std::int32_t kVisitPage = 20;
constexpr std::int32_t kIndexPage = 21;
constexpr std::int16_t kListLeft = 20;

testkit::CharStyleRecord listStyle()
{
    testkit::CharStyleRecord style = panel_test::BuiltinStyle(kStyle);
    style.highlightBackground = {24, 40, 96};
    style.highlightText = {255, 255, 255};
    return style;
}

class ListBoxDataTest : public TitleDataTest {
protected:
    void SetUp() override
    {
        TitleDataTest::SetUp();
        title.styles.characters = {listStyle()};
        title.visits = testkit::NumberedIndex(5);
        title.index = testkit::NumberedIndex(12);
        // Entry 3 leads to page 3 and then to 30 and 31.
        title.index[2].pages = {3, 30, 31};
        file.templateDef(kListTemplate, "BASE_PAGE").panel(1, "Display").size(640, 480).colour(255, 255, 255);
        testkit::PanelRecord visits(1);
        std::int16_t left = kListLeft;
        std::int16_t id = 1;
        for (const char* list : {"VisitAll", "Visited", "ToBeVisited"}) {
            visits.add(testkit::ListCollageRecord(list, kStyle).id(id++).rect(left, 20, std::int16_t(left + 140), 120), file);
            left = std::int16_t(left + 200);
        }
        file.page(kVisitPage, kListTemplate).name("Visits").storedPanel("Display", testkit::TitlePanelBytes(visits));
        testkit::PanelRecord index(1);
        index.add(testkit::ListCollageRecord("SimpleLBData", kStyle).id(1).rect(kListLeft, 20, 160, 72), file);
        index.add(testkit::EditBoxRecord("", "", "", kStyle).id(2).rect(200, 20, 330, 36), file);
        index.add(testkit::GroupCollageRecord({.collage = 1, .editBox = 2, .scrollBar = {}, .buttons = {}, .positionControl = {}})
                      .id(9).rect(0, 0, 340, 80).z(5), file);
        file.page(kIndexPage, kListTemplate).name("Index").storedPanel("Display", testkit::TitlePanelBytes(index));
        for (std::uint32_t id : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 30, 31})
            file.page(id, 1);
    }
    void withTick()
    {
        const std::string folder = config.program() + "/kelbo32.resources/bitmap";
        std::filesystem::create_directories(folder);
        std::filesystem::copy_file(std::string(KELBO_SOURCE_DIR) + "/resources/kelbo32.resources/bitmap/TICK.bmp",
                                   folder + "/TICK.bmp");
    }
    // Ann, who has visited the second and the fourth entry.
    void logInAnn()
    {
        testkit::UserFile ann;
        ann.name = "Ann";
        ann.visited[1] = 1;
        ann.visited[3] = 1;
        logIn(ann.name, ann);
    }
    template <class T>
    T* object(std::int32_t id)
    {
        return dynamic_cast<T*>(product().GetCurrentPage()->FindPanelById(1)->FindObjectById(id));
    }
    JxCCollage* list(std::int32_t id) { return object<JxCCollage>(id); }
    std::vector<std::string> names(std::int32_t id)
    {
        JxCCollDataManager& data = *list(id)->GetDataManager();
        std::vector<std::string> texts;
        for (std::int32_t i = 0; i < static_cast<JxCCollLinearDataManager&>(data).GetItemCount(); ++i) {
            JxCCollItemRef item(data, i, list(id));
            texts.emplace_back(data.GetItemText(item).GetText());
        }
        return texts;
    }
    // The leftmost column of the screen holding the colour in the rows of
    // the list's first item; -1 when none does.
    int firstColumnOf(std::int32_t id, std::uint8_t r, std::uint8_t g, std::uint8_t b)
    {
        const JxCRect rect = list(id)->GetRect();
        for (int x = rect.left; x < rect.right; ++x)
            for (int y = rect.top; y < rect.top + 13; ++y) {
                const plat::Screen& screen = plat::TheScreen();
                const std::uint32_t pixel = screen.pixels()[y * screen.stride() + x] & 0xFFFFFF;
                if (pixel == (std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | b))
                    return x - rect.left;
            }
        return -1;
    }
    std::int16_t choose(std::int32_t id, std::int32_t index)
    {
        JxCCollDataManager& data = *list(id)->GetDataManager();
        JxCCollItemRef item(data, index, list(id));
        return data.ActivateItem(item, 0);
    }
    // The page each queued change-page action is aimed at, in queue order.
    std::vector<std::uint32_t> queuedChanges()
    {
        std::vector<std::uint32_t> pages;
        JxCActionListList& queue = product().GetActionProcessor()->GetQueue();
        for (JxCProcessActionList* l = queue.GetFirst(); l; l = queue.GetNext(l))
            for (JxCAction* a = l->GetFirst(); a; a = l->GetNext(a))
                if (auto* change = dynamic_cast<JxCChangePageAction*>(a))
                    pages.push_back(change->GetPageKey());
        return pages;
    }
};

TEST_F(ListBoxDataTest, TheVisitListsTickWhatTheUserVisitedAndLineTheirNamesUp)
{
    withTick();
    readTitle();
    logInAnn();
    changeTo(kVisitPage);
    harness.runUntilIdle();
    EXPECT_EQ(names(1), (std::vector<std::string>{"Page 1", "Page 2", "Page 3", "Page 4", "Page 5"}));
    EXPECT_EQ(names(2), (std::vector<std::string>{"Page 2", "Page 4"}));
    EXPECT_EQ(names(3), (std::vector<std::string>{"Page 1", "Page 3", "Page 5"}));
    // Names begin 30 pixels in, in every list; the lists' item height is a
    // line of the style.
    for (std::int32_t id : {1, 2, 3}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(list(id)->GetArrangementManager()->GetItemSize(), 13);
        auto& visits = static_cast<JxVisitShowAll&>(*list(id)->GetDataManager());
        EXPECT_EQ(GetBitmapWidth(visits.GetTick()), 20);
    }
    const int nameStart = firstColumnOf(3, 0, 0, 0);  // no ticks in the third list
    EXPECT_GE(nameStart, 30);
    EXPECT_LT(nameStart, 34);
    EXPECT_EQ(plat::testing::CompareWithGolden(nullptr, "visit_lists", "title/tests/golden"), "");
    // The visit data's own entries are shown, not copies, and the built
    // lists leave them to the visit data.
    auto& visited = static_cast<JxVisitShowAll&>(*list(2)->GetDataManager());
    EXPECT_EQ(visited.GetList()->GetAt(0), data().GetVisitData()->GetAt(1));
    EXPECT_EQ(visited.GetList()->GetOwnsItems(), 0);
}

TEST_F(ListBoxDataTest, NobodyLoggedInListsEverythingToVisitAndTicksNothing)
{
    withTick();
    readTitle();
    changeTo(kVisitPage);
    harness.runUntilIdle();
    EXPECT_EQ(names(2), std::vector<std::string>{});
    EXPECT_EQ(names(3).size(), 5u);
    auto& all = static_cast<JxVisitShowAll&>(*list(1)->GetDataManager());
    for (std::int32_t i = 0; i < 5; ++i)
        EXPECT_FALSE(all.IsTicked(i));
    // No black tick strokes in the first list's tick column.
    const int ink = firstColumnOf(1, 0, 0, 0);
    EXPECT_GE(ink, 30);
}

TEST_F(ListBoxDataTest, WithoutTheTickPictureNamesStartTenPixelsIn)
{
    readTitle();
    logInAnn();
    changeTo(kVisitPage);
    harness.runUntilIdle();
    for (std::int32_t id : {1, 2, 3}) {
        SCOPED_TRACE(id);
        auto& visits = static_cast<JxVisitShowAll&>(*list(id)->GetDataManager());
        EXPECT_EQ(visits.GetTick().handle, nullptr);
        const int ink = firstColumnOf(id, 0, 0, 0);
        EXPECT_GE(ink, 10);
        EXPECT_LT(ink, 14);
    }
}

TEST_F(ListBoxDataTest, AMissingStyleIsReportedAndTheListStillFills)
{
    title.styles.characters.clear();
    readTitle();
    answers = {plat::IDOK, plat::IDOK, plat::IDOK};
    changeTo(kVisitPage);
    harness.runUntilIdle();
    EXPECT_EQ(names(3).size(), 5u);
    // Once for each list: the style is looked for at each one's set-up.
    EXPECT_EQ(boxes.size(), 3u);
}

TEST_F(ListBoxDataTest, ChoosingAnIndexEntryRemembersItAndTheGroupReturnsToIt)
{
    readTitle();
    changeTo(kIndexPage);
    harness.runUntilIdle();
    auto* group = object<JxCGavoGroupCollage>(9);
    ASSERT_NE(group, nullptr);
    // Before any choice the group opens at the first entry.
    EXPECT_EQ(list(1)->GetSelectedIndex(), 0);
    EXPECT_STREQ(object<JxCEditBox>(2)->GetText().GetText(), "Page 1");

    EXPECT_EQ(choose(1, 7), 1);
    EXPECT_EQ(data().GetListSelection(), 7);
    EXPECT_EQ(queuedChanges(), (std::vector<std::uint32_t>{8}));
    product().PurgeQueuedActions(0);

    changeTo(1);
    changeTo(kIndexPage);
    harness.runUntilIdle();
    product().OnFirstPaint(product().GetCurrentPage(), product().GetCurrentPage()->GetFirstPaintSerial());
    JxCCollage* collage = list(1);
    EXPECT_EQ(collage->GetSelectedIndex(), 7);
    EXPECT_LE(collage->GetFirstVisible(), 7);
    EXPECT_GT(collage->GetFirstVisible() + collage->GetVisibleCount(), 7);
    EXPECT_GT(collage->GetFirstVisible(), 0);
    EXPECT_STREQ(object<JxCEditBox>(2)->GetText().GetText(), "Page 8");
}

TEST_F(ListBoxDataTest, AnEntryLeadsToItsPageThenItsFurtherPagesInRecordOrder)
{
    readTitle();
    changeTo(kIndexPage);
    harness.runUntilIdle();
    product().PurgeQueuedActions(0);
    EXPECT_EQ(choose(1, 2), 1);
    EXPECT_EQ(queuedChanges(), (std::vector<std::uint32_t>{3, 30, 31}));
    product().PurgeQueuedActions(0);
    // An index past the list, or none, chooses nothing.
    EXPECT_EQ(choose(1, 12), 0);
    EXPECT_EQ(choose(1, -1), 0);
    EXPECT_EQ(queuedChanges(), std::vector<std::uint32_t>{});
    EXPECT_EQ(data().GetListSelection(), 2);
}

TEST_F(ListBoxDataTest, AVisitListChoiceLeavesTheRememberedPositionAlone)
{
    readTitle();
    data().SetListSelection(4);
    changeTo(kVisitPage);
    harness.runUntilIdle();
    product().PurgeQueuedActions(0);
    EXPECT_EQ(choose(3, 2), 1);  // "Page 3" of the pages to visit
    EXPECT_EQ(queuedChanges(), (std::vector<std::uint32_t>{3}));
    EXPECT_EQ(data().GetListSelection(), 4);
}

std::vector<plat::HWND>& imeRequests()
{
    static std::vector<plat::HWND> windows;
    return windows;
}

plat::LRESULT noteImeRequest(plat::HWND window, plat::LPARAM)
{
    imeRequests().push_back(window);
    return 0;
}

TEST_F(ListBoxDataTest, TheGroupAsksTheInputMethodForKoreanInputOnly)
{
    using SendFn = plat::LRESULT (*)(plat::HWND, plat::LPARAM);
    SendFn send = noteImeRequest;
    plat::RegisterBuiltinLibrary("WINNLS", {{"SendIMEMessageEx", reinterpret_cast<plat::FARPROC>(send)}});
    readTitle();
    changeTo(kIndexPage);
    harness.runUntilIdle();
    auto* group = object<JxCGavoGroupCollage>(9);
    ASSERT_NE(group, nullptr);
    for (std::uint16_t language : {std::uint16_t(1033), JxCGavoGroupCollage::kKoreanLanguageId}) {
        SCOPED_TRACE(language);
        SelectLanguage(language);
        imeRequests().clear();
        EXPECT_EQ(group->Start(), 1);
        const std::size_t expected = language == JxCGavoGroupCollage::kKoreanLanguageId ? 1 : 0;
        ASSERT_EQ(imeRequests().size(), expected);
        if (expected) {
            EXPECT_EQ(imeRequests()[0], product().GetCurrentPage()->GetWindow());
        }
    }
    ResetLanguage();
    plat::RegisterBuiltinLibrary("WINNLS", {});
}

}  // namespace
}  // namespace title_test
