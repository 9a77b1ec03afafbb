// Collages: fitting to whole items, selection with its follow-ups, the
// auto-scroll while dragging beyond the list, and a group collage with its
// list, edit box, scroll bar and button driven by the mouse and the keys as
// a user would; members and groups that go in either order.

#include <cstdio>

#include "objects/tests/scroll_fixture.h"
#include "objects/tests/style_source.h"
#include "objects/widgets/JxCCollage.h"
#include "objects/widgets/JxCEditBox.h"
#include "platform/window/messages.h"
#include "runtime/JxCCollArrangementManager.h"
#include "runtime/JxCKeyParams.h"
#include "runtime/JxCollManagerRegistry.h"
#include "testkit/big_endian.h"
#include "testkit/collage_records.h"
#include "testkit/list_data.h"

namespace {

using namespace scroll_test;

constexpr std::int16_t kStyle = 5;  // the built-in face: lines 13 high

// Fruit, then enough further names for a list of 200.
std::vector<std::string> longList()
{
    std::vector<std::string> texts = {
        "Apple", "Apricot", "Banana", "Blackberry", "Blueberry", "Cherry", "Coconut", "Cranberry",
        "Date", "Elderberry", "Fig", "Grape", "Grapefruit", "Guava", "Kiwi", "Lemon",
        "Lime", "Lychee", "Mango", "Melon", "Nectarine", "Olive", "Orange", "Papaya",
        "Peach", "Pear", "Pineapple", "Plum", "Quince", "Raspberry", "Strawberry", "Tangerine"};
    for (int i = 0; texts.size() < 200; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "Zest %03d", i);
        texts.emplace_back(name);
    }
    return texts;
}

// A list whose items are 16 pixels high.
class SixteenHigh : public JxCCollLinearDataManager {
public:
    std::int16_t SetUp(JxCCollageBase* collage) override
    {
        collage->GetArrangementManager()->SetLayoutValue(16);
        SetItemCount(20);
        return 1;
    }
};

class TestCollButton : public JxCCollButton {
public:
    explicit TestCollButton(std::int32_t activation) { SetActivationValue(activation); }
};

std::vector<std::uint8_t> styleIdBytes()
{
    std::vector<std::uint8_t> bytes;
    testkit::PutBigEndian16(bytes, kStyle);
    return bytes;
}

class CollageTest : public ScrollTest {
protected:
    CollageTest()
    {
        extraTypes = {
            {"Collage", [] { return static_cast<JxCDisplayObject*>(new JxCCollage); }},
            {"GroupColl", [] { return static_cast<JxCDisplayObject*>(new JxCGroupCollage); }},
            {"EditBox", [] { return static_cast<JxCDisplayObject*>(new JxCEditBox); }},
        };
    }
    void SetUp() override
    {
        ScrollTest::SetUp();
        testkit::StyleDefs defs;
        defs.characters = {BuiltinStyle(kStyle)};
        styles_ = std::make_unique<StyleSource>(defs);
        testkit::RegisterTextListData(longList());
        RegisterDataManagerType(JxCTableString("Sixteen"), []() -> JxCCollDataManager* { return new SixteenHigh; });
    }
    void TearDown() override
    {
        panel.reset();
        UnregisterDataManagerType(JxCTableString("Sixteen"));
        testkit::UnregisterTextListData();
        styles_.reset();
        ScrollTest::TearDown();
    }

    // The list at (10, 0) 100 by 100, its edit box, its bar, a button
    // (activation value 7) and the group over them all; with `secondGroup`
    // another group (id 10, in front) names the same members.
    void buildGroup(bool secondGroup = false)
    {
        testkit::PanelRecord record(2);
        record.add(testkit::CollageRecord(testkit::kTextListDataName, {255, 255, 255}, styleIdBytes())
                       .id(1).rect(10, 0, 110, 100), file);
        record.add(testkit::EditBoxRecord("", "", "", kStyle).id(2).rect(130, 0, 198, 16), file);
        record.add(testkit::ScrollBarRecord().id(3).rect(110, 0, 126, 100).metrics(1, 1, 1, 2).Bytes(file));
        record.add(testkit::GroupCollageRecord({.collage = 1, .editBox = 2, .scrollBar = 3, .buttons = {4}, .positionControl = {}})
                       .id(9).rect(0, 0, 200, 100).z(5), file);
        if (secondGroup)
            record.add(testkit::GroupCollageRecord({.collage = 1, .editBox = 2, .scrollBar = 3, .buttons = {4}, .positionControl = {}})
                           .id(10).rect(0, 0, 200, 100).z(6), file);
        std::int16_t read = 0;
        panel = readStored(record, &read);
        ASSERT_EQ(read, 1);
        auto* button = new TestCollButton(7);
        button->Attach(panel.get(), JxCTypeKey());
        button->SetId(4);
        button->SetRect(JxCRect(130, 40, 170, 56));
        panel->GetDisplayObjects().InsertByZOrder(button);
        ASSERT_EQ(panel->CreateResources(), 1);
        ASSERT_EQ(panel->Start(), 1);
        collage = object<JxCCollage>(1);
        editBox = object<JxCEditBox>(2);
        bar = object<JxCScrollBar>(3);
        group = object<JxCGroupCollage>(9);
        ASSERT_TRUE(collage && editBox && bar && group);
    }
    testkit::TextListData& list() { return static_cast<testkit::TextListData&>(*collage->GetDataManager()); }
    std::string text() const { return editBox->GetText().GetText() ? editBox->GetText().GetText() : ""; }
    void key(std::uint32_t message, std::uint16_t code)
    {
        JxCKeyParams params(message, code, 0);
        panel->HandleKey(params);
    }
    void type(const std::string& typed)
    {
        for (char c : typed)
            key(plat::WM_CHAR, std::uint16_t(static_cast<unsigned char>(c)));
    }
    // The content point of the middle of row r of the view.
    static JxCPoint row(int r) { return at(50, 4 + r * 13 + 6); }
    void click(const JxCPoint& point)
    {
        panel->MouseDown(point);
        panel->MouseUp(point);
    }

    std::unique_ptr<StyleSource> styles_;
    JxCCollage* collage = nullptr;
    JxCEditBox* editBox = nullptr;
    JxCScrollBar* bar = nullptr;
    JxCGroupCollage* group = nullptr;
};

TEST_F(CollageTest, ACollageShrinksToWholeItemsCentredOnItsAxis)
{
    testkit::PanelRecord record(2);
    record.add(testkit::CollageRecord("Sixteen").id(1).rect(10, 0, 110, 100), file);
    record.add(testkit::CollageRecord("sixteen", {1, 2, 3}, {}, "REGULAR").id(2).rect(120, 0, 130, 100), file);
    ASSERT_EQ(build(record), 1);
    auto* sixteen = object<JxCCollage>(1);
    ASSERT_NE(sixteen, nullptr);
    EXPECT_EQ(sixteen->GetVisibleCount(), 6);
    EXPECT_EQ(sixteen->GetRect(), JxCRect(10, 2, 110, 98));
    EXPECT_EQ(sixteen->TestOptionFlags(JxCDisplayObject::kOptionOwnCapture), 1);
    // Names are found without regard to case.
    EXPECT_NE(object<JxCCollage>(2), nullptr);

    // A name no registry holds, or a cut record, refuses the collage.
    for (const std::vector<std::uint8_t>& bad :
         {testkit::CollageRecord("Nobody").id(1).rect(0, 0, 9, 9).Bytes(file),
          testkit::CollageRecord("Sixteen", {}, {}, "Irregular").id(1).rect(0, 0, 9, 9).Bytes(file)}) {
        testkit::PanelRecord refused(2);
        refused.add(bad);
        std::int16_t read = 1;
        panel = readStored(refused, &read);
        EXPECT_EQ(read, 0);
        EXPECT_EQ(panel->GetDisplayObjects().GetCount(), 0);
    }
}

TEST_F(CollageTest, SelectingTheSelectedItemTellsNobodyAndRedrawsOnlyWhenItScrolls)
{
    buildGroup();
    collage->Select(3, kCausePress, JxCCollage::Scroll::IntoView, 1);
    ASSERT_EQ(collage->GetSelectedIndex(), 3);
    auto listener = std::make_unique<Listener>();
    collage->SetLinkedObject(listener.get());
    collage->Select(3, kCausePress, JxCCollage::Scroll::IntoView, 1);
    EXPECT_TRUE(listener->codes.empty());
    // Scrolled away, the same selection brings the view back: only command 4.
    collage->ScrollTo(20, 0);
    listener->codes.clear();
    collage->Select(3, kCauseArrow, JxCCollage::Scroll::IntoView, 1);
    EXPECT_EQ(collage->GetFirstVisible(), 3);
    EXPECT_EQ(listener->codes, (std::vector<std::int32_t>{kCollScrolled}));
    collage->SetLinkedObject(group);
}

TEST_F(CollageTest, TheGroupFollowsClicksTypingEnterAndItsButton)
{
    buildGroup();
    EXPECT_EQ(collage->GetVisibleCount(), 7);
    EXPECT_EQ(collage->GetRect(), JxCRect(10, 4, 110, 95));
    std::int32_t minimum = -1, maximum = -1;
    bar->GetRange(minimum, maximum);
    EXPECT_EQ(maximum, 193);
    EXPECT_EQ(bar->GetPageSize(), 6);
    EXPECT_EQ(bar->IsEnabled(), 1);

    // A click on the fourth row puts its text in the edit box, focused and
    // wholly selected.
    click(row(3));
    EXPECT_EQ(collage->GetSelectedIndex(), 3);
    EXPECT_EQ(text(), "Blackberry");
    EXPECT_EQ(page->GetFocusObject(), editBox);
    EXPECT_EQ(editBox->GetEditString().GetAnchor(), 0);
    EXPECT_EQ(editBox->GetEditString().GetCaret(), 10);
    EXPECT_EQ(collage->HasTimer(), 0);
    EXPECT_EQ(panel->Draw(nullptr, nullptr, 0), 1);

    // Typing replaces the selection and selects the first item that does
    // not sort before the text, which stays as typed.
    type("li");
    EXPECT_EQ(text(), "li");
    EXPECT_EQ(collage->GetSelectedIndex(), 16);  // Lime
    type("z");
    EXPECT_EQ(text(), "liz");
    EXPECT_EQ(collage->GetSelectedIndex(), 17);  // Lychee
    EXPECT_EQ(collage->GetFirstVisible(), 11);
    EXPECT_EQ(bar->GetPosition(), 11);

    // Enter chooses the selection with 0, the button with its own value.
    key(plat::WM_CHAR, 13);
    EXPECT_EQ(text(), "liz");
    click(at(150, 48));
    EXPECT_EQ(list().activations, (std::vector<std::pair<std::int32_t, std::int32_t>>{{17, 0}, {17, 7}}));
    EXPECT_EQ(dynamic_cast<JxCCollButton*>(panel->FindObjectById(4))->GetSelectionCopy(), 17);
}

TEST_F(CollageTest, TheGroupsKeysSelectByArrowsPagesHomeAndEnd)
{
    buildGroup();
    click(row(2));
    auto selectedAfter = [&](std::uint16_t vk) {
        key(plat::WM_KEYDOWN, vk);
        return collage->GetSelectedIndex();
    };
    EXPECT_EQ(selectedAfter(plat::VK_DOWN), 3);
    EXPECT_EQ(text(), "Blackberry");
    EXPECT_EQ(selectedAfter(plat::VK_UP), 2);
    EXPECT_EQ(selectedAfter(plat::VK_NEXT), 8);  // the last item that starts inside a view from 2
    EXPECT_EQ(selectedAfter(plat::VK_PRIOR), 2);
    EXPECT_EQ(selectedAfter(plat::VK_END), 199);
    EXPECT_EQ(collage->GetFirstVisible(), 193);
    EXPECT_EQ(bar->GetPosition(), 193);
    EXPECT_EQ(selectedAfter(plat::VK_NEXT), 199);  // nothing after the last
    EXPECT_EQ(selectedAfter(plat::VK_PRIOR), 193);
    EXPECT_EQ(selectedAfter(plat::VK_HOME), 0);
    EXPECT_EQ(collage->GetFirstVisible(), 0);
    EXPECT_EQ(selectedAfter(plat::VK_UP), 0);
    EXPECT_EQ(text(), "Apple");
    // Other keys go on to the edit box.
    JxCKeyParams left(plat::WM_KEYDOWN, plat::VK_LEFT, 0);
    EXPECT_EQ(group->HandleKey(left), 0);
}

TEST_F(CollageTest, DraggingBeyondTheListScrollsFasterAndCrossingTheMiddleRestarts)
{
    buildGroup();
    pointerAt(50, row(1).y - 20);
    panel->MouseDown(row(1));
    ASSERT_EQ(collage->HasTimer(), 1);
    pointerAt(50, 150);  // below the list
    std::vector<std::int32_t> deltas;
    for (int tick = 0; tick < 45; ++tick) {
        const std::int32_t before = collage->GetFirstVisible();
        harness.runFor(100);
        deltas.push_back(collage->GetFirstVisible() - before);
    }
    std::vector<std::int32_t> expected;
    for (auto [count, step] : {std::pair{9, 1}, {10, 2}, {10, 3}, {10, 5}, {6, 9}})
        expected.insert(expected.end(), std::size_t(count), step);
    EXPECT_EQ(deltas, expected);
    // The item under the clamped pointer is selected as the list moves.
    EXPECT_EQ(collage->GetSelectedIndex(), collage->GetFirstVisible() + 6);
    EXPECT_EQ(bar->GetPosition(), collage->GetFirstVisible());

    pointerAt(50, -30);  // above the middle: back up, slowly again
    const std::int32_t before = collage->GetFirstVisible();
    harness.runFor(300);
    EXPECT_EQ(collage->GetFirstVisible(), before - 3);
    panel->MouseUp(at(50, -30));
    EXPECT_EQ(collage->HasTimer(), 0);
    const std::int32_t released = collage->GetFirstVisible();
    harness.runFor(300);
    EXPECT_EQ(collage->GetFirstVisible(), released);
}

TEST_F(CollageTest, TheBarScrollsTheListAndAShortListLeavesItDisabled)
{
    buildGroup();
    panel->MouseDown(at(118, 95));  // the bar's down arrow
    panel->MouseUp(at(118, 95));
    EXPECT_EQ(collage->GetFirstVisible(), 1);
    EXPECT_EQ(page->GetFocusObject(), editBox);

    list().SetTexts({"One", "Two", "Three"});
    collage->Refresh(0);
    EXPECT_EQ(collage->GetFirstVisible(), 0);
    EXPECT_EQ(collage->GetSelectedIndex(), 0);
    std::int32_t minimum = -1, maximum = -1;
    bar->GetRange(minimum, maximum);
    EXPECT_EQ(maximum, 0);
    EXPECT_EQ(bar->IsEnabled(), 0);
}

TEST_F(CollageTest, AShortListGivesTheBarNoRangeFromTheStart)
{
    testkit::UnregisterTextListData();
    testkit::RegisterTextListData({"One", "Two"});
    buildGroup();
    std::int32_t minimum = -1, maximum = -1;
    bar->GetRange(minimum, maximum);
    EXPECT_EQ(maximum, 0);
    EXPECT_EQ(bar->IsEnabled(), 0);
    panel->MouseDown(at(118, 95));
    EXPECT_EQ(bar->IsPressed(), 0);
}

TEST_F(CollageTest, TheGroupGoingFirstLeavesItsMembersFree)
{
    buildGroup();
    panel->GetDisplayObjects().Remove(group);
    EXPECT_EQ(collage->GetLinkedObject(), nullptr);
    EXPECT_EQ(editBox->GetLinkedObject(), nullptr);
    EXPECT_EQ(bar->GetListener(), nullptr);
    EXPECT_EQ(dynamic_cast<JxCCollButton*>(panel->FindObjectById(4))->GetGroup(), nullptr);
    click(row(2));
    EXPECT_EQ(collage->GetSelectedIndex(), 2);
    panel->MouseDown(at(118, 95));
    panel->MouseUp(at(118, 95));
    click(at(150, 48));
    type("x");
}

TEST_F(CollageTest, TwoGroupsOverOnePointPassTheMouseOnlyToTheirMembers)
{
    buildGroup();
    auto* second = new JxCGroupCollage;
    second->Attach(panel.get(), JxCTypeKey());
    second->SetRect(JxCRect(0, 0, 200, 100));
    panel->GetDisplayObjects().InsertByZOrder(second);
    for (JxCGroupCollage* over : {group, second}) {
        EXPECT_EQ(over->MouseMove(row(1)), 1);
        EXPECT_EQ(over->MouseDown(row(1)), 1);
        EXPECT_EQ(over->MouseDoubleClick(row(1)), 1);
    }
    click(row(1));
    EXPECT_EQ(collage->GetSelectedIndex(), 1);
}

TEST_F(CollageTest, MembersGoingFirstAreForgottenByTheGroup)
{
    buildGroup();
    click(row(2));
    for (std::int32_t id : {4, 3, 1}) {
        panel->GetDisplayObjects().Remove(panel->FindObjectById(id));
        type("b");
    }
    EXPECT_EQ(group->GetCollage(), nullptr);
    EXPECT_EQ(group->GetScrollBar(), nullptr);
    EXPECT_TRUE(group->GetButtons().empty());
    key(plat::WM_KEYDOWN, plat::VK_DOWN);
    key(plat::WM_CHAR, 13);
    panel->GetDisplayObjects().Remove(editBox);
    EXPECT_EQ(group->GetEditBox(), nullptr);
    group->HandleCommand(kCollTextChanged, 0, 0, 0);
    group->HandleCommand(kCollRefreshed, 0, 0, 0);
    panel->MouseDown(at(50, 50));
    panel->MouseUp(at(50, 50));
}

// Members named by two groups belong to the one that took them last; the
// other forgets them, so neither reaches a member that has gone.
TEST_F(CollageTest, MembersTakenByASecondGroupAreForgottenByTheFirst)
{
    buildGroup(true);
    auto* second = object<JxCGroupCollage>(10);
    ASSERT_TRUE(second);
    EXPECT_EQ(collage->GetLinkedObject(), second);
    EXPECT_EQ(group->GetCollage(), nullptr);
    EXPECT_EQ(group->GetEditBox(), nullptr);
    EXPECT_EQ(group->GetScrollBar(), nullptr);
    EXPECT_TRUE(group->GetButtons().empty());
    EXPECT_EQ(second->GetCollage(), collage);
    // A member going first, then the first group: the group leaves the
    // gone member alone and the second's other members linked to it.
    panel->GetDisplayObjects().Remove(collage);
    EXPECT_EQ(second->GetCollage(), nullptr);
    panel->GetDisplayObjects().Remove(group);
    EXPECT_EQ(editBox->GetLinkedObject(), second);
    EXPECT_EQ(bar->GetListener(), second);
    EXPECT_EQ(dynamic_cast<JxCCollButton*>(panel->FindObjectById(4))->GetGroup(), second);
    panel.reset();
}

}  // namespace
