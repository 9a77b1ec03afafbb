// The yes/no question and the retry/abort box: Greek texts converted for
// display, the answers of their buttons and keys, the question beep.

#include <gtest/gtest.h>

#include <string>

#include "platform/tests/golden.h"
#include "platform/ui/dialog.h"
#include "platform/ui/message_box.h"
#include "platform/ui/responder.h"
#include "platform/window/window.h"
#include "setup/GreekText.h"
#include "setup/PageKit.h"
#include "setup/SetupBoxes.h"
#include "setup/SetupText.h"
#include "setup_fixture.h"

namespace {

using setup_testing::SetupTest;

class BoxesTest : public SetupTest {};

plat::LRESULT pageProc(plat::HWND, plat::UINT, plat::WPARAM, plat::LPARAM) { return 0; }

TEST_F(BoxesTest, TheQuestionShowsItsGreekTextsAndAnswersByButtonOrKey)
{
    // String 117 asks whether to go on into an existing folder.
    std::string question = LoadText(117);
    struct Case {
        const char* how;
        std::function<std::optional<int>(plat::Harness&, const plat::UiRequest&)> answer;
        int expected;
    };
    const Case cases[] = {
        {"Yes", [](plat::Harness&, const plat::UiRequest&) -> std::optional<int> { return 6; }, 1},
        {"No", [](plat::Harness&, const plat::UiRequest&) -> std::optional<int> { return 7; }, 0},
        {"Escape",
         [](plat::Harness& h, const plat::UiRequest&) -> std::optional<int> {
             h.tap(plat::VK_ESCAPE);
             return plat::kAnswerByInput;
         },
         0},
        {"Enter on No",
         [](plat::Harness& h, const plat::UiRequest& r) -> std::optional<int> {
             plat::SetFocus(plat::GetDlgItem(r.window, 7));
             h.tap(plat::VK_RETURN);
             return plat::kAnswerByInput;
         },
         0},
        {"Enter on Yes",
         [](plat::Harness& h, const plat::UiRequest&) -> std::optional<int> {
             h.tap(plat::VK_RETURN);
             return plat::kAnswerByInput;
         },
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        int beeps = plat::MessageBeepCount();
        bool asked = false;
        plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
            if (asked)
                return std::nullopt;
            asked = true;
            EXPECT_EQ(r.templateName, "YesOrNoBox");
            char text[256] = {};
            plat::GetWindowTextA(r.window, text, sizeof text);
            EXPECT_EQ(std::string(text), ansi("Προσοχή"));
            plat::GetDlgItemTextA(r.window, 103, text, sizeof text);
            EXPECT_EQ(std::string(text), ansi("Το directory του προγράμματος υπάρχει.\nΝα συνεχίσω;"));
            EXPECT_GT(plat::MessageBeepCount(), beeps) << "a question beep when the box comes up";
            return c.answer(harness, r);
        });
        EXPECT_EQ(AskYesOrNo(nullptr, LoadText(124), question), c.expected);
        EXPECT_TRUE(asked);
    }
}

TEST_F(BoxesTest, TheErrorBoxRetriesOnOkAndAbortsOnCancel)
{
    for (int button : {plat::IDOK, plat::IDCANCEL}) {
        plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
            EXPECT_EQ(r.templateName, "ErrorBox");
            char text[64] = {};
            plat::GetDlgItemTextA(r.window, 150, text, sizeof text);
            EXPECT_STREQ(text, "D:\\SETUP.EXE");
            return button;
        });
        EXPECT_EQ(AskRetryOrAbort(nullptr, "D:\\SETUP.EXE"), button == plat::IDOK ? 1 : 0);
    }
}

TEST_F(BoxesTest, ShowDlgItemShowsOnlyWhatIsHiddenAndSaysWhatItDid)
{
    plat::DialogTemplate t;
    ASSERT_TRUE(plat::ParseDialogTemplate("rect 0 0 100 60\ncontrol Static 151 \"x\" 0 0 40 10 NOT WS_VISIBLE\n", &t,
                                          nullptr));
    plat::HWND page = plat::CreateDialogIndirectParamA(nullptr, t, nullptr, &pageProc, 0);
    ASSERT_NE(page, nullptr);
    plat::ShowWindow(page, plat::SW_SHOW);
    plat::HWND label = plat::GetDlgItem(page, 151);
    plat::HWND active = plat::GetActiveWindow();
    EXPECT_EQ(ShowDlgItem(page, 151, true), 1);
    EXPECT_TRUE(plat::IsWindowVisible(label));
    EXPECT_EQ(plat::GetActiveWindow(), active) << "shown without activation";
    EXPECT_EQ(ShowDlgItem(page, 151, true), 1);
    EXPECT_EQ(ShowDlgItem(page, 151, false), 0);
    EXPECT_FALSE(plat::IsWindowVisible(label));
    plat::DestroyWindow(page);
}

TEST_F(BoxesTest, TheEndBoxesShowTheirLastLetterWhole)
{
    // The box is as wide as its text: the last letter of each (the final
    // epsilon of 109) is drawn whole, clear of the label's edge.
    for (plat::UINT id : {108u, 109u}) {
        SCOPED_TRACE(id);
        std::string text = ConvertGreekText(LoadText(id));
        bool looked = false;
        plat::SetResponder([&](const plat::UiRequest& r) -> std::optional<int> {
            harness.runUntilIdle();
            plat::HWND label = plat::GetDlgItem(r.window, 0xFFFF);  // the box's text
            plat::RECT rect;
            plat::GetWindowRect(label, &rect);
            int width = 0, height = 0;
            std::string rgb = plat::testing::SurfaceRgb(nullptr, &width, &height);
            // No ink in the label's last column: a cut letter would reach it.
            int x = int(rect.right) - 1;
            for (int y = int(rect.top); y < int(rect.bottom); ++y) {
                const unsigned char* p = reinterpret_cast<const unsigned char*>(&rgb[(std::size_t(y) * width + x) * 3]);
                EXPECT_FALSE(p[0] < 64 && p[1] < 64 && p[2] < 64) << "ink at the right edge, row " << y;
            }
            looked = true;
            return plat::IDOK;
        });
        plat::MessageBoxA(nullptr, text.c_str(), "Kelbo", plat::MB_OK | plat::MB_ICONEXCLAMATION);
        EXPECT_TRUE(looked);
    }
}

}  // namespace
