// The edit box on a base page in the main window, driven through the
// window's mouse and keys, read back through property 31 and its caret
// positions; its pictures and their fallbacks; and the edit string's
// commands and limit on their own.

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
        ASSERT_TRUE(RegisterWindowClasses(JxCStartupInfo{}));
        panelDef();
        readDefinitions();
        main = openProductWindow(320, 240, plat::WS_POPUP | plat::WS_VISIBLE);
        ASSERT_NE(main, nullptr);
        GetProduct()->SetCaret(std::make_unique<JxCCaret>());

        auto* def = new JxCPageDef;
        def->SetPageId(1);
        def->SetTemplateId(1);
        def->SetPageType(PageTypeId(JxPageKeyword::BASE_PAGE));
        page = new JxCBasePage;
        ASSERT_EQ(page->Init(def), 1);
        GetProduct()->GetPageList().Add(page);
        GetProduct()->SetCurrentPage(page);
        GetProduct()->SetFocusPage(page);

        testkit::PanelRecord record(2);
        record.add(testkit::EditBoxRecord("", "", "", kStyle).id(1).rect(10, 10, 80, 26), file);
        record.add(testkit::EditBoxRecord("", "", "", kStyle).id(2).rect(10, 30, 80, 46), file);
        const std::vector<std::uint8_t> bytes = record.Bytes();
        auto read = std::make_unique<JxCPanelObject>();
        JxCInStrStream in(JxMemoryBlock{bytes.data(), std::uint32_t(bytes.size())});
        ASSERT_EQ(read->Read(in, def), 1);
        panel = read.release();
        def->GetPanelList().Add(panel);
        ASSERT_EQ(page->CreatePanelResources(), 1);
        first = box(*panel, 1);
        second = box(*panel, 2);
        ASSERT_TRUE(first && second);
        page->Refresh();
        harness.runUntilIdle();
    }
    void TearDown() override
    {
        while (JxCPageObject* open = GetProduct()->GetPageList().GetLast())
            GetProduct()->GetPageList().ClosePage(open);
        GetProduct()->ForgetProductWindow();
        plat::DestroyWindow(main);
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

    plat::Harness harness;
    plat::HWND main = nullptr;
    JxCBasePage* page = nullptr;
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

    // Tab, Enter and Escape are taken and change nothing.
    type("ab");
    for (int vk : {plat::VK_TAB, plat::VK_RETURN, plat::VK_ESCAPE})
        tap(vk);
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
    answers = {kAnswerIgnore};
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
