// testkit's list of texts drawn through the "Regular" arrangement into a
// slate: the rows in view, one line of the style each, the selected one
// on the highlight colour; and a list whose style is missing.

#include <memory>

#include "objects/tests/panel_fixture.h"
#include "objects/tests/style_source.h"
#include "testkit/list_data.h"

namespace {

using namespace panel_test;

constexpr int kLine = 13;
constexpr std::uint8_t kInk = 3;
constexpr std::uint8_t kLit = 9;

class ListDataTest : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        testkit::StyleDefs defs;
        testkit::CharStyleRecord c = BuiltinStyle(4);
        c.text = {colours[kInk][0], colours[kInk][1], colours[kInk][2]};
        c.highlightBackground = {colours[kLit][0], colours[kLit][1], colours[kLit][2]};
        c.highlightText = {colours[kInk][0], colours[kInk][1], colours[kInk][2]};
        defs.characters = {c};
        styles_ = std::make_unique<StyleSource>(defs);
    }
    void TearDown() override
    {
        styles_.reset();
        PanelTest::TearDown();
    }
    // The list read from its record part: the style id.
    static std::unique_ptr<testkit::TextListData> listOf(std::vector<std::string> texts, std::uint16_t styleId)
    {
        auto list = std::make_unique<testkit::TextListData>(std::move(texts));
        const std::uint8_t record[] = {std::uint8_t(styleId >> 8), std::uint8_t(styleId)};
        JxCInStrStream in(JxMemoryBlock{record, sizeof record});
        EXPECT_EQ(list->Load(in, nullptr), 1);
        return list;
    }
    // How many pixels of the colour the rows from top to bottom hold.
    static int count(SlatePage& page, int top, int bottom, std::uint8_t colour)
    {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < 60; ++x)
                n += page.at(x, y) == colour ? 1 : 0;
        return n;
    }

    std::unique_ptr<StyleSource> styles_;
};

TEST_F(ListDataTest, TheRowsInViewAreDrawnTheSelectedOneLit)
{
    SlatePage page(100, 80);
    page.slate.DrawRectangle(JxCRect(0, 0, 100, 80), JxCRGB(colours[1][0], colours[1][1], colours[1][2]));
    testkit::ListView view(listOf({"Ant", "Bee", "Cat", "Dog", "Eel"}, 4), JxCRect(0, 0, 60, 3 * kLine));
    view.visible = 3;
    view.first = 1;
    view.selected = 2;
    ASSERT_EQ(view.GetDataManager()->SetUp(&view), 1);
    EXPECT_EQ(view.arrangement().GetLayoutValue(), kLine);
    view.arrangement().Arrange(&view);
    EXPECT_EQ(view.arrangement().GetTotalExtent(), 5);
    EXPECT_EQ(view.arrangement().DrawItems(&page.slate, view.GetRect(), &view), 1);
    // "Bee", "Cat" (lit), "Dog"; nothing of "Eel" below them.
    EXPECT_GT(count(page, 0, kLine, kInk), 0);
    EXPECT_EQ(count(page, 0, kLine, kLit), 0);
    EXPECT_GT(count(page, kLine + 1, 2 * kLine - 1, kLit), 40 * (kLine - 2) / 2);
    EXPECT_GT(count(page, 2 * kLine + 1, 3 * kLine, kInk), 0);
    EXPECT_EQ(count(page, 2 * kLine + 1, 3 * kLine, kLit), 0);
    EXPECT_EQ(count(page, 3 * kLine + 1, 80, kInk), 0);
    EXPECT_EQ(view.arrangement().HitTestItems(JxCPoint(5, kLine + 4), &view), 2);
    EXPECT_EQ(view.GetDataManager()->FindItemByText("d"), 3);
}

TEST_F(ListDataTest, AMissingStyleIsReportedAndTheListGoesOnWithout)
{
    testkit::ListView view(listOf({"Ant"}, 77), JxCRect(0, 0, 60, 20));
    EXPECT_EQ(view.GetDataManager()->SetUp(&view), 1);
    EXPECT_NE(errorLog().find("JxCBasicListBox::Character style specified was not defined"), std::string::npos);
    EXPECT_EQ(static_cast<testkit::TextListData*>(view.GetDataManager())->GetStyle(), nullptr);
    EXPECT_EQ(static_cast<testkit::TextListData*>(view.GetDataManager())->GetItemCount(), 1);
}

}  // namespace
