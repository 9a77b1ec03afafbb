// Controls on their own: what they tell their parent and what their item
// messages answer at the edges.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/backend/harness.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"

namespace plat {
namespace {

struct Told {
    UINT msg;
    WORD code;
    WORD pos;
};
std::vector<Told>* told = nullptr;

LRESULT CALLBACK_Parent(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (told && (m == WM_VSCROLL || m == WM_HSCROLL || m == WM_COMMAND))
        told->push_back({m, m == WM_COMMAND ? HIWORD(w) : LOWORD(w), HIWORD(w)});
    return DefWindowProcA(h, m, w, l);
}

class ControlTest : public ::testing::Test {
protected:
    Harness harness;
    std::vector<Told> seen;
    HWND parent = nullptr;

    void SetUp() override
    {
        told = &seen;
        RegisterControlClasses();
        WNDCLASSA wc;
        wc.lpfnWndProc = &CALLBACK_Parent;
        wc.lpszClassName = "Parent";
        ASSERT_NE(RegisterClassA(wc), 0);
        parent = CreateWindowExA(0, "Parent", "p", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                                 nullptr, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(parent);  // the controls' own state goes with them
        told = nullptr;
    }

    HWND child(const char* cls, DWORD style, int x, int y, int w, int h, const char* text = "")
    {
        return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                               reinterpret_cast<HMENU>(std::uintptr_t(50)), nullptr, nullptr);
    }
};

TEST_F(ControlTest, AScrollBarTellsItsParentAndKeepsItsPositionInRange)
{
    HWND bar = child("ScrollBar", SBS_VERT, 10, 10, 16, 200);
    SetScrollRange(bar, SB_CTL, 0, 10, 0);
    EXPECT_EQ(SetScrollPos(bar, SB_CTL, 25, 1), 0);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 10) << "clamped to the range";
    SetScrollPos(bar, SB_CTL, 5, 1);
    harness.runUntilIdle();
    harness.click({18, 14});   // the upper arrow
    harness.click({18, 204});  // the lower arrow
    harness.runUntilIdle();
    std::vector<WORD> codes;
    for (const Told& t : seen)
        if (t.msg == WM_VSCROLL)
            codes.push_back(t.code);
    EXPECT_EQ(codes, (std::vector<WORD>{SB_LINEUP, SB_ENDSCROLL, SB_LINEDOWN, SB_ENDSCROLL}));
    // Holding the arrow repeats.
    seen.clear();
    harness.press({18, 14});
    harness.runFor(700);
    harness.release({18, 14});
    harness.runUntilIdle();
    int lineUps = 0;
    for (const Told& t : seen)
        lineUps += t.msg == WM_VSCROLL && t.code == SB_LINEUP;
    EXPECT_GE(lineUps, 3);
}

TEST_F(ControlTest, AnEditCutsUndoesAndKeepsNumbersOnly)
{
    HWND edit = child("Edit", WS_BORDER, 10, 10, 200, 20, "Kelbo title");
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, 6);
    SendMessageA(edit, WM_CUT, 0, 0);
    EXPECT_EQ(WindowText(edit), "title");
    SendMessageA(edit, EM_SETSEL, 5, 5);
    SendMessageA(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(WindowText(edit), "titleKelbo ");
    EXPECT_TRUE(SendMessageA(edit, EM_CANUNDO, 0, 0));
    SendMessageA(edit, EM_UNDO, 0, 0);
    EXPECT_EQ(WindowText(edit), "title");
    EXPECT_TRUE(SendMessageA(edit, EM_GETMODIFY, 0, 0));

    HWND number = child("Edit", ES_NUMBER | ES_UPPERCASE, 10, 40, 200, 20);
    SetFocus(number);
    harness.typeText("1a2b3");
    harness.runUntilIdle();
    EXPECT_EQ(WindowText(number), "123");
    // A negative start takes the selection away; (0, -1) selects all.
    SendMessageA(number, EM_SETSEL, 0, -1);
    DWORD a = 9, b = 9;
    SendMessageA(number, EM_GETSEL, WPARAM(&a), LPARAM(&b));
    EXPECT_EQ(a, 0u);
    EXPECT_EQ(b, 3u);
    SendMessageA(number, EM_SETSEL, WPARAM(-1), 0);
    SendMessageA(number, EM_GETSEL, WPARAM(&a), LPARAM(&b));
    EXPECT_EQ(a, b);
}

TEST_F(ControlTest, ListItemMessagesAnswerErrorsOutsideTheItems)
{
    HWND list = child("ListBox", LBS_SORT | LBS_NOTIFY, 10, 10, 100, 100);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_ADDSTRING, 0, LPARAM("beta")), 0);
    EXPECT_EQ(SendMessageA(list, LB_ADDSTRING, 0, LPARAM("Alpha")), 0) << "sorted without regard to case";
    EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, WPARAM(-1), LPARAM("zeta")), 2);
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 5, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, 3, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, WPARAM(-2), 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM("BETA")), 1);
    EXPECT_EQ(SendMessageA(list, LB_FINDSTRING, 1, LPARAM("a")), 0) << "the search wraps round";
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 0, 0), 2);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0) << "the selection follows its item";
    EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 0, 0), 1);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR) << "a deleted selection is no selection";
    for (const Told& t : seen)
        EXPECT_NE(t.code, LBN_SELCHANGE) << "only the user's choices are told";
}

TEST_F(ControlTest, RadioButtonsOfAGroupCheckOneAtATime)
{
    HWND a = child("Button", BS_AUTORADIOBUTTON | WS_GROUP, 10, 10, 100, 16, "A");
    HWND b = child("Button", BS_AUTORADIOBUTTON, 10, 30, 100, 16, "B");
    HWND c = child("Button", BS_AUTORADIOBUTTON | WS_GROUP, 10, 50, 100, 16, "C");
    SendMessageA(c, BM_SETCHECK, BST_CHECKED, 0);
    harness.runUntilIdle();
    harness.click({20, 18});
    harness.runUntilIdle();
    EXPECT_EQ(SendMessageA(a, BM_GETCHECK, 0, 0), LRESULT(BST_CHECKED));
    harness.click({20, 38});
    harness.runUntilIdle();
    EXPECT_EQ(SendMessageA(a, BM_GETCHECK, 0, 0), LRESULT(BST_UNCHECKED));
    EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), LRESULT(BST_CHECKED));
    EXPECT_EQ(SendMessageA(c, BM_GETCHECK, 0, 0), LRESULT(BST_CHECKED)) << "another group stays";
    // A release outside the button is no click.
    seen.clear();
    harness.press({20, 38});
    harness.release({300, 200});
    harness.runUntilIdle();
    for (const Told& t : seen)
        EXPECT_FALSE(t.msg == WM_COMMAND && t.code == BN_CLICKED);
}

}  // namespace
}  // namespace plat
