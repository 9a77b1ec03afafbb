// The edit box on a base page in the main window, driven through the
// window's mouse and keys, read back through property 31 and its caret
// positions; double-byte text typed on two code pages; its pictures and
// their fallbacks; and the edit string's commands and limit on their own.

#include <memory>

#include "events/JxCBitmapRef.h"
#include "foundation/JxCInStrStream.h"
#include "graphics/JxCStyleDef.h"
#include "objects/pages/JxCBasePage.h"
#include "objects/tests/panel_fixture.h"
#include "objects/tests/style_source.h"
#include "objects/widgets/JxCEditBox.h"
#include "objects/widgets/JxCEditString.h"
#include "platform/backend/harness.h"
#include "platform/window/caret.h"
#include "platform/window/messages.h"
#include "platform/window/window.h"
#include "platform/core/codepage.h"
#include "platform/fs/paths.h"
#include "platform/screen/screen.h"
#include "runtime/JxCCaret.h"
#include "runtime/JxCKeyParams.h"
#include "runtime/JxCWindowClass.h"
#include "runtime/JxKeywordTables.h"

namespace {

using namespace panel_test;

// --- The edit string ---------------------------------------------------------

TEST(EditString, CursorCommandsMoveFromTheCaretAndCollapseSelections)
{
    JxCEditString s("abcdef");
    EXPECT_EQ(s.GetCaret(), 6);
    EXPECT_EQ(s.GetAnchor(), 0);
    s.SetAnchor(4);
    s.SetCaret(2);
    // Left collapses to caret - 1, not to the selection's left edge.
    EXPECT_EQ(s.MoveCursor(JxCEditString::kLeft), 1);
    EXPECT_EQ(s.GetCaret(), 1);
    EXPECT_EQ(s.GetAnchor(), 1);
    s.MoveCursor(JxCEditString::kExtendToEnd);
    EXPECT_EQ(s.GetCaret(), 6);
    EXPECT_EQ(s.GetAnchor(), 1);
    EXPECT_EQ(s.MoveCursor(JxCEditString::kExtendRight), 1);  // nowhere to go, still 1
    EXPECT_EQ(s.GetCaret(), 6);
    s.MoveCursor(JxCEditString::kCollapse);
    EXPECT_EQ(s.GetCaret(), 1);
    s.SetAnchor(3);
    s.MoveCursor(JxCEditString::kCollapseAfter);
    EXPECT_EQ(s.GetCaret(), 2);
    EXPECT_EQ(s.MoveCursor(0), 0);
    EXPECT_EQ(s.MoveCursor(11), 1);  // unknown: 1, nothing moves
    EXPECT_EQ(s.GetCaret(), 2);
    EXPECT_EQ(s.SetCaret(-4), 0);
    EXPECT_EQ(s.SetAnchor(99), 6);
}

TEST(EditString, ReplacingTheSelectionAndTheLimit)
{
    JxCEditString s("hello");
    s.SetAnchor(1);
    s.SetCaret(3);
    EXPECT_EQ(s.ReplaceSelection("EE", 0), 1);
    EXPECT_STREQ(s.GetBuffer(), "hEElo");
    EXPECT_EQ(s.GetCaret(), 3);
    EXPECT_EQ(s.GetAnchor(), 3);
    EXPECT_EQ(s.ReplaceSelection("", 0), 0);  // nothing removed or added
    s.SetLimit(1);
    EXPECT_EQ(s.ReplaceSelection("x", 0), 0);  // longer: refused
    EXPECT_STREQ(s.GetBuffer(), "hEElo");
    s.SetAnchor(0);
    s.SetCaret(2);
    EXPECT_EQ(s.ReplaceSelection("ab", 1), 1);  // same length: taken, kept
    EXPECT_STREQ(s.GetBuffer(), "abElo");
    EXPECT_EQ(s.GetCaret(), 2);
    EXPECT_EQ(s.GetAnchor(), 0);
    EXPECT_EQ(s.ReplaceSelection("", 0), 1);  // shorter: taken
    EXPECT_STREQ(s.GetBuffer(), "Elo");
    EXPECT_EQ(s.GetSize(), 3);
    // A shorter text pulls positions back inside it.
    s.SetCaret(3);
    EXPECT_EQ(s.SetText(nullptr), 0);
    EXPECT_EQ(s.SetText("a"), 1);
    EXPECT_EQ(s.GetCaret(), 1);
    s.SetAnchor(1);
    s.SetLimit(0);
    EXPECT_EQ(s.ReplaceSelection("bc", 0), 1);
    EXPECT_STREQ(s.GetBuffer(), "abc");
}

// --- Boxes on a page ----------------------------------------------------------

// Gets keys first when it wants them, and notes the commands it is sent.
class Linked : public JxCDisplayObject {
public:
    std::int16_t HandleKey(JxCKeyParams&) override { return 0; }
    std::int32_t HandleCommand(std::int32_t code, std::int32_t, std::int32_t, std::int32_t) override
    {
        commands.push_back(code);
        return 1;
    }
    std::vector<std::int32_t> commands;
};

// The built-in face: every character 7 pixels wide, lines 13 high.
constexpr int kCell = 7;
constexpr std::int16_t kStyle = 4;

class EditBoxTest : public PanelTest {
protected:
    void SetUp() override
    {
        RegisterDisplayObjectType(JxCTableString("EditBox"),
                                  [] { return static_cast<JxCDisplayObject*>(new JxCEditBox); }, editKey_);
        PanelTest::SetUp();
        testkit::StyleDefs defs;
        testkit::CharStyleRecord c = BuiltinStyle(kStyle);
        c.highlightBackground = {colours[9][0], colours[9][1], colours[9][2]};
        c.highlightText = {255, 255, 255};
        defs.characters = {c};
        styles_ = std::make_unique<StyleSource>(defs);
    }
    void TearDown() override
    {
        styles_.reset();
        PanelTest::TearDown();
        UnregisterDisplayObjectType(JxCTableString("editbox"));
    }

    JxCEditBox* box(JxCPanelObject& panel, std::int32_t id)
    {
        return dynamic_cast<JxCEditBox*>(panel.FindObjectById(id));
    }

    std::unique_ptr<StyleSource> styles_;

private:
    JxCTypeKey editKey_;
};

// Two boxes in panel 2 of a base page in the main window: box 1 at (10,
// 10) and 70 wide (ten characters), box 2 below it.
class EditBoxPageTest : public EditBoxTest {
protected:
    void SetUp() override
    {
        EditBoxTest::SetUp();
        panelDef();
        readDefinitions();
        testkit::PanelRecord record(2);
        record.add(testkit::EditBoxRecord("", "", "", kStyle).id(1).rect(10, 10, 80, 26), file);
        record.add(testkit::EditBoxRecord("", "", "", kStyle).id(2).rect(10, 30, 80, 46), file);
        panel = openWindowPage(record);
        ASSERT_NE(panel, nullptr);
        main = window;
        first = box(*panel, 1);
        second = box(*panel, 2);
        ASSERT_TRUE(first && second);
    }
    void TearDown() override
    {
        closeWindowPage();
        EditBoxTest::TearDown();
    }

    // A point of the panel's content on the screen.
    plat::POINT screen(int x, int y) const
    {
        plat::POINT p{x + 10, y + 20};
        plat::ClientToScreen(main, &p);
        return p;
    }
    void click(int x, int y)
    {
        harness.click(screen(x, y));
        harness.runUntilIdle();
        // The next press is no double click.
        harness.runFor(1000);
    }
    void tap(int vk)
    {
        harness.tap(vk);
        harness.runUntilIdle();
    }
    void chord(std::initializer_list<int> held, int vk)
    {
        // The keys held are read as the key is handled.
        for (int k : held)
            harness.keyDown(k);
        harness.tap(vk);
        harness.runUntilIdle();
        for (int k : held)
            harness.keyUp(k);
        harness.runUntilIdle();
    }
    void type(const std::string& text)
    {
        harness.typeText(text);
        harness.runUntilIdle();
    }
    static std::string text(JxCEditBox* b)
    {
        JxCString t;
        EXPECT_EQ(b->GetStringProperty(kPropText, &t), kPropertyOk);
        return std::string(t.View());
    }
    static std::pair<int, int> selection(JxCEditBox* b)
    {
        return {b->GetEditString().GetAnchor(), b->GetEditString().GetCaret()};
    }
    static JxCPoint caretPos()
    {
        plat::POINT p{};
        plat::GetCaretPos(&p);
        return JxCPoint(std::int16_t(p.x), std::int16_t(p.y));
    }

    plat::HWND main = nullptr;
    JxCPanelObject* panel = nullptr;
    JxCEditBox* first = nullptr;
    JxCEditBox* second = nullptr;
};

TEST_F(EditBoxPageTest, TypingEditingAndSelectingWithTheKeys)
{
    EXPECT_EQ(first->GetLineHeight(), 13);
    // Centred: top = (16 - 13 + 1) / 2 - 1.
    EXPECT_EQ(first->GetTextRect(), JxCRect(0, 1, 70, 15));
    click(20, 15);
    ASSERT_TRUE(first->HasFocus());
    EXPECT_EQ(GetProduct()->GetCaret()->GetOwner(), first);
    type("Alice");
    EXPECT_EQ(text(first), "Alice");
    EXPECT_EQ(selection(first), std::make_pair(5, 5));
    // The caret stands after the text: panel (10, 20) + box (10, 10) + 5 cells.
    EXPECT_EQ(caretPos(), JxCPoint(20 + 5 * kCell, 31));

    tap(plat::VK_LEFT);
    tap(plat::VK_LEFT);
    EXPECT_EQ(selection(first), std::make_pair(3, 3));
    chord({plat::VK_SHIFT, plat::VK_CONTROL}, plat::VK_LEFT);
    EXPECT_EQ(selection(first), std::make_pair(3, 0));  // selected to the start
    tap(plat::VK_RIGHT);  // collapses from the caret
    EXPECT_EQ(selection(first), std::make_pair(1, 1));
    chord({plat::VK_CONTROL}, plat::VK_RIGHT);
    EXPECT_EQ(selection(first), std::make_pair(5, 5));
    chord({plat::VK_SHIFT}, plat::VK_HOME);
    EXPECT_EQ(selection(first), std::make_pair(5, 0));
    type("Bo");  // replaces the selection
    EXPECT_EQ(text(first), "Bo");
    tap(plat::VK_BACK);
    EXPECT_EQ(text(first), "B");
    tap(plat::VK_HOME);
    tap(plat::VK_DELETE);
    EXPECT_EQ(text(first), "");

    // Tab, Enter, Escape and the control characters typed with Ctrl are
    // taken and change nothing.
    type("ab");
    for (int vk : {plat::VK_TAB, plat::VK_RETURN, plat::VK_ESCAPE})
        tap(vk);
    for (int vk : {int('A'), int('Z'), plat::VK_BACK, plat::VK_RETURN})
        chord({plat::VK_CONTROL}, vk);
    EXPECT_EQ(text(first), "ab");
    JxCKeyParams enter(plat::WM_CHAR, 13, 0);
    EXPECT_EQ(first->HandleKey(enter), 1);
    EXPECT_EQ(text(first), "ab");
}

TEST_F(EditBoxPageTest, EndsOfTheTextChangeNothingAndSendNoCommand)
{
    Linked linked;
    first->SetLinkedObject(&linked);
    click(20, 15);
    type("xy");
    EXPECT_EQ(linked.commands, (std::vector<std::int32_t>{1, 1}));
    tap(plat::VK_DELETE);  // at the end
    tap(plat::VK_HOME);
    tap(plat::VK_BACK);    // at 0
    EXPECT_EQ(text(first), "xy");
    EXPECT_EQ(linked.commands, (std::vector<std::int32_t>{1, 1, 1}));  // Home moved the caret
    first->SetLinkedObject(nullptr);
}

TEST_F(EditBoxPageTest, AFullBoxRefusesTypingButTakesASameLengthReplace)
{
    click(20, 15);
    type("abcdefghijk");  // the eleventh makes it wider than the box
    EXPECT_EQ(text(first), "abcdefghijk");
    EXPECT_EQ(first->GetEditString().GetLimit(), 1);
    type("l");
    EXPECT_EQ(text(first), "abcdefghijk");
    // Past the right edge the caret waits at the left edge.
    EXPECT_EQ(caretPos(), JxCPoint(20, 31));
    chord({plat::VK_SHIFT}, plat::VK_LEFT);
    type("Z");
    EXPECT_EQ(text(first), "abcdefghijZ");
    tap(plat::VK_BACK);
    EXPECT_EQ(first->GetEditString().GetLimit(), 0);  // it fits again
    type("q");
    EXPECT_EQ(text(first), "abcdefghijq");
}

TEST_F(EditBoxPageTest, ADragSelectsAndASecondBoxTakingTheCaretMakesTheFirstMeasureAgain)
{
    first->SetStringProperty(kPropText, JxCString("abcdefgh"));
    click(20, 15);  // takes the focus: the caret goes to the end
    EXPECT_EQ(selection(first), std::make_pair(8, 8));
    harness.press(screen(10 + 2 * kCell - 2, 15));
    harness.runUntilIdle();
    harness.moveMouse(screen(10 + 4 * kCell + 3, 15));
    harness.runUntilIdle();
    EXPECT_EQ(selection(first).first, 2);
    EXPECT_EQ(selection(first).second, 5);
    harness.release(screen(10 + 6 * kCell - 1, 15));
    harness.runUntilIdle();
    EXPECT_EQ(selection(first), std::make_pair(2, 6));
    type("X");
    EXPECT_EQ(text(first), "abXgh");

    click(20, 35);
    EXPECT_TRUE(second->HasFocus());
    EXPECT_FALSE(first->HasFocus());
    EXPECT_EQ(GetProduct()->GetCaret()->GetOwner(), second);
    EXPECT_EQ(first->GetLineHeight(), -1);  // measures again when drawn
    type("z");
    EXPECT_EQ(text(second), "z");
    EXPECT_EQ(text(first), "abXgh");
}

TEST_F(EditBoxPageTest, AClickOnTheFocusedBoxTakesBackTheKeyboardThatWentElsewhere)
{
    click(20, 15);
    type("ab");
    // Moved while another page had the focus, the caret hid; then the
    // keyboard went with a window that closed.
    GetProduct()->SetFocusPage(nullptr);
    tap(plat::VK_LEFT);
    ASSERT_EQ(GetProduct()->GetCaret()->IsVisible(), 0);
    plat::SetFocus(nullptr);
    type("x");
    EXPECT_EQ(text(first), "ab");
    click(60, 15);
    EXPECT_EQ(plat::GetFocus(), main);
    EXPECT_EQ(GetProduct()->GetCaret()->IsVisible(), 1);
    type("c");
    EXPECT_EQ(text(first), "abc");
}

// --- Double-byte text ----------------------------------------------------------

// Three double-byte characters of a code page, as the user types them; the
// first one's trail byte is one that could also lead a character.
struct DoubleBytePage {
    int codePage;
    const char* chars[3];
};

void PrintTo(const DoubleBytePage& page, std::ostream* out)
{
    *out << "code page " << page.codePage;
}

class DoubleByteEditBoxTest : public EditBoxPageTest, public ::testing::WithParamInterface<DoubleBytePage> {
protected:
    void SetUp() override
    {
        plat::SetACP(GetParam().codePage);
        EditBoxPageTest::SetUp();
        for (int i = 0; i < 3; ++i) {
            bytes[i] = plat::EncodeChar(plat::DecodeUtf8(GetParam().chars[i]).front(), GetParam().codePage);
            ASSERT_EQ(bytes[i].size(), 2u) << GetParam().chars[i];
        }
        click(20, 15);
        ASSERT_TRUE(first->HasFocus());
    }
    void TearDown() override
    {
        EditBoxPageTest::TearDown();
        plat::SetACP(1252);
    }
    // The characters typed, by number (0 to 2) or as themselves.
    std::string utf8(std::initializer_list<int> which) const
    {
        std::string out;
        for (int i : which)
            out += GetParam().chars[i];
        return out;
    }
    // What box 1 shows, a mark per character cell of its ten: '#' for a
    // cell with ink, '.' for an empty one (the caret hidden meanwhile).
    std::string cellsShown()
    {
        harness.runUntilIdle();
        plat::HideCaret(nullptr);
        const plat::POINT corner = screen(10, 10);  // above the text: the box's background
        const std::uint32_t background = pixel(corner.x, corner.y);
        std::string cells;
        for (int cell = 0; cell < 10; ++cell) {
            bool ink = false;
            for (int y = corner.y + 1; y < corner.y + 15; ++y)
                for (int x = corner.x + cell * kCell; x < corner.x + (cell + 1) * kCell; ++x)
                    ink = ink || pixel(x, y) != background;
            cells += ink ? '#' : '.';
        }
        plat::ShowCaret(nullptr);
        return cells;
    }
    static std::uint32_t pixel(int x, int y)
    {
        return plat::TheScreen().pixels()[y * plat::TheScreen().stride() + x] & 0xFFFFFFu;
    }
    // The caret's x in cells from the box's text.
    static int caretCell() { return (caretPos().x - 20) / kCell; }

    std::string bytes[3];
};

TEST_P(DoubleByteEditBoxTest, TheCaretAndASelectionStandBetweenWholeCharacters)
{
    type(utf8({0, 1}) + "ab");
    EXPECT_EQ(text(first), bytes[0] + bytes[1] + "ab");
    EXPECT_EQ(cellsShown(), "####......");
    EXPECT_EQ(caretCell(), 4);
    tap(plat::VK_LEFT);
    tap(plat::VK_LEFT);
    EXPECT_EQ(selection(first), std::make_pair(4, 4));
    EXPECT_EQ(caretCell(), 2);  // after the two double-byte characters, not after "ab"
    tap(plat::VK_LEFT);
    EXPECT_EQ(selection(first), std::make_pair(2, 2));
    EXPECT_EQ(caretCell(), 1);
    tap(plat::VK_RIGHT);
    chord({plat::VK_SHIFT}, plat::VK_HOME);
    EXPECT_EQ(selection(first), std::make_pair(4, 0));
    type("x");  // replaces both characters, and only them
    EXPECT_EQ(text(first), "xab");
    EXPECT_EQ(selection(first), std::make_pair(1, 1));
    EXPECT_EQ(cellsShown(), "###.......");
    EXPECT_EQ(caretCell(), 1);
}

TEST_P(DoubleByteEditBoxTest, BackspaceDeleteAndLeftTakeWholeCharacters)
{
    type("a" + utf8({0}));
    tap(plat::VK_BACK);
    EXPECT_EQ(text(first), "a");
    type(utf8({1}) + "b");
    tap(plat::VK_HOME);
    tap(plat::VK_RIGHT);
    tap(plat::VK_DELETE);
    EXPECT_EQ(text(first), "ab");
    EXPECT_EQ(cellsShown(), "##........");

    chord({plat::VK_SHIFT}, plat::VK_HOME);
    type(utf8({2}));
    tap(plat::VK_LEFT);  // from the end of the character lands before it
    EXPECT_EQ(selection(first), std::make_pair(0, 0));
    type("x");
    EXPECT_EQ(text(first), "x" + bytes[2] + "b");
    EXPECT_EQ(cellsShown(), "###.......");
    chord({plat::VK_SHIFT}, plat::VK_RIGHT);
    EXPECT_EQ(selection(first), std::make_pair(1, 3));
    tap(plat::VK_DELETE);
    EXPECT_EQ(text(first), "xb");
}

TEST_P(DoubleByteEditBoxTest, AClickInsideACharacterPutsTheCaretAfterIt)
{
    first->SetStringProperty(kPropText, JxCString((bytes[0] + bytes[1] + bytes[2]).c_str()));
    click(10 + kCell + 3, 15);  // in the second character's left half
    EXPECT_EQ(selection(first), std::make_pair(4, 4));
    EXPECT_EQ(caretCell(), 2);
    type("x");
    EXPECT_EQ(text(first), bytes[0] + bytes[1] + "x" + bytes[2]);
    EXPECT_EQ(cellsShown(), "####......");
}

TEST_P(DoubleByteEditBoxTest, AFullBoxTakesACharacterWholeOrNotAtAll)
{
    type("abcdefghij");  // as wide as the box: still room
    type(utf8({0}));
    EXPECT_EQ(text(first), "abcdefghij" + bytes[0]);
    EXPECT_EQ(first->GetEditString().GetLimit(), 1);
    type(utf8({1}));  // refused, both bytes
    EXPECT_EQ(text(first), "abcdefghij" + bytes[0]);
    // A lead byte whose trail byte never comes goes nowhere.
    tap(plat::VK_BACK);
    JxCKeyParams lead(plat::WM_CHAR, std::uint8_t(bytes[1][0]), 0);
    first->HandleKey(lead);
    tap(plat::VK_BACK);
    EXPECT_EQ(text(first), "abcdefghi");
}

INSTANTIATE_TEST_SUITE_P(CodePages, DoubleByteEditBoxTest,
                         ::testing::Values(DoubleBytePage{932, {"\xEF\xBC\x9D", "\xE8\xA1\xA8", "\xE3\x81\x82"}},
                                           DoubleBytePage{936, {"\xE4\xB8\x82", "\xE4\xB8\xAD", "\xE6\x96\x87"}}),
                         [](const ::testing::TestParamInfo<DoubleBytePage>& info) {
                             return "CodePage" + std::to_string(info.param.codePage);
                         });

// --- Pictures and the style --------------------------------------------------

TEST_F(EditBoxTest, AFocusedPictureAloneServesEveryStateAndAMissingStyleFails)
{
    writePicture("focus.dib", testkit::EncodeBmp(twoColourPicture(40, 10, 70, 70)));
    writePicture("normal.dib", testkit::EncodeBmp(twoColourPicture(40, 10, 80, 80)));
    panelDef();
    SlatePage page(200, 100);
    testkit::PanelRecord record(2);
    record.add(testkit::EditBoxRecord("focus", "", "", kStyle).id(1).at(0, 0), file);
    record.add(testkit::EditBoxRecord("focus", "normal", "", kStyle).id(2).rect(0, 20, 40, 30), file);
    record.add(testkit::EditBoxRecord("", "", "", 99).id(3).rect(50, 0, 60, 10), file);
    record.add(testkit::EditBoxRecord("gone", "", "", kStyle).id(4).rect(50, 20, 60, 30), file);
    readDefinitions();  // the names are in the string table
    auto panel = readPanel(record.Bytes(), page);
    ASSERT_EQ(panel->GetDisplayObjects().GetCount(), 4);
    JxCEditBox* onlyFocused = box(*panel, 1);
    JxCEditBox* withNormal = box(*panel, 2);
    EXPECT_EQ(onlyFocused->CreateResources(), 1);
    EXPECT_TRUE(onlyFocused->TestOptionFlags(JxCDisplayObject::kOptionOwnCapture));
    EXPECT_EQ(withNormal->CreateResources(), 1);
    EXPECT_EQ(box(*panel, 3)->CreateResources(), 0);
    EXPECT_NE(errorLog().find("Temporary Error JxCEditBox::Character style specified was not defined"),
              std::string::npos);
    answers = {kAnswerOk};
    EXPECT_EQ(box(*panel, 4)->CreateResources(), 0);  // the picture does not load
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("gone.dib"), std::string::npos) << boxes[0].text;

    onlyFocused->SetRect(JxCRect(0, 0, 40, 10));
    panel->Draw(nullptr, nullptr, 0);
    EXPECT_EQ(page.at(15, 25), 70);  // panel (10, 20): normal state
    EXPECT_EQ(page.at(15, 45), 80);
    onlyFocused->Disable(0);
    withNormal->Disable(0);
    panel->Draw(nullptr, nullptr, 0);
    EXPECT_EQ(page.at(15, 25), 70);  // disabled: still the focused picture
    EXPECT_EQ(page.at(15, 45), 80);  // disabled: the normal one

    // Each shared picture goes back once, however often a fallback uses it.
    panel->ReleaseResources();
    EXPECT_EQ(GetBitmapRefs().GetCount(), 0);
}

TEST_F(EditBoxTest, ASelectionDrawsInTheHighlightColours)
{
    panelDef();
    readDefinitions();
    SlatePage page(200, 100);
    testkit::PanelRecord record(2);
    record.add(testkit::EditBoxRecord("", "", "", kStyle).id(1).rect(0, 0, 70, 15), file);
    auto panel = readPanel(record.Bytes(), page);
    JxCEditBox* b = box(*panel, 1);
    ASSERT_EQ(b->CreateResources(), 1);
    b->SetText("abcd", 0, 1);
    b->SetSelection(3, 1, 0);
    panel->Draw(nullptr, nullptr, 0);
    // Characters 1 and 2 stand on the highlight background (colour 9), the
    // others on the panel's.
    auto highlightedIn = [&](int firstCell, int cells) {
        int count = 0;
        for (int y = 20; y < 33; ++y)
            for (int x = 10 + firstCell * kCell; x < 10 + (firstCell + cells) * kCell; ++x)
                count += page.at(x, y) == 9 ? 1 : 0;
        return count;
    };
    EXPECT_GT(highlightedIn(1, 2), kCell * 13);
    EXPECT_EQ(highlightedIn(0, 1), 0);
    EXPECT_EQ(highlightedIn(3, 1), 0);
}

}  // namespace
