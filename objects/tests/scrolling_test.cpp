// Scrolling objects: the value and pixel conversions and the range rules,
// the scroll bitmap's record, picture and properties, and the scroll bar's
// layout, repeat with acceleration on the virtual clock, thumb dragging,
// listener and partner, drawn into a page.

#include <cstdlib>
#include <limits>

#include "objects/tests/scroll_fixture.h"
#include "platform/tests/golden.h"

namespace {

using namespace scroll_test;

// The spans and range words, reachable for the conversion checks.
class Thing : public JxCScrollingThing {
public:
    using JxCScrollingThing::SetSpans;
};

TEST(ScrollingThing, ConversionsRoundToTheNearestAndDoNotOverflow)
{
    Thing thing;
    thing.SetSpans(100, 300);
    EXPECT_EQ(thing.ValueToPixels(1), 3);
    EXPECT_EQ(thing.ValueToPixels(50), 150);
    EXPECT_EQ(thing.PixelsToValue(150), 50);
    EXPECT_EQ(thing.PixelsToValue(4), 1);  // 1.33
    EXPECT_EQ(thing.PixelsToValue(5), 2);  // 1.67
    // A range of two thousand million over 400 pixels.
    thing.SetSpans(2000000000, 400);
    EXPECT_EQ(thing.ValueToPixels(2000000000), 400);
    EXPECT_EQ(thing.ValueToPixels(1000000000), 200);
    EXPECT_EQ(thing.PixelsToValue(400), 2000000000);
    // A span of 0 or less is never divided by: both become 1.
    thing.SetSpans(0, 53);
    EXPECT_EQ(thing.GetValueSpan(), 1);
    EXPECT_EQ(thing.GetPixelSpan(), 1);
    thing.SetSpans(10, -20);
    EXPECT_EQ(thing.GetValueSpan(), 1);
    EXPECT_EQ(thing.GetPixelSpan(), 1);
    EXPECT_EQ(thing.ValueToPixels(7), 7);
}

TEST(ScrollingThing, ThePositionStaysInsideTheRangeAndTheSpanIsNeverZero)
{
    Thing thing;
    thing.SetRange(0, 0);
    EXPECT_EQ(thing.GetValueSpan(), 1);
    thing.SetPosition(7);
    EXPECT_EQ(thing.GetPosition(), 0);
    thing.SetRange(-5, 20);
    thing.SetPosition(25);
    EXPECT_EQ(thing.GetPosition(), 20);
    thing.SetPosition(-9);
    EXPECT_EQ(thing.GetPosition(), -5);
    // A maximum below the minimum is the minimum.
    thing.SetRange(30, 10);
    std::int32_t minimum = 0, maximum = 0;
    thing.GetRange(minimum, maximum);
    EXPECT_EQ(minimum, 30);
    EXPECT_EQ(maximum, 30);
    EXPECT_EQ(thing.GetValueSpan(), 1);
    thing.LineForward();
    EXPECT_EQ(thing.GetPosition(), 30);
}

// --- Scroll bitmap ------------------------------------------------------------------

// Horizontal bands 20 rows high, band k in colour 100 + k.
testkit::BmpPicture bandedPicture(int width, int height)
{
    testkit::BmpPicture p;
    p.width = width;
    p.height = height;
    p.colours = testkit::DistinctColours();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.pixels.push_back(std::uint8_t(100 + y / 20));
    return p;
}

class ScrollBitmapTest : public ScrollTest {
protected:
    void SetUp() override
    {
        ScrollTest::SetUp();
        writePicture("tall.dib", testkit::EncodeBmp(bandedPicture(100, 300)));
        writePicture("exact.dib", testkit::EncodeBmp(bandedPicture(100, 100)));
    }
};

TEST_F(ScrollBitmapTest, TheRecordIsReadWithTheStartClampedAndAFlippedRangeTakenAsTheMinimum)
{
    testkit::PanelRecord record(2);
    record.add(testkit::ScrollBitmapRecord("tall").id(1).rect(10, 0, 110, 100).range(0, 100).start(140).Bytes(file));
    record.add(testkit::ScrollBitmapRecord("tall").id(3).rect(0, 0, 10, 100).range(40, 5).start(2).Bytes(file));
    ASSERT_EQ(build(record), 1);
    auto* scrolled = object<JxCScrollBitmap>(1);
    ASSERT_NE(scrolled, nullptr);
    EXPECT_EQ(scrolled->GetPosition(), 100);
    EXPECT_EQ(scrolled->GetRect(), JxCRect(10, 0, 110, 100));
    EXPECT_EQ(scrolled->TestOptionFlags(JxCDisplayObject::kOptionResetResources), 1);
    EXPECT_EQ(scrolled->GetPixelSpan(), 200);
    EXPECT_EQ(scrolled->GetScrollPageSize(), 50);  // 100 rows of 200 over a span of 100
    auto* flipped = object<JxCScrollBitmap>(3);
    ASSERT_NE(flipped, nullptr);
    std::int32_t minimum = 0, maximum = 0;
    flipped->GetRange(minimum, maximum);
    EXPECT_EQ(maximum, 40);
    EXPECT_EQ(flipped->GetPosition(), 40);
}

TEST_F(ScrollBitmapTest, AShortenedRecordIsRefused)
{
    std::vector<std::uint8_t> bytes = testkit::ScrollBitmapRecord("tall").id(1).rect(0, 0, 10, 10).Bytes(file);
    // The panel's own closing words follow the object, so a cut must take
    // more than they can make up for.
    for (std::size_t cut : {std::size_t(3), std::size_t(14), std::size_t(25)}) {
        testkit::PanelRecord record(2);
        record.add(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + std::ptrdiff_t(cut)));
        std::int16_t read = 1;
        panel = readStored(record, &read);
        EXPECT_EQ(read, 0) << "cut at " << cut;
        EXPECT_EQ(panel->GetDisplayObjects().GetCount(), 0) << "cut at " << cut;
    }
}

TEST_F(ScrollBitmapTest, APictureAsHighAsTheWindowScrollsNowhereAndAMissingOneDrawsNothing)
{
    testkit::PanelRecord record(2);
    record.add(testkit::ScrollBitmapRecord("exact").id(1).rect(0, 0, 100, 100).range(0, 10).Bytes(file));
    ASSERT_EQ(build(record), 1);
    auto* exact = object<JxCScrollBitmap>(1);
    EXPECT_EQ(exact->GetValueSpan(), 1);
    EXPECT_EQ(exact->GetPixelSpan(), 1);
    EXPECT_EQ(exact->GetScrollPageSize(), 100);

    answers = {kAnswerOk, kAnswerOk, kAnswerOk};
    testkit::PanelRecord missing(2);
    missing.add(testkit::ScrollBitmapRecord("nothing").id(1).rect(0, 0, 100, 100).Bytes(file));
    panel = readStored(missing);
    auto* none = object<JxCScrollBitmap>(1);
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->CreateResources(), 0);
    EXPECT_EQ(none->Draw(nullptr, nullptr), 0);
    ASSERT_FALSE(boxes.empty());
    EXPECT_NE(boxes[0].text.find("nothing.dib"), std::string::npos) << boxes[0].text;
}

TEST_F(ScrollBitmapTest, ReloadingOrReleasingOneObjectLeavesTheSharedPictureToTheOther)
{
    testkit::PanelRecord record(2);
    record.add(testkit::ScrollBitmapRecord("tall").id(1).rect(10, 0, 110, 100).range(0, 100).Bytes(file));
    record.add(testkit::ScrollBitmapRecord("tall").id(2).rect(110, 0, 190, 100).range(0, 100).Bytes(file));
    ASSERT_EQ(build(record), 1);
    auto* first = object<JxCScrollBitmap>(1);
    auto* second = object<JxCScrollBitmap>(2);
    ASSERT_EQ(first->CreateResources(), 1);
    ASSERT_EQ(first->CreateResources(), 1);
    EXPECT_EQ(first->GetBitmapRefs().GetCount(), 1);
    EXPECT_EQ(first->ReleaseResources(), 1);
    EXPECT_FALSE(first->HasImage());
    EXPECT_EQ(first->GetBitmapRefs().GetCount(), 0);
    // The other still draws the picture: row 0 (band 0) at the top.
    panel->Draw(nullptr, nullptr, 0);
    EXPECT_EQ(page->at(130, 20), 100);
    EXPECT_EQ(page->at(130, 119), 104);
    EXPECT_TRUE(second->HasImage());
}

TEST_F(ScrollBitmapTest, PropertiesReadAndMoveThePositionAndTheRange)
{
    testkit::PanelRecord record(2);
    record.add(testkit::ScrollBitmapRecord("tall").id(1).rect(10, 0, 110, 100).range(0, 100).Bytes(file));
    ASSERT_EQ(build(record), 1);
    auto* scrolled = object<JxCScrollBitmap>(1);
    for (std::int16_t index : {kPropScrollPosition, kPropRangeMaximum, kPropRangeMinimum})
        EXPECT_EQ(scrolled->GetPropertyInfo(index, nullptr), JxPropertyKind::Number);
    EXPECT_EQ(scrolled->SetNumberProperty(kPropScrollPosition, 130), kPropertyOk);
    std::int32_t value = 0;
    EXPECT_EQ(scrolled->GetNumberProperty(kPropScrollPosition, &value), kPropertyOk);
    EXPECT_EQ(value, 100);
    EXPECT_EQ(scrolled->SetNumberProperty(kPropRangeMaximum, 60), kPropertyOk);
    EXPECT_EQ(scrolled->SetNumberProperty(kPropRangeMinimum, 20), kPropertyOk);
    EXPECT_EQ(scrolled->GetNumberProperty(kPropRangeMinimum, &value), kPropertyOk);
    EXPECT_EQ(value, 20);
    EXPECT_EQ(scrolled->GetNumberProperty(kPropRangeMaximum, &value), kPropertyOk);
    EXPECT_EQ(value, 60);
    EXPECT_EQ(scrolled->GetValueSpan(), 40);
    EXPECT_EQ(scrolled->GetNumberProperty(kPropScrollPosition, nullptr), kPropertyNoPlace);
}

// --- Scroll bar -------------------------------------------------------------------------

class ScrollBarTest : public ScrollBitmapTest {
protected:
    // A bar at x 180 of the whole panel height, over the range.
    JxCScrollBar* bar(testkit::ScrollingRecord record)
    {
        testkit::PanelRecord panelRecord(2);
        panelRecord.add(record.id(2).rect(180, 0, 199, 100).Bytes(file));
        EXPECT_EQ(build(panelRecord), 1);
        return object<JxCScrollBar>(2);
    }
    std::int16_t timerSlotsHeld(const JxCNotifyRoot* owner) const
    {
        std::int16_t held = 0;
        for (std::int16_t slot = 0; slot < JxCBaseProduct::kTimerCount; ++slot)
            if (GetProduct()->GetTimerInfo(slot).owner == owner)
                ++held;
        return held;
    }
};

TEST_F(ScrollBarTest, ThePartsAreLaidOutFromThePicturesAndTheBarTakesTheirWidth)
{
    JxCScrollBar* b = bar(testkit::ScrollBarRecord().range(0, 100).page(10));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->GetRect(), JxCRect(180, 0, 196, 100));
    EXPECT_EQ(b->GetPartRect(JxCScrollBar::kPartUp), JxCRect(180, 0, 196, 16));
    EXPECT_EQ(b->GetPartRect(JxCScrollBar::kPartDown), JxCRect(180, 84, 196, 100));
    EXPECT_EQ(b->GetPartRect(JxCScrollBar::kPartTrack), JxCRect(180, 16, 196, 84));
    EXPECT_EQ(b->GetPartRect(JxCScrollBar::kPartThumb), JxCRect(180, 16, 196, 32));
    EXPECT_EQ(b->GetPartRect(JxCScrollBar::kPartPageDown), JxCRect(180, 32, 196, 84));
    EXPECT_EQ(b->GetPixelSpan(), 53);
    EXPECT_EQ(b->TestOptionFlags(JxCDisplayObject::kOptionOwnCapture), 1);
    // The thumb stands where the position says, counted from the minimum.
    b->SetPosition(50);
    EXPECT_EQ(b->GetPartRect(JxCScrollBar::kPartThumb).top, 16 + 27);
    EXPECT_EQ(b->GetPartRect(JxCScrollBar::kPartPageUp).bottom, 43);
    b->SetRange(1000, 1100);
    b->SetPosition(1100);
    EXPECT_EQ(b->GetPartRect(JxCScrollBar::kPartThumb), JxCRect(180, 69, 196, 85));
}

TEST_F(ScrollBarTest, WithoutPicturesTheThumbIsSquareAndATooTallThumbHasASpanOfOne)
{
    testkit::ScrollingRecord record = testkit::ScrollBarRecord().range(0, 10);
    record.bar->images = {};
    JxCScrollBar* b = bar(record);
    EXPECT_EQ(b->GetPartRect(JxCScrollBar::kPartUp).Height(), 0);
    EXPECT_EQ(b->GetPartRect(JxCScrollBar::kPartThumb), JxCRect(180, 0, 199, 19));
    EXPECT_EQ(b->GetPixelSpan(), 82);
    b->SetRect(JxCRect(180, 0, 199, 10));
    EXPECT_EQ(b->GetPixelSpan(), 1);
    EXPECT_EQ(b->GetValueSpan(), 10);
    b->SetPosition(10);
    EXPECT_EQ(b->GetPartRect(JxCScrollBar::kPartThumb).top, 1);
}

TEST_F(ScrollBarTest, MetricsPageSizeAndConfigureKeepTheirRules)
{
    JxCScrollBar* b = bar(testkit::ScrollBarRecord().range(0, 100));
    EXPECT_EQ(b->SetThumbMetrics(1, 2, 1, 1), 0);
    EXPECT_EQ(b->SetThumbMetrics(2, 1, 3, 4681), 0);
    EXPECT_EQ(b->SetThumbMetrics(2, 1, 3, 2), 0);
    EXPECT_EQ(b->SetThumbMetrics(3, 1, 2, 4680), 1);
    EXPECT_EQ(b->SetPageSize(0), 0);
    EXPECT_EQ(b->GetPageSize(), 1);
    EXPECT_EQ(b->SetPageSize(1000), 1);
    EXPECT_EQ(b->GetPageSize(), 100);
    b->Configure(0, 0, 10);
    EXPECT_EQ(b->IsEnabled(), 0);
    // A disabled bar takes no press.
    EXPECT_EQ(b->MouseDown(JxCPoint(188, 90)), 1);
    EXPECT_EQ(b->IsPressed(), 0);
    EXPECT_EQ(b->GetPosition(), 0);

    // Metrics that break the rule stop the bar from being made.
    testkit::PanelRecord record(2);
    record.add(testkit::ScrollBarRecord().id(4).rect(0, 0, 16, 100).metrics(1, 2, 1, 1).Bytes(file));
    panel = readStored(record);
    EXPECT_EQ(object<JxCScrollBar>(4)->CreateResources(), 0);
}

// The change of position at each 100 ms tick while the down arrow is held.
std::vector<std::int32_t> heldArrowSteps(JxCScrollBar& b, plat::Harness& harness, int ticks)
{
    std::vector<std::int32_t> steps;
    for (int tick = 0; tick < ticks; ++tick) {
        const std::int32_t before = b.GetPosition();
        harness.runFor(100);
        steps.push_back(b.GetPosition() - before);
    }
    return steps;
}

TEST_F(ScrollBarTest, AHeldArrowRepeatsAfter300MsAndSpeedsUpEveryTenRepeats)
{
    JxCScrollBar* b = bar(testkit::ScrollBarRecord().range(0, 100000).metrics(1, 1, 1, 2));
    pointerAt(188, 90);
    ASSERT_EQ(panel->MouseDown(at(188, 90)), 1);
    EXPECT_EQ(b->GetPosition(), 1);
    EXPECT_EQ(b->IsPressed(), 1);
    EXPECT_EQ(panel->GetCaptureObject(), b);
    std::vector<std::int32_t> expected = {0, 0};
    for (auto [count, step] : {std::pair{9, 1}, {10, 2}, {10, 3}, {10, 5}, {10, 9}, {2, 16}})
        expected.insert(expected.end(), std::size_t(count), step);
    EXPECT_EQ(heldArrowSteps(*b, harness, int(expected.size())), expected);

    panel->MouseUp(at(188, 90));
    EXPECT_EQ(b->IsPressed(), 0);
    EXPECT_EQ(timerSlotsHeld(b), 0);
    EXPECT_EQ(panel->GetCaptureObject(), nullptr);
    const std::int32_t released = b->GetPosition();
    harness.runFor(500);
    EXPECT_EQ(b->GetPosition(), released);
}

TEST_F(ScrollBarTest, WithAccelerationOneTheStepNeverGrowsAndTheUpArrowGoesBack)
{
    JxCScrollBar* b = bar(testkit::ScrollBarRecord().range(0, 1000).start(500).metrics(1, 1, 1, 1));
    pointerAt(188, 5);
    panel->MouseDown(at(188, 5));
    EXPECT_EQ(b->GetPosition(), 499);
    const std::vector<std::int32_t> steps = heldArrowSteps(*b, harness, 30);
    EXPECT_EQ(steps.front(), 0);
    EXPECT_EQ(std::vector<std::int32_t>(steps.begin() + 2, steps.end()), std::vector<std::int32_t>(28, -1));
    panel->MouseUp(at(188, 5));
}

TEST_F(ScrollBarTest, AHeldTrackPagesUntilTheThumbPassesThePointerThenThePressEnds)
{
    JxCScrollBar* b = bar(testkit::ScrollBarRecord().range(0, 100).page(10));
    pointerAt(188, 60);
    panel->MouseDown(at(188, 60));
    EXPECT_EQ(b->GetPressedPart(), JxCScrollBar::kPartPageDown);
    EXPECT_EQ(b->GetPosition(), 10);
    harness.runFor(1500);
    EXPECT_EQ(b->GetPosition(), 60);
    EXPECT_EQ(b->IsPressed(), 0);
    EXPECT_EQ(timerSlotsHeld(b), 0);
    const JxCRect& thumb = b->GetPartRect(JxCScrollBar::kPartThumb);
    EXPECT_LE(thumb.top, 60);
    EXPECT_GT(thumb.bottom, 60);
}

TEST_F(ScrollBarTest, DraggingTheThumbTellsTheListenerOnlyAtTheReleaseWhenAsked)
{
    JxCScrollBar* b = bar(testkit::ScrollBarRecord().range(0, 100).notifyWhileDragging(0));
    Listener listener;
    EXPECT_EQ(b->SetListener(&listener), nullptr);
    panel->MouseDown(at(188, 20));
    EXPECT_EQ(b->IsDragging(), 1);
    EXPECT_EQ(b->IsPressed(), 0);
    panel->MouseMove(at(188, 50));
    EXPECT_EQ(b->GetPosition(), 49);  // 26 of 53 pixels
    panel->MouseMove(at(188, 200));
    EXPECT_EQ(b->GetPosition(), 100);
    EXPECT_TRUE(listener.codes.empty());
    panel->MouseUp(at(188, 200));
    EXPECT_EQ(b->IsDragging(), 0);
    EXPECT_EQ(listener.codes, (std::vector<std::int32_t>{7}));
    // Arrows tell at once.
    panel->MouseDown(at(188, 5));
    panel->MouseUp(at(188, 5));
    EXPECT_EQ(listener.codes, (std::vector<std::int32_t>{7, 7}));
    EXPECT_EQ(b->SetListener(nullptr), &listener);

    b->SetNotifyWhileDragging(1);
    b->SetListener(&listener);
    listener.codes.clear();
    panel->MouseDown(at(188, 80));
    panel->MouseMove(at(188, 40));
    EXPECT_EQ(listener.codes, (std::vector<std::int32_t>{7}));
    panel->MouseUp(at(188, 40));
    b->SetListener(nullptr);
}

TEST_F(ScrollBarTest, ABarDisabledWhileHeldStillLetsGoOfItsTimerAndCapture)
{
    JxCScrollBar* b = bar(testkit::ScrollBarRecord().range(0, 100));
    pointerAt(188, 90);
    panel->MouseDown(at(188, 90));
    ASSERT_EQ(b->IsPressed(), 1);
    b->Disable();
    harness.runFor(400);
    EXPECT_EQ(b->IsPressed(), 0);
    EXPECT_EQ(timerSlotsHeld(b), 0);
    EXPECT_EQ(panel->GetCaptureObject(), nullptr);
}

TEST_F(ScrollBarTest, TheWhole32BitRangeMovesPagesAndDragsToItsEnds)
{
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    JxCScrollBar* b = bar(testkit::ScrollBarRecord().range(kMin, kMax).start(1500000000).page(kMax));
    EXPECT_EQ(b->GetValueSpan(), 4294967295);
    EXPECT_EQ(b->GetPageSize(), kMax);
    // 3,647,483,648 of 4,294,967,295 over the 53 pixels of travel.
    EXPECT_EQ(b->GetPartRect(JxCScrollBar::kPartThumb).top, 16 + 45);
    panel->MouseDown(at(188, 90));  // a line down
    panel->MouseUp(at(188, 90));
    EXPECT_EQ(b->GetPosition(), 1500000001);
    panel->MouseDown(at(188, 80));  // a page down stops at the end
    panel->MouseUp(at(188, 80));
    EXPECT_EQ(b->GetPosition(), kMax);
    EXPECT_EQ(b->GetPartRect(JxCScrollBar::kPartThumb).top, 16 + 53);
    for (const std::int32_t expected : {0, -kMax}) {
        panel->MouseDown(at(188, 20));  // a page up
        panel->MouseUp(at(188, 20));
        EXPECT_EQ(b->GetPosition(), expected);
    }
    b->PageBack();  // the thumb now covers the pointer: the last page in code
    EXPECT_EQ(b->GetPosition(), kMin);
    panel->MouseDown(at(188, 20));  // the thumb, dragged past both ends
    panel->MouseMove(at(188, 300));
    EXPECT_EQ(b->GetPosition(), kMax);
    panel->MouseMove(at(188, -300));
    EXPECT_EQ(b->GetPosition(), kMin);
    panel->MouseMove(at(188, 16 + 8 + 26));  // the middle of the travel, to within a pixel's worth
    EXPECT_LT(std::abs(std::int64_t(b->GetPosition())), 4294967295 / 53);
    panel->MouseUp(at(188, 50));

    // A held page whose step grows: the growth stops at the largest step.
    b = bar(testkit::ScrollBarRecord().range(kMin, kMax).start(kMin).page(400000000).metrics(1, 1, 1, 2));
    pointerAt(188, 83);
    panel->MouseDown(at(188, 83));
    harness.runFor(1250);  // ten repeats after the first 300 ms
    EXPECT_EQ(b->GetStep(), JxCScrollBar::kMaxStep);
    panel->MouseUp(at(188, 83));
}

TEST_F(ScrollBarTest, TheStoredPageSizeKeepsThePageSizeRule)
{
    EXPECT_EQ(bar(testkit::ScrollBarRecord().range(0, 100).page(1000))->GetPageSize(), 100);
    EXPECT_EQ(bar(testkit::ScrollBarRecord().range(0, 100).page(0))->GetPageSize(), 1);
    EXPECT_EQ(bar(testkit::ScrollBarRecord().range(0, 100).page(-5))->GetPageSize(), 1);
}

class LinkedScrollTest : public ScrollBarTest {
protected:
    void build()
    {
        testkit::PanelRecord record(2);
        record.add(testkit::ScrollBitmapRecord("tall").id(1).rect(10, 0, 110, 100).range(0, 100).Bytes(file));
        record.add(testkit::ScrollBarRecord().id(2).rect(110, 0, 126, 100).linkTo(1).Bytes(file));
        ASSERT_EQ(ScrollTest::build(record), 1);
        picture = object<JxCScrollBitmap>(1);
        scrollBar = object<JxCScrollBar>(2);
        ASSERT_NE(picture, nullptr);
        ASSERT_NE(scrollBar, nullptr);
    }
    JxCScrollBitmap* picture = nullptr;
    JxCScrollBar* scrollBar = nullptr;
};

TEST_F(LinkedScrollTest, TheBarTakesThePictureRangeAndScrollsItWithArrowTrackAndThumb)
{
    build();
    EXPECT_EQ(scrollBar->GetPartner(), picture);
    std::int32_t minimum = -1, maximum = -1;
    scrollBar->GetRange(minimum, maximum);
    EXPECT_EQ(minimum, 0);
    EXPECT_EQ(maximum, 100);
    EXPECT_EQ(scrollBar->GetPageSize(), 50);
    EXPECT_EQ(scrollBar->GetPosition(), 0);

    panel->MouseDown(at(118, 95));  // down arrow
    panel->MouseUp(at(118, 95));
    EXPECT_EQ(picture->GetPosition(), 1);
    panel->MouseDown(at(118, 70));  // track below the thumb
    panel->MouseUp(at(118, 70));
    EXPECT_EQ(scrollBar->GetPosition(), 51);
    EXPECT_EQ(picture->GetPosition(), 51);
    panel->Draw(nullptr, nullptr, 0);
    // Row 102 of the picture (band 5) shows at the window's top, row 201
    // (band 10) at its bottom; the panel stands at (10, 20).
    EXPECT_EQ(page->at(20, 20), 105);
    EXPECT_EQ(page->at(20, 119), 110);
    EXPECT_EQ(plat::testing::CompareWithGolden(static_cast<plat::HBITMAP>(page->slate.GetBitmap().handle), "linked_scroll_bitmap",
                                               "objects/tests/golden"),
              "");

    panel->MouseDown(at(118, 50));  // the thumb, dragged to the top
    panel->MouseMove(at(118, 0));
    panel->MouseUp(at(118, 0));
    EXPECT_EQ(scrollBar->GetPosition(), 0);
    EXPECT_EQ(picture->GetPosition(), 0);
}

TEST_F(LinkedScrollTest, APageShownAgainKeepsItsPlace)
{
    build();
    scrollBar->SetPosition(30);
    picture->SetPosition(30);
    picture->Start();
    scrollBar->Start();
    EXPECT_EQ(picture->GetPosition(), 30);
    EXPECT_EQ(scrollBar->GetPosition(), 30);
}

TEST_F(LinkedScrollTest, APartnerOrListenerThatGoesFirstIsForgotten)
{
    build();
    auto listener = std::make_unique<Listener>();
    scrollBar->SetListener(listener.get());
    panel->GetDisplayObjects().Remove(picture);
    EXPECT_EQ(scrollBar->GetPartner(), nullptr);
    panel->MouseDown(at(118, 95));
    panel->MouseUp(at(118, 95));
    EXPECT_EQ(scrollBar->GetPosition(), 1);
    // The bar going tells its listener.
    listener->codes.clear();
    panel->GetDisplayObjects().Remove(scrollBar);
    EXPECT_EQ(listener->codes, (std::vector<std::int32_t>{8}));
}

}  // namespace
