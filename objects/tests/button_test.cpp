// The button: its pressed picture while held on it, the normal one while
// the held mouse is outside, "on_click" on a release inside (also when the
// normal picture cannot be drawn); disabled buttons, see-through pixels,
// "ResetResources", and the shared pictures it only lets go of.

#include "events/JxCBitmapRef.h"
#include "objects/tests/widget_fixture.h"
#include "platform/window/cursor.h"

namespace widget_test {
namespace {

constexpr std::uint8_t kUp = 150;
constexpr std::uint8_t kDown = 160;
constexpr std::uint8_t kOff = 170;

class ButtonTest : public WidgetTest {
protected:
    // A button at (30, 10), 20 by 10 once its pictures are loaded.
    JxCButton* openButton(testkit::ButtonPictures pictures = {"up", "down", ""}, std::uint16_t options = 0)
    {
        return open<JxCButton>(
            {testkit::ButtonRecord(pictures).rect(30, 10, 50, 20).options(options).cursor("Cross")});
    }
    std::uint8_t face() { return pixel(35, 15); }
    static bool showing(const char* cursor) { return plat::GetCursor() == plat::LoadCursorA(nullptr, cursor); }
};

TEST_F(ButtonTest, PressedThenNormalWhenDraggedOutPressedBackInAndOnClickOnRelease)
{
    JxCButton* button = openButton();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(face(), kUp);
    press(35, 15);
    EXPECT_EQ(face(), kDown);
    move(80, 40);
    EXPECT_EQ(face(), kUp);
    move(36, 16);
    EXPECT_EQ(face(), kDown);
    EXPECT_TRUE(clicks().empty());
    release(36, 16);
    EXPECT_EQ(face(), kUp);
    EXPECT_EQ(clicks(), Log{"click"});
}

TEST_F(ButtonTest, AReleaseOutsideDrawsTheNormalPictureAndDoesNotClick)
{
    JxCButton* button = openButton();
    press(35, 15);
    // The panel hands a captured release to the object only where it lies.
    button->MouseUp(JxCPoint(80, 40), 0);
    EXPECT_EQ(face(), kUp);
    EXPECT_TRUE(clicks().empty());
}

TEST_F(ButtonTest, ADisabledButtonShowsItsDisabledPictureOrTheNormalOneAndIgnoresTheMouse)
{
    JxCButton* button = openButton({"up", "down", "off"});
    button->Disable(1);
    EXPECT_EQ(face(), kOff);
    button->MouseDown(JxCPoint(35, 15));
    button->MouseUp(JxCPoint(35, 15), 0);
    EXPECT_EQ(face(), kOff);
    EXPECT_TRUE(clicks().empty());
    button->Enable(1);
    EXPECT_EQ(face(), kUp);

    JxCButton* plain = openButton();
    plain->Disable(1);
    EXPECT_EQ(face(), kUp);
    plain->MouseMove(JxCPoint(35, 15));
    EXPECT_TRUE(showing(plat::IDC_ARROW));
    plain->Enable(0);
    plain->MouseMove(JxCPoint(35, 15));
    EXPECT_TRUE(showing(plat::IDC_CROSS));
}

TEST_F(ButtonTest, StartsDisabledDisablesWithTheImagesWithoutARedraw)
{
    JxCButton* button = openButton({"up", "down", "off", 1});
    EXPECT_EQ(button->TestStateFlags(JxCDisplayObject::kStateDisabled), 1);
    EXPECT_EQ(face(), kOff) << "the panel's first draw shows it disabled";
}

TEST_F(ButtonTest, ResetResourcesStopsPlayingMediaOnThePressBeforeAnyClick)
{
    testkit::PlayingResource sound;
    openButton({"up", "down", ""}, JxCDisplayObject::kOptionResetResources);
    sound.Play();
    press(35, 15);
    EXPECT_FALSE(sound.IsPlaying());
    EXPECT_TRUE(clicks().empty());
    release(35, 15);
    EXPECT_EQ(clicks(), Log{"click"});
}

TEST_F(ButtonTest, TransparentPixelsOfTheNormalPictureAreNotTheButton)
{
    // The normal picture's top-left quarter is the transparent index 255.
    writePicture("holed.dib", testkit::EncodeBmp(twoColourPicture(20, 10, kUp, 255)));
    JxCButton* button = openButton({"holed", "down", "", 0, 1});
    EXPECT_EQ(pixel(31, 11), kCorner) << "see-through onto the background";
    EXPECT_EQ(face(), kUp);
    button->MouseDown(JxCPoint(31, 11));
    EXPECT_EQ(face(), kUp) << "a press on a hole does nothing";
    button->MouseMove(JxCPoint(45, 18));
    EXPECT_TRUE(showing(plat::IDC_CROSS));
    button->MouseMove(JxCPoint(31, 11));
    EXPECT_TRUE(showing(plat::IDC_ARROW));
    button->MouseUp(JxCPoint(31, 11), 0);
    EXPECT_TRUE(clicks().empty());
}

TEST_F(ButtonTest, AButtonWithoutPicturesStillClicks)
{
    JxCButton* button = openButton({"", "", ""});
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->HasImages());
    EXPECT_EQ(button->MouseUp(JxCPoint(35, 15), 0), 0) << "nothing could be drawn";
    EXPECT_EQ(clicks(), Log{"click"});
}

TEST_F(ButtonTest, AMissingPictureFailsTheResourcesAndThePicturesAreSharedNotDeleted)
{
    answers = {kAnswerOk, kAnswerOk};
    JxCButton* missing = openButton({"up", "nothing", ""});
    EXPECT_EQ(missing->CreateResources(), 0);
    // The mouse does not try the load (and report it) again.
    ASSERT_FALSE(boxes.empty());
    EXPECT_NE(boxes[0].text.find("nothing.dib"), std::string::npos) << boxes[0].text;
    const std::size_t reported = boxes.size();
    missing->MouseMove(JxCPoint(35, 15));
    missing->MouseDown(JxCPoint(35, 15));
    missing->MouseUp(JxCPoint(35, 15), 0);
    EXPECT_EQ(boxes.size(), reported);
    EXPECT_EQ(clicks(), Log{"click"});

    // Without its normal picture the button is not loaded again by every
    // draw and mouse move, until its resources are released.
    answers = {kAnswerOk, kAnswerOk};
    JxCButton* blank = openButton({"nothing", "down", ""});
    const std::size_t once = boxes.size();
    EXPECT_GT(once, reported);
    blank->Draw(nullptr, nullptr);
    blank->MouseMove(JxCPoint(35, 15));
    blank->MouseDown(JxCPoint(35, 15));
    EXPECT_EQ(boxes.size(), once);
    blank->ReleaseResources();
    blank->Draw(nullptr, nullptr);
    EXPECT_GT(boxes.size(), once);

    JxCButton* button = openButton();
    ASSERT_TRUE(button->HasImages());
    // A second button of the same pictures shares them.
    Noted<JxCButton> twin;
    twin.Attach(panel.get(), JxCTypeKey());
    JxCBitmapRef* up = FindBitmapRef(JxCTableString("up"));
    ASSERT_NE(up, nullptr);
    const int uses = up->GetUseCount();
    std::vector<std::uint8_t> record = testkit::ButtonRecord({"up", "down", ""}).rect(0, 0, 1, 1).Bytes(file);
    JxCInStrStream in(JxMemoryBlock{record.data() + 2, std::uint32_t(record.size() - 2)});
    ASSERT_EQ(twin.Read(in, panel.get(), JxCTypeKey()), 1);
    ASSERT_EQ(twin.CreateResources(), 1);
    EXPECT_EQ(up->GetUseCount(), uses + 1);
    twin.ReleaseResources();
    EXPECT_EQ(up->GetUseCount(), uses);
    // The first button still draws its picture.
    panel->Draw(nullptr, nullptr, 0);
    EXPECT_EQ(face(), kUp);
    press(35, 15);
    EXPECT_EQ(face(), kDown);
}

}  // namespace
}  // namespace widget_test
