// A panel's routing of mouse and keys to its objects: Z order, the capture
// and "OwnCapture", hover, focus, the cursor while media plays, and objects
// that go while the panel still points at them.

#include "objects/tests/panel_fixture.h"
#include "runtime/JxCKeyParams.h"

namespace {

using namespace panel_test;
using Log = std::vector<std::string>;

class PanelInputTest : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        panelDef();
        readDefinitions();
        pagePtr = std::make_unique<SlatePage>(200, 100);
        ASSERT_EQ(panel.Init(2, page().GetPageDef()), 1);
        panel.SetOwnerPage(&page());
        // b goes in first but lies above a.
        b = add("b", JxCRect(20, 20, 60, 60), 5);
        a = add("a", JxCRect(0, 0, 40, 40), 1);
    }
    testkit::RecordingObject* add(const char* name, const JxCRect& rect, std::int32_t z)
    {
        auto* object = new testkit::RecordingObject(name, log, rect, z);
        object->Attach(&panel, JxCTypeKey());
        panel.GetDisplayObjects().InsertByZOrder(object);
        return object;
    }
    // A page point of a content point (the panel stands at 10, 20).
    static JxCPoint at(int x, int y) { return JxCPoint(std::int16_t(x + 10), std::int16_t(y + 20)); }

    SlatePage& page() { return *pagePtr; }

    Log log;
    // Made under the product palette; declared before the panel, which
    // points at it.
    std::unique_ptr<SlatePage> pagePtr;
    JxCPanelObject panel;
    testkit::RecordingObject* a = nullptr;
    testkit::RecordingObject* b = nullptr;
};

TEST_F(PanelInputTest, PressAndReleaseReachTheHigherObjectAndTheCaptureEnds)
{
    EXPECT_EQ(panel.GetDisplayObjects().GetFirst(), a);
    EXPECT_EQ(panel.MouseDown(at(30, 30)), 1);
    EXPECT_EQ(panel.GetCaptureObject(), b);
    EXPECT_EQ(GetProduct()->GetCapturePage(), &page());
    EXPECT_EQ(panel.MouseUp(at(30, 31)), 1);
    EXPECT_EQ(log, (Log{"b down 30,30", "b up 30,31"}));
    EXPECT_EQ(panel.GetCaptureObject(), nullptr);
    EXPECT_EQ(GetProduct()->GetCapturePage(), nullptr);
    // Nothing under the point: no object gets the press.
    EXPECT_EQ(panel.MouseDown(at(90, 45)), 0);
    EXPECT_EQ(panel.GetCaptureObject(), nullptr);
}

TEST_F(PanelInputTest, AReleaseAfterACapturedPressGoesToTheObjectUnderIt)
{
    panel.MouseDown(at(50, 50));
    panel.MouseUp(at(5, 5));
    EXPECT_EQ(log, (Log{"b down 50,50", "a up 5,5"}));
    EXPECT_EQ(panel.GetCaptureObject(), nullptr);
    // While captured, moves reach only the capturing object.
    log.clear();
    panel.MouseDown(at(50, 50));
    panel.MouseMove(at(5, 5));
    EXPECT_EQ(log, (Log{"b down 50,50", "b move 5,5"}));
}

TEST_F(PanelInputTest, AnOwnCaptureObjectIsNotCapturedByThePanel)
{
    b->SetOptionFlags(JxCDisplayObject::kOptionOwnCapture);
    panel.MouseDown(at(50, 50));
    EXPECT_EQ(panel.GetCaptureObject(), nullptr);
    EXPECT_EQ(GetProduct()->GetCapturePage(), nullptr);
    panel.MouseUp(at(5, 5));
    // Having not captured itself, b does not hear the release elsewhere.
    EXPECT_EQ(log, (Log{"b down 50,50", "a up 5,5"}));
    // Captured by its own doing, it hears the release wherever it is.
    log.clear();
    panel.CaptureMouse(b);
    panel.MouseUp(at(5, 5));
    EXPECT_EQ(log, (Log{"b up 5,5"}));
}

TEST_F(PanelInputTest, HoverFollowsTheMouseAndEmptyAreaSendsNoLeave)
{
    panel.MouseMove(at(5, 5));
    panel.MouseMove(at(6, 5));
    panel.MouseMove(at(50, 50));
    panel.MouseMove(at(90, 45));  // empty panel area
    EXPECT_EQ(log, (Log{"a enter", "a move 5,5", "a move 6,5", "a leave", "b enter", "b move 50,50"}));
    EXPECT_EQ(panel.GetHoverObject(), b);
    EXPECT_EQ(plat::GetCursor(), plat::LoadCursorA(nullptr, plat::IDC_ARROW));
    log.clear();
    panel.MouseLeave();
    EXPECT_EQ(log, (Log{"b leave"}));
    EXPECT_EQ(panel.GetHoverObject(), nullptr);
}

TEST_F(PanelInputTest, PlayingMediaShowsTheDefaultCursorAndAReleaseStopsIt)
{
    a->SetCursorName(JxCTableString("Cross"));
    EXPECT_EQ(ChooseCursor(*a).View(), "Cross");
    testkit::PlayingResource sound;
    sound.Play();
    EXPECT_EQ(ChooseCursor(*a).View(), "Arrow");
    panel.MouseMove(at(5, 5));
    EXPECT_EQ(plat::GetCursor(), plat::LoadCursorA(nullptr, plat::IDC_ARROW));
    a->SetOptionFlags(JxCDisplayObject::kOptionAlwaysActive);
    EXPECT_EQ(ChooseCursor(*a).View(), "Cross");
    a->ClearOptionFlags(JxCDisplayObject::kOptionAlwaysActive);

    panel.MouseDown(at(5, 5));
    panel.MouseUp(at(5, 5));
    EXPECT_FALSE(sound.IsPlaying());
    EXPECT_EQ(sound.GetStopCount(), 1);
    EXPECT_EQ(ChooseCursor(*a).View(), "Cross");
    panel.MouseMove(at(6, 5));
    EXPECT_EQ(plat::GetCursor(), plat::LoadCursorA(nullptr, plat::IDC_CROSS));
}

TEST_F(PanelInputTest, KeysGoToTheFocusThenTheCaptureThenEveryObject)
{
    class KeyObject : public JxCDisplayObject {
    public:
        KeyObject(Log& log, const char* name) : log_(log), name_(name) {}
        std::int16_t HandleKey(JxCKeyParams&) override
        {
            log_.push_back(name_);
            return 1;
        }
        Log& log_;
        const char* name_;
    };
    auto* k1 = new KeyObject(log, "k1");
    auto* k2 = new KeyObject(log, "k2");
    panel.GetDisplayObjects().RemoveAll();
    for (KeyObject* k : {k1, k2}) {
        k->Attach(&panel, JxCTypeKey());
        panel.GetDisplayObjects().InsertByZOrder(k);
    }
    JxCKeyParams key(plat::WM_CHAR, 'x', 0);
    panel.HandleKey(key);
    panel.CaptureMouse(k2);
    panel.HandleKey(key);
    panel.SetFocusObject(k1);
    panel.HandleKey(key);
    EXPECT_EQ(log, (Log{"k1", "k2", "k2", "k1"}));
}

TEST_F(PanelInputTest, AnObjectThatGoesIsForgottenByThePanel)
{
    panel.MouseMove(at(50, 50));
    panel.MouseDown(at(50, 50));
    panel.SetFocusObject(b);
    ASSERT_EQ(panel.GetCaptureObject(), b);
    ASSERT_EQ(panel.GetHoverObject(), b);
    panel.GetDisplayObjects().Remove(b);  // the list owns it: b is deleted
    EXPECT_EQ(panel.GetCaptureObject(), nullptr);
    EXPECT_EQ(panel.GetHoverObject(), nullptr);
    EXPECT_EQ(panel.GetFocusObject(), nullptr);
    // Input goes on to what is left.
    panel.MouseUp(at(30, 30));
    EXPECT_EQ(log.back(), "a up 30,30");
}

TEST_F(PanelInputTest, PointsTakeTheScrollOffset)
{
    EXPECT_EQ(panel.SetNumberProperty(kPropScrollWidth, 15), kPropertyOk);
    EXPECT_EQ(panel.SetNumberProperty(kPropScrollHeight, 10), kPropertyOk);
    panel.MouseDown(at(0, 0));
    EXPECT_EQ(log, (Log{"a down 15,10"}));
}

TEST_F(PanelInputTest, PanelPropertiesAreBoundedByThePage)
{
    std::int32_t value = 0;
    EXPECT_EQ(panel.GetNumberProperty(kPropWidth, &value), kPropertyOk);
    EXPECT_EQ(value, 100);
    EXPECT_EQ(panel.GetNumberProperty(kPropLeft, nullptr), kPropertyNoPlace);
    EXPECT_EQ(panel.SetNumberProperty(kPropLeft, 100), kPropertyOk);  // right edge at 200: the page's width
    EXPECT_EQ(panel.GetRect(), JxCRect(100, 20, 200, 70));
    EXPECT_EQ(panel.SetNumberProperty(kPropLeft, 101), kPropertyDoesNotFit);
    EXPECT_EQ(panel.SetNumberProperty(kPropHeight, 81), kPropertyDoesNotFit);
    EXPECT_EQ(panel.SetNumberProperty(kPropTop, -1), kPropertyDoesNotFit);
    EXPECT_EQ(panel.GetRect(), JxCRect(100, 20, 200, 70));
    EXPECT_EQ(panel.SetNumberProperty(kPropHeight, 80), kPropertyOk);
    EXPECT_EQ(panel.GetRect(), JxCRect(100, 20, 200, 100));

    EXPECT_EQ(panel.GetPropertyInfo(kPropPageCloseIfClicked, nullptr), JxPropertyKind::Flag);
    EXPECT_EQ(panel.SetFlagProperty(kPropPageCloseIfClicked, 2), kPropertyOk);
    std::int16_t flag = 1;
    EXPECT_EQ(panel.GetFlagProperty(kPropPageCloseIfClicked, &flag), kPropertyOk);
    EXPECT_EQ(flag, 0);
    JxCString name;
    EXPECT_EQ(panel.GetStringProperty(kPropName, &name), kPropertyOk);
    EXPECT_EQ(name.View(), "m_Name");
    EXPECT_EQ(panel.SetStringProperty(kPropName, name), kPropertyReadOnly);
    EXPECT_EQ(panel.GetStringProperty(kPropScrollWidth, &name), kPropertyOtherKind);
    EXPECT_EQ(panel.GetNumberProperty(kPropZOrder, &value), kPropertyMissing);
}

}  // namespace
