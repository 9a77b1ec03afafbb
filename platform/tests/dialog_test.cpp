// Dialogs: templates in their text form, every control kind on the screen,
// the keyboard (Tab, arrows, Enter, Escape, typing, choosing from lists),
// modal and modeless dialogs, and the responder road.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/backend/harness.h"
#include "platform/tests/golden.h"
#include "platform/ui/dialog.h"
#include "platform/ui/responder.h"

namespace plat {
namespace {

const char* const kEveryControl = R"(# A dialog with one control of each kind
caption "Every control"
style WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME
font 8, "MS Sans Serif"
rect 0 0 240 150
control Static    -1  "&Name:"             7   9  40   8   SS_LEFT
control Edit      100 "Kelbo"              50  7 110  12  WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL
control Button    101 "Don't tell me this again." 7 25 150 10 BS_AUTOCHECKBOX | WS_TABSTOP
control Button    -1  "Drive"               7  38 110  44  BS_GROUPBOX
control Button    102 "&CD-ROM"             14  50  90  10  BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP
control Button    103 "&Network"            14  64  90  10  BS_AUTORADIOBUTTON
control ListBox   104 ""                   125  38 108  44  WS_BORDER | WS_VSCROLL | LBS_NOTIFY | WS_TABSTOP | WS_GROUP
control ComboBox  105 ""                     7  88 110  60  CBS_DROPDOWNLIST | WS_TABSTOP
control ScrollBar 106 ""                   125  88 108  10  SBS_HORZ
control Static    107 "#32516"             200   7  20  20  SS_ICON
control Button    1   "OK"                 125 129  50  14  BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP
control Button    2   "Cancel"             183 129  50  14  WS_TABSTOP
)";

DialogTemplate everyControl()
{
    DialogTemplate t;
    std::string why;
    EXPECT_TRUE(ParseDialogTemplate(kEveryControl, &t, &why)) << why;
    return t;
}

struct Seen {
    std::vector<std::pair<int, int>> commands;  // id, code
    bool initialised = false;
};
Seen* seen = nullptr;

LRESULT CALLBACK_Proc(HWND dlg, UINT msg, WPARAM w, LPARAM l)
{
    (void)l;
    switch (msg) {
    case WM_INITDIALOG: {
        seen->initialised = true;
        for (const char* s : {"Alpha", "Beta", "Gamma", "Delta", "Epsilon", "Zeta"})
            SendDlgItemMessageA(dlg, 104, LB_ADDSTRING, 0, LPARAM(s));
        for (const char* s : {"C:  system", "D:  kelbo", "E:  \\\\server\\share"})
            SendDlgItemMessageA(dlg, 105, CB_ADDSTRING, 0, LPARAM(s));
        SendDlgItemMessageA(dlg, 105, CB_SETCURSEL, 1, 0);
        SendDlgItemMessageA(dlg, 106, SBM_SETRANGE, 0, 10);
        SendDlgItemMessageA(dlg, 106, SBM_SETPOS, 3, 1);
        CheckRadioButton(dlg, 102, 103, 102);
        return 1;
    }
    case WM_COMMAND:
        seen->commands.push_back({LOWORD(w), HIWORD(w)});
        if (LOWORD(w) == IDOK || LOWORD(w) == IDCANCEL)
            EndDialog(dlg, LOWORD(w) == IDOK ? 10 : 20);
        return 1;
    default:
        return 0;
    }
}

class DialogTest : public ::testing::Test {
protected:
    Harness harness;
    Seen record;
    void SetUp() override { seen = &record; }
    void TearDown() override { seen = nullptr; }

    LRESULT run(std::function<std::optional<int>(const UiRequest&, int round)> script)
    {
        int round = 0;
        SetResponder([&](const UiRequest& r) { return script(r, round++); });
        return DialogBoxIndirectParamA(nullptr, everyControl(), nullptr, &CALLBACK_Proc, 0);
    }
};

TEST(DialogTemplateText, ReadsEveryPartAndNamesTheLineOfAFault)
{
    DialogTemplate t;
    std::string why;
    ASSERT_TRUE(ParseDialogTemplate(kEveryControl, &t, &why)) << why;
    EXPECT_EQ(t.caption, "Every control");
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.faceName, "MS Sans Serif");
    EXPECT_EQ(t.cx, 240);
    ASSERT_EQ(t.items.size(), 12u);
    EXPECT_EQ(t.items[1].className, "Edit");
    EXPECT_EQ(t.items[1].id, 100);
    EXPECT_EQ(t.items[1].text, "Kelbo");
    EXPECT_EQ(t.items[1].style, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL);
    EXPECT_EQ(t.items[2].text, "Don't tell me this again.");

    EXPECT_TRUE(ParseDialogTemplate("rect 0 0 10 10\ncontrol Button 1 \"a \\\"b\\\"\\n\" 0 0 5 5 NOT WS_VISIBLE", &t, &why));
    EXPECT_EQ(t.items[0].text, "a \"b\"\n");
    EXPECT_EQ(t.items[0].style, WS_CHILD);

    const std::pair<const char*, const char*> bad[] = {
        {"rect 0 0 10 10\ncontrol Button 1 \"OK\" 0 0 5", "line 2"},
        {"rect 0 0 10 10\nstyle WS_POPUP | WS_NOSUCH", "WS_NOSUCH"},
        {"caption \"open", "line 1"},
        {"caption \"x\"", "no rect"},
        {"rect 0 0 10 10\ncontrol Button 70000 \"OK\" 0 0 5 5", "line 2"},
        {"rect 0 0 10 10\nstyle WS_POPUP |", "line 2"},
        {"rect 0 0 10 10\nfrobnicate", "frobnicate"},
    };
    for (auto [text, expect] : bad) {
        why.clear();
        EXPECT_FALSE(ParseDialogTemplate(text, &t, &why)) << text;
        EXPECT_NE(why.find(expect), std::string::npos) << text << ": " << why;
    }
}

TEST_F(DialogTest, EveryControlKindLooksRight)
{
    LRESULT r = run([&](const UiRequest& req, int) -> std::optional<int> {
        EXPECT_EQ(req.kind, "Dialog");
        EXPECT_EQ(req.caption, "Every control");
        EXPECT_NE(req.text.find("Don't tell me this again."), std::string::npos);
        EXPECT_EQ(testing::CompareWithGolden(nullptr, "dialog_every_control"), "");
        return IDOK;
    });
    EXPECT_EQ(r, 10);
    EXPECT_TRUE(record.initialised);
}

TEST_F(DialogTest, TabMovesThroughTheTabStopsInOrderAndShiftTabBack)
{
    std::vector<int> order;
    run([&](const UiRequest& req, int round) -> std::optional<int> {
        HWND d = req.window;
        order.push_back(GetDlgCtrlID(GetFocus()));
        if (round < 7) {
            harness.tap(VK_TAB);
            return kAnswerByInput;
        }
        if (round == 7) {
            harness.keyDown(VK_SHIFT);
            harness.tap(VK_TAB);
            harness.keyUp(VK_SHIFT);
            return kAnswerByInput;
        }
        (void)d;
        return IDCANCEL;
    });
    EXPECT_EQ(order, (std::vector<int>{100, 101, 102, 104, 105, 1, 2, 100, 2}));
}

TEST_F(DialogTest, ArrowsMoveWithinAGroupAndCheckRadioButtons)
{
    run([&](const UiRequest& req, int round) -> std::optional<int> {
        HWND d = req.window;
        switch (round) {
        case 0:
            SetFocus(GetDlgItem(d, 102));
            harness.tap(VK_DOWN);
            return kAnswerByInput;
        default:
            EXPECT_EQ(GetDlgCtrlID(GetFocus()), 103);
            EXPECT_EQ(IsDlgButtonChecked(d, 103), BST_CHECKED);
            EXPECT_EQ(IsDlgButtonChecked(d, 102), BST_UNCHECKED);
            return IDOK;
        }
    });
}

TEST_F(DialogTest, EnterPressesTheDefaultButtonOrTheFocusedOneAndEscapeIsCancel)
{
    EXPECT_EQ(run([&](const UiRequest&, int) -> std::optional<int> {
                  harness.tap(VK_RETURN);
                  return kAnswerByInput;
              }),
              10);
    EXPECT_EQ(run([&](const UiRequest&, int) -> std::optional<int> {
                  harness.tap(VK_ESCAPE);
                  return kAnswerByInput;
              }),
              20);
    EXPECT_EQ(run([&](const UiRequest& req, int) -> std::optional<int> {
                  SetFocus(GetDlgItem(req.window, 2));
                  harness.tap(VK_RETURN);
                  return kAnswerByInput;
              }),
              20);
    // The close box is Cancel as well.
    EXPECT_EQ(run([&](const UiRequest& req, int) -> std::optional<int> {
                  PostMessageA(req.window, WM_CLOSE, 0, 0);
                  return kAnswerByInput;
              }),
              20);
}

TEST_F(DialogTest, TypingIntoAnEditWithSelectionAndClipboardKeys)
{
    std::string text;
    std::vector<int> codes;
    run([&](const UiRequest& req, int round) -> std::optional<int> {
        HWND d = req.window;
        switch (round) {
        case 0:
            // The edit has the focus with its text selected: typing replaces it.
            harness.typeText("Gavo");
            harness.tap(VK_BACK);
            harness.typeText("o 2");
            return kAnswerByInput;
        case 1: {
            char buf[64];
            GetDlgItemTextA(d, 100, buf, sizeof buf);
            EXPECT_STREQ(buf, "Gavo 2");
            // Home, Shift+End selects all, Ctrl+C copies, End, Ctrl+V pastes.
            harness.tap(VK_HOME);
            harness.keyDown(VK_SHIFT);
            harness.tap(VK_END);
            harness.keyUp(VK_SHIFT);
            harness.keyDown(VK_CONTROL);
            harness.tap('C');
            harness.keyUp(VK_CONTROL);
            harness.tap(VK_END);
            harness.keyDown(VK_CONTROL);
            harness.tap('V');
            harness.keyUp(VK_CONTROL);
            return kAnswerByInput;
        }
        default: {
            char buf[64];
            GetDlgItemTextA(d, 100, buf, sizeof buf);
            text = buf;
            return IDOK;
        }
        }
    });
    EXPECT_EQ(text, "Gavo 2Gavo 2");
    int changes = 0;
    for (auto [id, code] : record.commands)
        if (id == 100 && code == EN_CHANGE)
            ++changes;
    EXPECT_GE(changes, 5);
}

TEST_F(DialogTest, ALimitedEditTakesNoMoreThanItsLimit)
{
    run([&](const UiRequest& req, int round) -> std::optional<int> {
        HWND d = req.window;
        if (round == 0) {
            SendDlgItemMessageA(d, 100, EM_LIMITTEXT, 4, 0);
            harness.typeText("abcdefg");
            return kAnswerByInput;
        }
        char buf[64];
        GetDlgItemTextA(d, 100, buf, sizeof buf);
        EXPECT_STREQ(buf, "abcd");
        bool maxText = false;
        for (auto [id, code] : record.commands)
            maxText = maxText || (id == 100 && code == EN_MAXTEXT);
        EXPECT_TRUE(maxText);
        return IDOK;
    });
}

TEST_F(DialogTest, ChoosingFromAListAndAComboBoxByKeyboardAndMouse)
{
    run([&](const UiRequest& req, int round) -> std::optional<int> {
        HWND d = req.window;
        HWND list = GetDlgItem(d, 104);
        HWND combo = GetDlgItem(d, 105);
        switch (round) {
        case 0:
            SetFocus(list);
            harness.tap(VK_DOWN);  // nothing selected: the first item
            harness.tap(VK_DOWN);
            harness.typeText("e");  // the next item starting with "e"
            return kAnswerByInput;
        case 1: {
            // Alpha Beta Gamma Delta Epsilon Zeta: "e" after Beta is Epsilon.
            EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 4);
            char buf[32];
            SendMessageA(list, LB_GETTEXT, 4, LPARAM(buf));
            EXPECT_STREQ(buf, "Epsilon");
            SetFocus(combo);
            harness.tap(VK_DOWN);
            return kAnswerByInput;
        }
        case 2: {
            EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
            // Click the combo box open and click its first item.
            RECT r;
            GetWindowRect(combo, &r);
            harness.click({r.left + 10, r.top + 5});
            return kAnswerByInput;
        }
        case 3: {
            EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), 1);
            RECT r;
            GetWindowRect(combo, &r);
            int ih = int(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
            harness.click({r.left + 10, r.top + int(SendMessageA(combo, CB_GETITEMHEIGHT, WPARAM(-1), 0)) + 6 + ih / 2 + 1});
            return kAnswerByInput;
        }
        default:
            EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), 0);
            EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
            return IDOK;
        }
    });
    int listChanges = 0, comboChanges = 0;
    for (auto [id, code] : record.commands) {
        listChanges += id == 104 && code == LBN_SELCHANGE;
        comboChanges += id == 105 && code == CBN_SELCHANGE;
    }
    EXPECT_EQ(listChanges, 3);
    EXPECT_EQ(comboChanges, 2);
}

TEST_F(DialogTest, AnUnexpectedDialogFailsNamingItsTemplate)
{
    try {
        DialogBoxIndirectParamA(nullptr, everyControl(), nullptr, &CALLBACK_Proc, 0);
        FAIL();
    } catch (const UnexpectedUi& e) {
        EXPECT_NE(std::string(e.what()).find("Every control"), std::string::npos) << e.what();
    }
    EXPECT_EQ(FindWindowA(kDialogClassName, nullptr), nullptr);
}

TEST_F(DialogTest, AModelessDialogTakesItsKeysThroughIsDialogMessage)
{
    HWND d = CreateDialogIndirectParamA(nullptr, everyControl(), nullptr, &CALLBACK_Proc, 0);
    ASSERT_NE(d, nullptr);
    ShowWindow(d, SW_SHOW);
    harness.tap(VK_TAB);
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
        if (!IsDialogMessageA(d, &m)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), 101);
    DestroyWindow(d);
}

}  // namespace
}  // namespace plat
