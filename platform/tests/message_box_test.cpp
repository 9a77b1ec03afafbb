// Message boxes: their button sets and answers, the headless responder road,
// the keyboard, their modality, and how they look.

#include <gtest/gtest.h>

#include <vector>

#include "platform/backend/harness.h"
#include "platform/tests/golden.h"
#include "platform/ui/message_box.h"
#include "platform/ui/responder.h"

namespace plat {
namespace {

class MessageBoxTest : public ::testing::Test {
protected:
    Harness harness;
};

TEST_F(MessageBoxTest, EachKindLooksRightAndAnswersWithTheButtonPressed)
{
    struct Case {
        UINT style;
        const char* golden;
        std::vector<int> buttons;
        int press;
    };
    const Case cases[] = {
        {MB_OK | MB_ICONEXCLAMATION, "msgbox_ok", {IDOK}, IDOK},
        {MB_OKCANCEL | MB_ICONQUESTION, "msgbox_okcancel", {IDOK, IDCANCEL}, IDCANCEL},
        {MB_ABORTRETRYIGNORE | MB_ICONHAND | MB_DEFBUTTON2, "msgbox_abortretryignore", {IDABORT, IDRETRY, IDIGNORE}, IDIGNORE},
        {MB_YESNO | MB_ICONQUESTION, "msgbox_yesno", {IDYES, IDNO}, IDNO},
        {MB_YESNOCANCEL | MB_ICONASTERISK, "msgbox_yesnocancel", {IDYES, IDNO, IDCANCEL}, IDYES},
        {MB_RETRYCANCEL | MB_ICONEXCLAMATION, "msgbox_retrycancel", {IDRETRY, IDCANCEL}, IDRETRY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        int offers = 0;
        SetResponder([&](const UiRequest& r) -> std::optional<int> {
            ++offers;
            EXPECT_EQ(r.kind, "MessageBox");
            EXPECT_EQ(r.caption, "Kelbo");
            EXPECT_EQ(r.text, "The data disc could not be read.\nPut it in its drive and try again.");
            EXPECT_EQ(r.style, c.style);
            EXPECT_EQ(r.buttons, c.buttons);
            EXPECT_TRUE(IsWindowVisible(r.window));
            EXPECT_EQ(testing::CompareWithGolden(nullptr, c.golden), "");
            return c.press;
        });
        int answer = MessageBoxA(nullptr, "The data disc could not be read.\nPut it in its drive and try again.",
                                 "Kelbo", c.style);
        EXPECT_EQ(answer, c.press);
        EXPECT_EQ(offers, 1);
        EXPECT_EQ(FindWindowA(kDialogClassName, nullptr), nullptr) << "the box is gone";
    }
}

TEST_F(MessageBoxTest, AnUnexpectedBoxFailsNamingIt)
{
    try {
        MessageBoxA(nullptr, "Are you sure you want to quit?", "Kelbo", MB_YESNO);
        FAIL() << "no exception";
    } catch (const UnexpectedUi& e) {
        std::string what = e.what();
        EXPECT_NE(what.find("MessageBox"), std::string::npos) << what;
        EXPECT_NE(what.find("Kelbo"), std::string::npos) << what;
        EXPECT_NE(what.find("Are you sure you want to quit?"), std::string::npos) << what;
    }
    EXPECT_EQ(FindWindowA(kDialogClassName, nullptr), nullptr) << "the box does not stay behind";
}

TEST_F(MessageBoxTest, AnAnswerThatIsNoButtonOfTheBoxFails)
{
    SetResponder([](const UiRequest&) -> std::optional<int> { return IDRETRY; });
    EXPECT_THROW(MessageBoxA(nullptr, "Saved.", "Kelbo", MB_OK), UnexpectedUi);
}

TEST_F(MessageBoxTest, EnterTakesTheDefaultButtonAndEscapeCancels)
{
    // Enter: the second button is the default.
    SetResponder([&](const UiRequest&) -> std::optional<int> {
        harness.tap(VK_RETURN);
        return kAnswerByInput;
    });
    EXPECT_EQ(MessageBoxA(nullptr, "Retry?", "Kelbo", MB_ABORTRETRYIGNORE | MB_DEFBUTTON2), IDRETRY);

    SetResponder([&](const UiRequest&) -> std::optional<int> {
        harness.tap(VK_ESCAPE);
        return kAnswerByInput;
    });
    EXPECT_EQ(MessageBoxA(nullptr, "Go on?", "Kelbo", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(MessageBoxA(nullptr, "Done.", "Kelbo", MB_OK), IDOK) << "Escape closes a box with OK alone";

    // Tab moves to the next button, Enter presses it.
    int round = 0;
    SetResponder([&](const UiRequest&) -> std::optional<int> {
        if (round++ == 0) {
            harness.tap(VK_TAB);
            harness.tap(VK_RETURN);
        }
        return kAnswerByInput;
    });
    EXPECT_EQ(MessageBoxA(nullptr, "Save?", "Kelbo", MB_YESNOCANCEL), IDNO);
}

TEST_F(MessageBoxTest, EscapeDoesNothingOnAYesNoBox)
{
    int round = 0;
    SetResponder([&](const UiRequest&) -> std::optional<int> {
        if (round++ == 0) {
            harness.tap(VK_ESCAPE);
            return kAnswerByInput;
        }
        return IDYES;
    });
    EXPECT_EQ(MessageBoxA(nullptr, "Quit?", "Kelbo", MB_YESNO), IDYES);
    EXPECT_EQ(round, 2) << "the box was still waiting after Escape";
}

int timerTicks = 0;
LRESULT CALLBACK_OwnerProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_TIMER)
        ++timerTicks;
    return DefWindowProcA(h, m, w, l);
}

TEST_F(MessageBoxTest, ABoxKeepsItsOwnersTimerFiringAndDisablesTheProgram)
{
    WNDCLASSA wc;
    wc.lpfnWndProc = &CALLBACK_OwnerProc;
    wc.lpszClassName = "Owner";
    ASSERT_NE(RegisterClassA(wc), 0);
    HWND owner = CreateWindowExA(0, "Owner", "main", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 10, 10, 300, 200,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    SetTimer(owner, 1, 100, nullptr);
    timerTicks = 0;
    int rounds = 0;
    bool disabledMeanwhile = false;
    SetResponder([&](const UiRequest&) -> std::optional<int> {
        disabledMeanwhile = !IsWindowEnabled(owner);
        if (++rounds <= 5) {
            harness.advance(100);
            return kAnswerByInput;
        }
        return IDOK;
    });
    EXPECT_EQ(MessageBoxA(nullptr, "Printing.", "Kelbo", MB_OK | MB_TASKMODAL), IDOK);
    EXPECT_EQ(timerTicks, 5);
    EXPECT_TRUE(disabledMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(MessageBoxTest, AQuitWhileTheBoxWaitsEndsItAndStaysForTheOuterLoop)
{
    SetResponder([&](const UiRequest&) -> std::optional<int> {
        PostQuitMessage(3);
        return kAnswerByInput;
    });
    MessageBoxA(nullptr, "Wait.", "Kelbo", MB_OK);
    harness.runUntilIdle();
    EXPECT_TRUE(harness.quitSeen());
    EXPECT_EQ(harness.exitCode(), 3);
}

}  // namespace
}  // namespace plat

namespace plat {
namespace {

TEST_F(MessageBoxTest, AMnemonicPressesItsButton)
{
    int rounds = 0;
    SetResponder([&](const UiRequest&) -> std::optional<int> {
        if (rounds++)
            return std::nullopt;
        harness.typeText("n");  // "&No"
        return kAnswerByInput;
    });
    EXPECT_EQ(MessageBoxA(nullptr, "Quit?", "Kelbo", MB_YESNO), IDNO);
    rounds = 0;
    SetResponder([&](const UiRequest&) -> std::optional<int> {
        if (rounds++)
            return std::nullopt;
        harness.keyDown(VK_MENU);
        harness.tap('I');  // Alt+I: "&Ignore"
        harness.keyUp(VK_MENU);
        return kAnswerByInput;
    });
    EXPECT_EQ(MessageBoxA(nullptr, "Disc error.", "Kelbo", MB_ABORTRETRYIGNORE), IDIGNORE);
}

}  // namespace
}  // namespace plat
