// Dialogs: templates in their text form, every control kind on the screen,
// the keyboard (Tab, arrows, Enter, Escape, typing, choosing from lists),
// modal and modeless dialogs, and the responder road.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/backend/harness.h"
#include "platform/core/codepage.h"
#include "platform/draw/draw.h"
#include "platform/modules/module.h"
#include "platform/modules/resources.h"
#include "platform/tests/golden.h"
#include "platform/tests/temp_config.h"
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
        {"rect 0 0 10 10\ncaption \"a\x01\"", "0x01"},  // control bytes, in a text or out
        {"rect 0 0 10 10\x7f", "line 1: a control byte (0x7F)"},
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

namespace plat {
namespace {

// A dialog of a resource library, as the engine's colour warning shows it.
const char* const kWarning = "caption \"Kelbo\"\n"
                             "rect 0 0 200 70\n"
                             "control Static 5557 \"\" 7 7 150 30\n"
                             "control Button 5556 \"\" 7 40 150 10 BS_CHECKBOX | WS_TABSTOP\n"
                             "control Button 1 \"OK\" 143 50 50 14 BS_DEFPUSHBUTTON | WS_TABSTOP\n";

HBRUSH red = nullptr;
LRESULT CALLBACK_WarningProc(HWND d, UINT msg, WPARAM w, LPARAM l)
{
    switch (msg) {
    case WM_INITDIALOG:
        SetDlgItemTextA(d, 5557, reinterpret_cast<const char*>(l));
        SetDlgItemTextA(d, 5556, "Don't tell me this again.");
        SetWindowLongA(GetDlgItem(d, 5556), GWL_STYLE, LONG(WS_VISIBLE | WS_CHILD | WS_TABSTOP | BS_AUTOCHECKBOX));
        return 1;
    case WM_CTLCOLORSTATIC:
        if (HWND(l) == GetDlgItem(d, 5557)) {
            SetTextColor(HDC(w), RGB(255, 255, 0));
            SetBkColor(HDC(w), RGB(255, 0, 0));
            return LRESULT(red);
        }
        return 0;
    case WM_CLOSE:
    case WM_COMMAND:
        if (msg == WM_CLOSE || LOWORD(w) == IDOK)
            EndDialog(d, IsDlgButtonChecked(d, 5556) ? 1 : 0);
        return 1;
    default:
        return 0;
    }
}

int ownerTicks = 0;
LRESULT CALLBACK_TickProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_TIMER)
        ++ownerTicks;
    return DefWindowProcA(h, m, w, l);
}

class LibraryDialogTest : public ::testing::Test {
protected:
    testing::TempConfig config;
    Harness harness;
    HMODULE library = nullptr;

    void SetUp() override
    {
        testing::TempConfig::writeFile(config.program() + "/kelbores.resources/dialog/5555.dlg", kWarning);
        testing::TempConfig::writeFile(config.program() + "/kelbores.resources/dialog/BROKEN.dlg",
                                       "rect 0 0 10 10\ncontrol Button 1 \"OK\" 0 0\n");
        testing::TempConfig::writeFile(config.program() + "/kelbores.resources/dialog/NUL.dlg",
                                       std::string(1, '\0'));
        library = LoadLibraryA("kelbores.DLL");
        ASSERT_NE(library, nullptr);
        red = CreateSolidBrush(RGB(255, 0, 0));
    }
    void TearDown() override
    {
        DeleteObject(red);
        FreeLibrary(library);
    }
};

TEST_F(LibraryDialogTest, ADialogOfALibraryRunsWithItsProcedureColoursAndOwnerTimer)
{
    WNDCLASSA wc;
    wc.lpfnWndProc = &CALLBACK_TickProc;
    wc.lpszClassName = "Ticker";
    ASSERT_NE(RegisterClassA(wc), 0);
    HWND owner = CreateWindowExA(0, "Ticker", "main", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 0, 0, 640, 480,
                                 nullptr, nullptr, nullptr, nullptr);
    SetTimer(owner, 7, 100, nullptr);
    ownerTicks = 0;
    int round = 0;
    SetResponder([&](const UiRequest& r) -> std::optional<int> {
        EXPECT_EQ(r.kind, "Dialog");
        EXPECT_EQ(r.templateId, 5555);
        EXPECT_FALSE(IsWindowEnabled(owner));
        switch (round++) {
        case 0: {
            // The static text is yellow on the red its parent gives it.
            RECT tr;
            GetWindowRect(GetDlgItem(r.window, 5557), &tr);
            HDC screen = GetDC(nullptr);
            EXPECT_EQ(GetPixel(screen, int(tr.right) - 2, int(tr.bottom) - 2), RGB(255, 0, 0));
            ReleaseDC(nullptr, screen);
            EXPECT_EQ(GetDlgCtrlID(GetFocus()), 5556) << "the first tab stop has the focus";
            harness.tap(VK_SPACE);
            return kAnswerByInput;
        }
        case 1:
        case 2:
        case 3:
            harness.advance(100);
            return kAnswerByInput;
        default:
            PostMessageA(r.window, WM_CLOSE, 0, 0);
            return kAnswerByInput;
        }
    });
    const char* text = "Your computer is currently set to display 256 colors.";
    EXPECT_EQ(DialogBoxParamA(library, MAKEINTRESOURCEA(5555), owner, &CALLBACK_WarningProc, LPARAM(text)), 1)
        << "Space on the check box ticked it, the close box kept it";
    EXPECT_EQ(ownerTicks, 3);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

TEST_F(LibraryDialogTest, AMissingOrDamagedTemplateAnswersMinusOneAndShowsNothing)
{
    SetResponder([](const UiRequest& r) -> std::optional<int> {
        ADD_FAILURE() << "nothing should be shown: " << r.caption;
        return IDCANCEL;
    });
    EXPECT_EQ(DialogBoxParamA(library, "BROKEN", nullptr, &CALLBACK_WarningProc, 0), -1);
    EXPECT_EQ(DialogBoxParamA(library, MAKEINTRESOURCEA(4321), nullptr, &CALLBACK_WarningProc, 0), -1);
    std::string why;
    DialogTemplate t;
    EXPECT_FALSE(LoadDialogTemplate(library, "BROKEN", &t, &why));
    EXPECT_NE(why.find("line 2"), std::string::npos) << why;
    EXPECT_NE(why.find("kelbores.resources/dialog/BROKEN.dlg"), std::string::npos) << why;

    // A NUL byte ends the template at once instead of being read as a word.
    EXPECT_EQ(DialogBoxParamA(library, "NUL", nullptr, &CALLBACK_WarningProc, 0), -1);
    EXPECT_FALSE(LoadDialogTemplate(library, "NUL", &t, &why));
    EXPECT_NE(why.find("NUL.dlg: line 1"), std::string::npos) << why;
    EXPECT_NE(why.find("0x00"), std::string::npos) << why;
}

LRESULT CALLBACK_EndAtOnce(HWND d, UINT msg, WPARAM, LPARAM)
{
    if (msg == WM_INITDIALOG)
        EndDialog(d, 42);
    return 0;
}

TEST_F(LibraryDialogTest, ADialogEndedWhileItStartsIsNeverShown)
{
    SetResponder([](const UiRequest&) -> std::optional<int> {
        ADD_FAILURE() << "the dialog was offered";
        return IDCANCEL;
    });
    EXPECT_EQ(DialogBoxParamA(library, MAKEINTRESOURCEA(5555), nullptr, &CALLBACK_EndAtOnce, 0), 42);
    EXPECT_EQ(FindWindowA(kDialogClassName, nullptr), nullptr);
}

LRESULT CALLBACK_EndOnCommand(HWND d, UINT msg, WPARAM w, LPARAM)
{
    if (msg == WM_COMMAND)
        EndDialog(d, LOWORD(w));
    return msg == WM_INITDIALOG;
}

TEST_F(LibraryDialogTest, TextsOfALibraryInAnotherCodePageReachTheControlsInTheAnsiPage)
{
    // A Greek library keeps its texts in the DOS page 737; the program runs
    // in the Windows Greek page 1253. Caption "Kelbo", button "alpha omega".
    testing::TempConfig::writeFile(config.program() + "/greek.resources/module.ini", "[Module]\nCodePage=737\n");
    testing::TempConfig::writeFile(config.program() + "/greek.resources/dialog/GREEK.dlg",
                                   "caption \"\xce\x9a\xce\xad\xce\xbb\xce\xbc\xcf\x80\xce\xbf\"\n"
                                   "rect 0 0 100 40\n"
                                   "control Button 1 \"\xce\xb1\xcf\x89\" 10 10 50 14 BS_DEFPUSHBUTTON\n");
    int before = GetACP();
    SetACP(1253);
    HMODULE greek = LoadLibraryA("greek");
    ASSERT_NE(greek, nullptr);
    SetResponder([](const UiRequest& r) -> std::optional<int> {
        char text[32] = {};
        GetWindowTextA(r.window, text, sizeof text);
        EXPECT_STREQ(text, "\xca\xdd\xeb\xec\xf0\xef");
        GetDlgItemTextA(r.window, 1, text, sizeof text);
        EXPECT_STREQ(text, "\xe1\xf9");
        return IDOK;
    });
    EXPECT_EQ(DialogBoxParamA(greek, "GREEK", nullptr, &CALLBACK_EndOnCommand, 0), IDOK);
    FreeLibrary(greek);
    SetACP(before);
}

}  // namespace
}  // namespace plat

namespace plat {
namespace {

const char* const kDrivePicker = "caption \"Locate the data disc\"\n"
                                 "rect 0 0 160 90\n"
                                 "control ComboBox 1102 \"\" 7 7 100 70 CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_TABSTOP\n"
                                 "control Button 1 \"OK\" 113 7 40 14 BS_DEFPUSHBUTTON | WS_TABSTOP\n"
                                 "control Button 2 \"Cancel\" 113 24 40 14 WS_TABSTOP\n";

struct DrawSeen {
    int measured = 0;
    std::vector<std::pair<UINT, UINT>> drawn;  // itemID, state
};
DrawSeen* drawSeen = nullptr;

LRESULT CALLBACK_DriveProc(HWND d, UINT msg, WPARAM w, LPARAM l)
{
    switch (msg) {
    case WM_INITDIALOG:
        for (const char* s : {"c:  system", "d:  kelbo", "n:  \\\\server\\share"}) {
            LRESULT i = SendDlgItemMessageA(d, 1102, CB_ADDSTRING, 0, LPARAM(s));
            SendDlgItemMessageA(d, 1102, CB_SETITEMDATA, WPARAM(i), LPARAM(100 + i));
        }
        SendDlgItemMessageA(d, 1102, CB_SETCURSEL, 1, 0);
        return 1;
    case WM_MEASUREITEM:
        ++drawSeen->measured;
        reinterpret_cast<MEASUREITEMSTRUCT*>(l)->itemHeight = 18;
        SetWindowLongPtrA(d, DWL_MSGRESULT, 1);
        return 1;
    case WM_DRAWITEM: {
        auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(l);
        drawSeen->drawn.push_back({di->itemID, di->itemState});
        EXPECT_EQ(di->CtlType, ODT_COMBOBOX);
        EXPECT_EQ(di->CtlID, 1102u);
        if (int(di->itemID) >= 0) {
            EXPECT_EQ(di->itemData, 100u + di->itemID);
        }
        bool sel = di->itemState & ODS_SELECTED;
        HBRUSH b = CreateSolidBrush(sel ? RGB(0, 0, 128) : RGB(255, 255, 255));
        FillRect(di->hDC, &di->rcItem, b);
        DeleteObject(b);
        RECT icon{di->rcItem.left + 2, di->rcItem.top + 3, di->rcItem.left + 14, di->rcItem.bottom - 3};
        HBRUSH g = CreateSolidBrush(RGB(0, 128, 0));
        FillRect(di->hDC, &icon, g);
        DeleteObject(g);
        if (int(di->itemID) >= 0) {
            char text[64] = {};
            SendMessageA(di->hwndItem, CB_GETLBTEXT, di->itemID, LPARAM(text));
            SetBkMode(di->hDC, TRANSPARENT);
            SetTextColor(di->hDC, sel ? RGB(255, 255, 255) : RGB(0, 0, 0));
            TextOut(di->hDC, int(di->rcItem.left) + 18, int(di->rcItem.top) + 2, text, int(std::strlen(text)));
        }
        return 1;
    }
    case WM_COMMAND:
        if (LOWORD(w) == IDOK || LOWORD(w) == IDCANCEL)
            EndDialog(d, LOWORD(w));
        return 1;
    default:
        break;
    }
    return 0;
}

TEST(OwnerDrawnCombo, DrawsItsItemsAndItsFieldThroughTheParent)
{
    Harness harness;
    DrawSeen seenDraws;
    drawSeen = &seenDraws;
    DialogTemplate t;
    std::string why;
    ASSERT_TRUE(ParseDialogTemplate(kDrivePicker, &t, &why)) << why;
    int round = 0;
    SetResponder([&](const UiRequest& r) -> std::optional<int> {
        HWND combo = GetDlgItem(r.window, 1102);
        if (round++ == 0) {
            bool fieldDrawn = false;
            for (auto [id, state] : seenDraws.drawn)
                fieldDrawn = fieldDrawn || (id == 1 && (state & ODS_COMBOBOXEDIT));
            EXPECT_TRUE(fieldDrawn);
            SendMessageA(combo, CB_SHOWDROPDOWN, 1, 0);
            return kAnswerByInput;
        }
        EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), 1);
        EXPECT_EQ(testing::CompareWithGolden(nullptr, "dialog_owner_drawn_combo"), "");
        return IDCANCEL;
    });
    DialogBoxIndirectParamA(nullptr, t, nullptr, &CALLBACK_DriveProc, 0);
    EXPECT_GE(seenDraws.measured, 1);
    drawSeen = nullptr;
}

}  // namespace
}  // namespace plat

namespace plat {
namespace {

TEST(MultiLineEdit, WrapsAtWordsScrollsWithItsBarAndPagesWithTheKeys)
{
    Harness harness;
    RegisterControlClasses();
    std::string terms;
    for (int i = 1; i <= 40; ++i)
        terms += "Clause " + std::to_string(i) + " of the terms of use.\r\n";
    HWND edit = CreateWindowExA(0, "Edit", terms.c_str(),
                                WS_POPUP | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY,
                                100, 100, 160, 120, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    LRESULT lines = SendMessageA(edit, EM_GETLINECOUNT, 0, 0);
    EXPECT_GT(lines, 40) << "long clauses wrap onto a second line";
    harness.runUntilIdle();
    SetFocus(edit);
    harness.tap(VK_NEXT);
    harness.runUntilIdle();
    DWORD start = 0;
    SendMessageA(edit, EM_GETSEL, WPARAM(&start), 0);
    EXPECT_GT(start, 0u) << "Page Down moved the caret";
    // A click on the bar's lower arrow scrolls without moving the caret.
    RECT r;
    GetWindowRect(edit, &r);
    harness.click({r.right - 8, r.bottom - 8});
    harness.runUntilIdle();
    DWORD after = 0;
    SendMessageA(edit, EM_GETSEL, WPARAM(&after), 0);
    EXPECT_EQ(after, start);
    // Typing changes nothing in a read-only edit.
    harness.typeText("x");
    harness.runUntilIdle();
    char buf[32] = {};
    GetWindowTextA(edit, buf, sizeof buf);
    EXPECT_EQ(std::string(buf), terms.substr(0, 31));
    DestroyWindow(edit);
}

}  // namespace
}  // namespace plat
