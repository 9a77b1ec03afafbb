// A collage's managers: the linear arrangement over a linear data manager
// (steps, positions, the view, drawing and hit testing), the sorted text
// search, the lock an item reference holds, and the two registries.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "runtime/JxCCollArrangementManager.h"
#include "runtime/JxCCollDataManager.h"
#include "runtime/JxCCollageBase.h"
#include "runtime/JxCollManagerRegistry.h"
#include "testkit/list_data.h"

namespace {

// A collage with the managers, the view and a selection the test sets.
class TestCollage : public JxCCollageBase {
public:
    TestCollage(std::unique_ptr<JxCCollDataManager> data, const JxCRect& rect)
        : data_(std::move(data)), arrangement_(std::make_unique<JxCCollLinearArrangementManager>())
    {
        SetRect(rect);
        data_->SetCollage(this);
        arrangement_->SetCollage(this);
    }
    JxCCollDataManager* GetDataManager() const override { return data_.get(); }
    JxCCollArrangementManager* GetArrangementManager() const override { return arrangement_.get(); }
    std::int32_t GetFirstVisible() const override { return first; }
    std::int32_t GetVisibleCount() const override { return visible; }
    std::int32_t GetSelectedIndex() const override { return selected; }
    void ScrollTo(std::int32_t position, std::int16_t redraw) override
    {
        scrolls.push_back(position);
        first = position;
        (void)redraw;
    }

    JxCCollArrangementManager& arrangement() { return *arrangement_; }

    std::int32_t first = 0;
    std::int32_t visible = 4;
    std::int32_t selected = -1;
    std::vector<std::int32_t> scrolls;

private:
    std::unique_ptr<JxCCollDataManager> data_;
    std::unique_ptr<JxCCollArrangementManager> arrangement_;
};

struct Drawn {
    std::int32_t index;
    JxCRect rect;
    std::int16_t selected;
    std::int32_t lockCount;
};
std::vector<Drawn>* drawLog = nullptr;

std::int16_t noteDraw(const JxCCollItemRef& item, const JxCRect& rect, JxCSlate*, std::int16_t selected)
{
    drawLog->push_back({item.GetIndex(), rect, selected, item.GetDataManager().GetLockCount()});
    return 1;
}

// The text list with its drawing noted instead of made.
std::unique_ptr<testkit::TextListData> notedList(std::vector<std::string> texts)
{
    auto list = std::make_unique<testkit::TextListData>(std::move(texts));
    list->SetItemCallbacks(noteDraw, [](const JxCCollItemRef&, std::int32_t) -> std::int16_t { return 1; },
                           [](const JxCCollItemRef&, const JxCPoint&) -> std::int16_t { return 1; },
                           [](const JxCCollItemRef&) {},
                           [](const JxCCollItemRef& item, std::int32_t, std::int32_t) { return item.GetIndex(); });
    list->Refresh();
    return list;
}

class CollManagerTest : public ::testing::Test {
protected:
    void SetUp() override { drawLog = &drawn; }
    void TearDown() override { drawLog = nullptr; }

    // A vertical collage at (10, 100), 50 wide, with rows of 12 pixels.
    std::unique_ptr<TestCollage> collageOf(std::vector<std::string> texts)
    {
        auto collage = std::make_unique<TestCollage>(notedList(std::move(texts)), JxCRect(10, 100, 60, 148));
        collage->arrangement().SetLayoutValue(12);
        collage->arrangement().Arrange(collage.get());
        return collage;
    }

    std::vector<Drawn> drawn;
};

TEST_F(CollManagerTest, AnEmptyListHasNoItemsDrawsNothingAndHitsNothing)
{
    auto collage = collageOf({});
    JxCCollArrangementManager& a = collage->arrangement();
    EXPECT_EQ(a.NextItem(-1), -1);
    EXPECT_EQ(a.PrevItem(-1), -1);
    EXPECT_EQ(a.GetTotalExtent(), 0);
    EXPECT_EQ(a.DrawItems(nullptr, collage->GetRect(), collage.get()), 1);
    EXPECT_TRUE(drawn.empty());
    EXPECT_EQ(a.HitTestItems(JxCPoint(20, 105), collage.get()), -1);
    // The search reads no item at all, not even item -1.
    EXPECT_EQ(collage->GetDataManager()->FindItemByText("anything"), -1);
}

TEST_F(CollManagerTest, ItemRowsFollowTheFirstVisiblePosition)
{
    auto collage = collageOf({"a", "b", "c", "d", "e", "f", "g", "h"});
    JxCCollArrangementManager& a = collage->arrangement();
    EXPECT_EQ(a.GetTotalExtent(), 8);
    collage->first = 2;
    collage->selected = 3;
    for (std::int32_t i : {2, 3, 5}) {
        const JxCRect r = a.ItemRect(collage.get(), i);
        EXPECT_EQ(r.top, 100 + (i - 2) * 12) << i;
        EXPECT_EQ(r.bottom, 100 + (i - 1) * 12) << i;
        EXPECT_EQ(r.left, 10);
        EXPECT_EQ(r.right, 60);
    }
    // Items 2 to 5 are in view; item 6 starts exactly at its end.
    EXPECT_EQ(a.FirstItemAt(2), 2);
    EXPECT_EQ(a.LastItemAt(6), 5);
    EXPECT_EQ(a.LastItemAt(8), 7);
    EXPECT_EQ(a.LastItemAt(20), 7);  // past every item: the last
    ASSERT_EQ(a.DrawItems(nullptr, collage->GetRect(), collage.get()), 1);
    ASSERT_EQ(drawn.size(), 4u);
    for (std::size_t k = 0; k < drawn.size(); ++k) {
        EXPECT_EQ(drawn[k].index, std::int32_t(k) + 2);
        EXPECT_EQ(drawn[k].rect.top, 100 + std::int32_t(k) * 12);
        EXPECT_EQ(drawn[k].selected, drawn[k].index == 3 ? 1 : 0);
        EXPECT_GT(drawn[k].lockCount, 0);  // the reference holds the lock
    }
    EXPECT_EQ(collage->GetDataManager()->GetLockCount(), 0);
    EXPECT_EQ(a.GetLockCount(), 0);

    // Only the rows the clip meets (touching counts) are drawn.
    drawn.clear();
    a.DrawItems(nullptr, JxCRect(0, 124, 100, 130), collage.get());
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].index, 3);
    EXPECT_EQ(drawn[1].index, 4);
}

TEST_F(CollManagerTest, HitTestingFindsTheRowUnderThePointAndClampsOutside)
{
    auto collage = collageOf({"a", "b", "c", "d", "e", "f"});
    JxCCollArrangementManager& a = collage->arrangement();
    collage->first = 1;
    EXPECT_EQ(a.HitTestItems(JxCPoint(20, 100), collage.get()), 1);
    EXPECT_EQ(a.HitTestItems(JxCPoint(20, 111), collage.get()), 1);
    EXPECT_EQ(a.HitTestItems(JxCPoint(20, 113), collage.get()), 2);
    EXPECT_EQ(a.HitTestItems(JxCPoint(20, 147), collage.get()), 4);
    // Above the collage the position clamps to 0, whose row is not there.
    EXPECT_EQ(a.HitTestItems(JxCPoint(20, 60), collage.get()), -1);
    // Beside the collage nothing is hit.
    EXPECT_EQ(a.HitTestItems(JxCPoint(70, 105), collage.get()), -1);
    // An item size of 0 counts as 1: no division by zero.
    a.SetLayoutValue(0);
    collage->first = 0;
    EXPECT_EQ(a.HitTestItems(JxCPoint(20, 103), collage.get()), 3);
}

TEST_F(CollManagerTest, ItemsOfVariableExtentAndTheHorizontalAxis)
{
    auto list = notedList({"a", "b", "c", "d"});
    // Item i takes i + 1 units: starts 0, 1, 3, 6; total 10.
    list->SetPositionCallbacks([](const JxCCollItemRef& item) { return (item.GetIndex() + 1) * (item.GetIndex() + 2) / 2; },
                               [](JxCCollLinearDataManager& m, std::int32_t position) -> std::int32_t {
                                   for (std::int32_t i = 0; i < m.GetItemCount(); ++i)
                                       if (position < (i + 1) * (i + 2) / 2)
                                           return i;
                                   return -1;
                               });
    TestCollage collage(std::move(list), JxCRect(0, 0, 100, 20));
    JxCCollArrangementManager& a = collage.arrangement();
    a.SetOrientation(0);
    a.SetLayoutValue(5);
    a.Arrange(&collage);
    EXPECT_EQ(a.GetTotalExtent(), 10);
    EXPECT_EQ(a.ItemStart(2), 3);
    EXPECT_EQ(a.ItemEnd(2), 6);
    EXPECT_EQ(a.ItemStart(-1), -1);
    EXPECT_EQ(a.LastItemAt(6), 2);  // item 3 starts at 6: not in view
    EXPECT_EQ(a.LastItemAt(7), 3);
    const JxCRect r = a.ItemRect(&collage, 2);
    EXPECT_EQ(r.left, 15);
    EXPECT_EQ(r.right, 30);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.bottom, 20);
    EXPECT_EQ(a.HitTestItems(JxCPoint(16, 5), &collage), 2);
}

TEST_F(CollManagerTest, ShrinkingBelowTheViewScrollsBackToTheStart)
{
    auto collage = collageOf({"a", "b", "c", "d", "e", "f", "g", "h"});
    JxCCollArrangementManager& a = collage->arrangement();
    collage->first = 3;
    a.SetTotalExtent(6);  // still more than the 4 shown
    EXPECT_TRUE(collage->scrolls.empty());
    a.SetTotalExtent(4);
    EXPECT_EQ(collage->scrolls, (std::vector<std::int32_t>{0}));
    EXPECT_EQ(a.GetTotalExtent(), 4);
    // Emptied and arranged again, the list takes no positions.
    static_cast<testkit::TextListData*>(collage->GetDataManager())->SetTexts({});
    collage->GetDataManager()->Refresh();
    a.Arrange(collage.get());
    EXPECT_EQ(a.GetTotalExtent(), 0);
}

TEST_F(CollManagerTest, TheSortedSearchFindsTheFirstTextNotSortingBefore)
{
    auto collage = collageOf({"Ant", "bee", "Cat", "cow", "Dog"});
    JxCCollDataManager& data = *collage->GetDataManager();
    EXPECT_EQ(data.FindItemByText("a"), 0);
    EXPECT_EQ(data.FindItemByText("ANT"), 0);
    EXPECT_EQ(data.FindItemByText("b"), 1);
    EXPECT_EQ(data.FindItemByText("Co"), 3);
    EXPECT_EQ(data.FindItemByText("cp"), 4);
    EXPECT_EQ(data.FindItemByText("zebra"), 4);  // after them all: the last
    EXPECT_EQ(data.FindItemByText(""), 0);
    EXPECT_EQ(data.GetLockCount(), 0);

    // A single item answers itself whatever the text.
    static_cast<testkit::TextListData&>(data).SetTexts({"Only"});
    data.Refresh();
    EXPECT_EQ(data.FindItemByText("a"), 0);
    EXPECT_EQ(data.FindItemByText("z"), 0);
}

TEST_F(CollManagerTest, TheBaseManagersAnswerTheirDefaults)
{
    JxCCollArrangementManager a;
    JxCCollDataManager d;
    EXPECT_EQ(a.DrawItems(nullptr, JxCRect(), nullptr), 0);
    EXPECT_EQ(a.HitTestItems(JxCPoint(), nullptr), -1);
    EXPECT_EQ(a.NextItem(-1), -1);
    a.SetTotalExtent(7);
    EXPECT_EQ(a.ItemStart(3), 0);
    EXPECT_EQ(a.ItemEnd(3), 7);
    EXPECT_EQ(a.FirstItemAt(0), -1);
    JxCCollItemRef item(d, 5);
    EXPECT_EQ(d.HitItem(item, JxCPoint()), 1);
    EXPECT_EQ(d.SelectItem(item, 3, 1), 5);
    EXPECT_EQ(d.GetItemText(item).GetLength(), 0u);
    EXPECT_EQ(d.GetLockCount(), 1);
    EXPECT_EQ(d.FindItemByText("x"), -1);
}

JxCCollArrangementManager* makeLinear()
{
    return new JxCCollLinearArrangementManager;
}

JxCCollArrangementManager* makeBase()
{
    return new JxCCollArrangementManager;
}

TEST(CollManagerRegistry, RegisteringANameAgainCountsUsesAndKeepsTheFirstCreator)
{
    for (int i = 0; i < 3; ++i)
        RegisterArrangementManagerType(JxCTableString("RegularTest"), i == 0 ? makeLinear : makeBase);
    EXPECT_EQ(FindArrangementManagerType(JxCTableString("regulartest")), makeLinear);
    EXPECT_EQ(FindDataManagerType(JxCTableString("RegularTest")), nullptr);  // the other registry
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(UnregisterArrangementManagerType(JxCTableString("REGULARTEST")), 1);
        EXPECT_NE(FindArrangementManagerType(JxCTableString("RegularTest")), nullptr);
    }
    EXPECT_EQ(UnregisterArrangementManagerType(JxCTableString("RegularTest")), 1);
    EXPECT_EQ(FindArrangementManagerType(JxCTableString("RegularTest")), nullptr);
    EXPECT_EQ(UnregisterArrangementManagerType(JxCTableString("RegularTest")), 0);
}

TEST(CollManagerRegistry, TheTextListRegistersWithTheRegularArrangement)
{
    testkit::RegisterTextListData({"x", "y"});
    JxDataManagerCreator makeData = FindDataManagerType(JxCTableString("testtextlist"));
    JxArrangementManagerCreator makeArrangement = FindArrangementManagerType(JxCTableString("regular"));
    ASSERT_NE(makeData, nullptr);
    ASSERT_NE(makeArrangement, nullptr);
    std::unique_ptr<JxCCollDataManager> data(makeData());
    std::unique_ptr<JxCCollArrangementManager> arrangement(makeArrangement());
    EXPECT_EQ(static_cast<testkit::TextListData&>(*data).GetTexts(), (std::vector<std::string>{"x", "y"}));
    EXPECT_NE(dynamic_cast<JxCCollLinearArrangementManager*>(arrangement.get()), nullptr);
    testkit::UnregisterTextListData();
    EXPECT_EQ(FindDataManagerType(JxCTableString(testkit::kTextListDataName)), nullptr);
}

}  // namespace
