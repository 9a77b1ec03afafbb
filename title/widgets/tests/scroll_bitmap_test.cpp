// The title's scroll bitmap: its range comes from the picture, one step per
// 18 hidden rows, whatever its record says.

#include "objects/tests/scroll_fixture.h"
#include "title/widgets/JxTitleWidgets.h"

namespace {

using namespace scroll_test;

class TitleScrollBitmapTest : public ScrollTest {
protected:
    TitleScrollBitmapTest()
    {
        scrollBitmapFactory = [] { return static_cast<JxCDisplayObject*>(new JxCGavoScrollBitmap); };
    }
    JxCGavoScrollBitmap* read(int height, std::int16_t windowHeight)
    {
        testkit::BmpPicture p;
        p.width = 20;
        p.height = height;
        p.colours = testkit::DistinctColours();
        p.pixels.assign(std::size_t(20 * height), 7);
        writePicture("pic.dib", testkit::EncodeBmp(p));
        testkit::PanelRecord record(2);
        record.add(testkit::ScrollBitmapRecord("pic").id(1).rect(0, 0, 20, windowHeight).range(5, 500).start(3).Bytes(file));
        record.add(testkit::ScrollBarRecord().id(2).rect(20, 0, 36, windowHeight).linkTo(1).Bytes(file));
        EXPECT_EQ(build(record), 1);
        return object<JxCGavoScrollBitmap>(1);
    }
};

TEST_F(TitleScrollBitmapTest, OneStepMoves18RowsAndTheLinkedBarTakesThatRange)
{
    JxCGavoScrollBitmap* scrolled = read(400, 100);
    ASSERT_NE(scrolled, nullptr);
    std::int32_t minimum = -1, maximum = -1;
    scrolled->GetRange(minimum, maximum);
    EXPECT_EQ(minimum, 0);
    EXPECT_EQ(maximum, 16);  // 300 hidden rows
    // The record's start position is applied within the picture's range.
    EXPECT_EQ(scrolled->GetPosition(), 3);
    EXPECT_EQ(scrolled->GetValueSpan(), 16);
    EXPECT_EQ(scrolled->GetPixelSpan(), 300);
    EXPECT_EQ(scrolled->GetScrollPageSize(), 5);  // 100 rows are 5.3 steps
    EXPECT_EQ(scrolled->ValueToPixels(1), 19);   // 300 / 16, rounded
    auto* bar = object<JxCScrollBar>(2);
    bar->GetRange(minimum, maximum);
    EXPECT_EQ(maximum, 16);
    EXPECT_EQ(bar->GetPageSize(), 5);
    EXPECT_EQ(bar->GetPosition(), 3);
}

TEST_F(TitleScrollBitmapTest, APictureWithFewerThan18HiddenRowsDoesNotScroll)
{
    JxCGavoScrollBitmap* scrolled = read(110, 100);
    ASSERT_NE(scrolled, nullptr);
    std::int32_t minimum = -1, maximum = -1;
    scrolled->GetRange(minimum, maximum);
    EXPECT_EQ(maximum, 0);
    EXPECT_EQ(scrolled->GetValueSpan(), 1);
    EXPECT_EQ(scrolled->GetPixelSpan(), 1);
    scrolled->LineForward();
    EXPECT_EQ(scrolled->GetPosition(), 0);
}

}  // namespace
