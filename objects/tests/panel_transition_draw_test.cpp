// A panel's draw with a transition: the wipe slides from the previous
// panel's picture to the new one; without a previous panel, or with "Force
// Screen Paint", the new picture comes at once.

#include "objects/tests/panel_fixture.h"

namespace {

using namespace panel_test;

constexpr std::uint8_t kOldColour = 60;

// Fills its rectangle with one colour.
class FillObject : public JxCDisplayObject {
public:
    FillObject(const testkit::Rgb& colour, const JxCRect& rect) : colour_(colour[0], colour[1], colour[2])
    {
        SetRect(rect);
    }
    std::int16_t Draw(JxCSlate* slate, const JxCRect* clip) override
    {
        const JxCRect& r = clip ? *clip : GetRect();
        return slate->DrawRectangle(JxCRect(r.left, r.top, std::int16_t(r.right - 1), std::int16_t(r.bottom - 1)), colour_);
    }

private:
    JxCRGB colour_;
};

class PanelWipeTest : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        panelDef();
        const testkit::Rgb& c = colours[kOldColour];
        file.templateDef(2, "BASE_PAGE").panel(2, "Display").at(10, 20).size(100, 50).colour(c[0], c[1], c[2]);
        readDefinitions();
        // Made under the product palette.
        pagePtr = std::make_unique<SlatePage>(200, 100);
        oldPagePtr = std::make_unique<SlatePage>(200, 100);
        ASSERT_EQ(panel.Init(2, page().GetPageDef()), 1);
        panel.SetOwnerPage(&page());
        oldPagePtr->GetPageDef()->SetTemplateId(2);
        ASSERT_EQ(previous.Init(2, oldPagePtr->GetPageDef()), 1);
        // The previous panel shows its own picture: an object of its colour
        // over all of it.
        auto* cover = new FillObject(colours[kOldColour], JxCRect(0, 0, 100, 50));
        cover->Attach(&previous, JxCTypeKey());
        previous.GetDisplayObjects().InsertByZOrder(cover);
        // Each copy into the page notes the left and right ends of the
        // panel's middle row.
        page().slate.afterCopy = [this] { steps.emplace_back(page().at(11, 45), page().at(108, 45)); };
    }
    SlatePage& page() { return *pagePtr; }

    // Declared before the panels, which point at them.
    std::unique_ptr<SlatePage> pagePtr;
    std::unique_ptr<SlatePage> oldPagePtr;
    JxCPanelObject panel;
    JxCPanelObject previous;
    std::vector<std::pair<int, int>> steps;
};

TEST_F(PanelWipeTest, AWipeLeftShowsThePreviousPanelFirstAndTheNewOneAtTheEnd)
{
    panel.SetTransitionType(kTransitionWipeLeft);
    panel.SetPreviousPanel(&previous);
    ASSERT_EQ(panel.Draw(nullptr, nullptr, 1), 1);
    ASSERT_GE(steps.size(), 3u);
    EXPECT_EQ(steps.front(), std::make_pair(int(kOldColour), int(kOldColour)));
    EXPECT_EQ(steps.back(), std::make_pair(int(kPanelColour), int(kPanelColour)));
    // On the way the new picture comes in from the right.
    bool halfway = false;
    for (const auto& step : steps)
        halfway |= step == std::make_pair(int(kOldColour), int(kPanelColour));
    EXPECT_TRUE(halfway);
    EXPECT_EQ(panel.IsTransitionPending(), 0);
    EXPECT_EQ(panel.IsInTransition(), 0);
    // The previous panel drew for this page's definition.
    EXPECT_EQ(previous.GetPage(), page().GetPageDef());

    // The transition runs once: the next draw is a plain one.
    steps.clear();
    panel.Draw(nullptr, nullptr, 1);
    EXPECT_LE(steps.size(), 1u);
    EXPECT_EQ(page().at(11, 45), kPanelColour);
}

TEST_F(PanelWipeTest, AWipeRightStartsFromThePreviousPanelToo)
{
    panel.SetTransitionType(kTransitionWipeRight);
    panel.SetPreviousPanel(&previous);
    panel.Draw(nullptr, nullptr, 1);
    ASSERT_GE(steps.size(), 3u);
    EXPECT_EQ(steps.front(), std::make_pair(int(kOldColour), int(kOldColour)));
    EXPECT_EQ(steps.back(), std::make_pair(int(kPanelColour), int(kPanelColour)));
}

TEST_F(PanelWipeTest, AWipeWithoutAPreviousPanelDrawsAtOnce)
{
    panel.SetTransitionType(kTransitionWipeLeft);
    panel.Draw(nullptr, nullptr, 1);
    ASSERT_FALSE(steps.empty());
    for (const auto& step : steps)
        EXPECT_EQ(step, std::make_pair(int(kPanelColour), int(kPanelColour)));
    EXPECT_EQ(panel.GetTransitionType(), kTransitionNone);
}

TEST_F(PanelWipeTest, ForceScreenPaintRunsNoTransition)
{
    iniFile("[Directory]\nForce Screen Paint=1\n");
    ResetStartupSettings();
    ReadSettings();
    ASSERT_TRUE(IsForceScreenPaint());
    panel.SetTransitionType(kTransitionWipeLeft);
    panel.SetPreviousPanel(&previous);
    panel.Draw(nullptr, nullptr, 1);
    EXPECT_TRUE(steps.empty());  // painted straight into the page

    EXPECT_EQ(page().at(11, 45), kPanelColour);
    EXPECT_EQ(page().at(108, 45), kPanelColour);
    EXPECT_EQ(page().at(9, 45), 0);
    EXPECT_EQ(panel.IsTransitionPending(), 1);
}

}  // namespace
