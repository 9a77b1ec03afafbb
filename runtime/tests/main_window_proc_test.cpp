// The main window procedure seen from the user's side: scripted input on
// the headless desktop reaches (or does not reach) small test pages that
// note what they are told.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/JxErrorReport.h"
#include "platform/backend/harness.h"
#include "platform/window/caret.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxCKeyParams.h"
#include "runtime/JxCMainTovelWindowObject.h"
#include "runtime/JxCWindowClass.h"
#include "runtime/JxKeywordTables.h"
#include "runtime/JxMainWindowProc.h"
#include "runtime/JxPageWindows.h"

namespace {

using namespace plat;
using Log = std::vector<std::string>;

std::string at(const JxCPoint& p)
{
    return std::to_string(p.x) + "," + std::to_string(p.y);
}

std::int16_t onClose()
{
    return std::int16_t(EventId(JxEventKeyword::on_close));
}

// A page that notes what reaches it. Its own frame: the top 20 pixels of
// its window are its caption, of which the right 20 are its close box.
class RoutePage : public JxCPageObject {
public:
    RoutePage(std::string name, Log& log, HWND window) : name_(std::move(name)), log_(log), window_(window)
    {
        Init(new JxCPageDef);
    }
    ~RoutePage() override
    {
        log_.push_back(name_ + " closed");
        // A page's window goes with the page (the base page's is the main
        // window).
        if (window_ && IsWindow(window_))
            DestroyWindow(window_);
    }
    HWND GetWindow() const override { return window_; }
    std::int16_t CanActivate() const override { return 1; }
    std::int16_t QueryPanelAt(const JxCPoint&) const override { return 1; }
    void MouseDown(const JxCPoint& p) override
    {
        log_.push_back(name_ + " down " + at(p));
        if (takesCapture) {
            SetCapture(window_);
            GetProduct()->SetCapturePage(this);
        }
    }
    void MouseUp(const JxCPoint& p) override
    {
        log_.push_back(name_ + " up " + at(p));
        if (GetProduct()->GetCapturePage() == this)
            GetProduct()->ReleaseMouseCapture();
    }
    void MouseDoubleClick(const JxCPoint& p) override { log_.push_back(name_ + " double " + at(p)); }
    void MouseMove(const JxCPoint& p) override
    {
        if (logMoves)
            log_.push_back(name_ + " move " + at(p));
    }
    void MouseEnter() override { log_.push_back(name_ + " enter"); }
    void MouseLeave() override { log_.push_back(name_ + " leave"); }
    void HandleKey(JxCKeyParams& key) override
    {
        log_.push_back(name_ + " key " + std::to_string(key.GetKeyCode()) + " f" +
                       std::to_string(key.GetFunctionKey()) + (key.IsKeyDown() ? " down" : " char"));
    }
    std::int16_t GetWindowRect(const POINT& screen) const override
    {
        if (!ownFrame)
            return 0;
        RECT r;
        ::plat::GetWindowRect(window_, &r);
        if (screen.y < r.top || screen.y >= r.top + 20 || screen.x < r.left || screen.x >= r.right)
            return 0;
        return screen.x >= r.right - 20 ? 3 : 2;
    }
    void DispatchEvent(std::int16_t eventId, std::int16_t) override
    {
        log_.push_back(name_ + " event " + std::to_string(eventId));
        if (eventId == onClose() && refuseClose)
            SetCloseRefused(1);
    }
    void DrawFrame() override { log_.push_back(name_ + " frame"); }

    bool takesCapture = false;
    bool logMoves = false;
    bool ownFrame = false;
    bool refuseClose = false;

private:
    std::string name_;
    Log& log_;
    HWND window_;
};

class RouteProduct : public JxCBaseProduct {
public:
    explicit RouteProduct(Log& log) : log_(log) {}
    std::int16_t Start() override { return 1; }
    void DispatchEvent(std::int16_t eventId, std::int16_t) override
    {
        log_.push_back("product event " + std::to_string(eventId));
    }

private:
    Log& log_;
};

// A panel that cancels a caption drag and notes the questions it is asked.
class AskedPanel : public JxCPanelObject {
public:
    explicit AskedPanel(Log& log) : log_(log) {}
    std::int16_t TestPageIndex(std::int16_t& flag, std::int16_t value) override
    {
        log_.push_back("panel asked " + std::to_string(value));
        if (value == 0 && cancelsDrag)
            flag = 1;
        return 1;
    }
    bool cancelsDrag = false;

private:
    Log& log_;
};

class MainWindowProcTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetMainWindowState();
        SetProgramStarted();
        SetResponder([this](const UiRequest& r) -> std::optional<int> {
            boxes.push_back(r.text);
            return 1;
        });
        ASSERT_TRUE(RegisterWindowClasses(JxCStartupInfo{}));
        SetProduct(std::make_unique<RouteProduct>(log));
        main = makeWindow("main", WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 100, 100, 640, 480, nullptr);
        product().SetProductWindow(main);
        base = addPage("base", main);
        harness.activateApp();
        harness.runUntilIdle();
        log.clear();
    }
    void TearDown() override
    {
        DeleteProduct();
        SetResponder(nullptr);
        ResetErrorReporting();
    }

    static HWND makeWindow(const char* title, DWORD style, int x, int y, int w, int h, HWND parent)
    {
        JxCWindowCreateParams p;
        p.title = title;
        p.x = x;
        p.y = y;
        p.width = w;
        p.height = h;
        p.style = style;
        p.parent = parent;
        return CreateAppWindow("JxTovel", p);
    }
    RoutePage* addPage(const char* name, HWND window)
    {
        auto* page = new RoutePage(name, log, window);
        product().GetPageList().Add(page);
        return page;
    }
    // A pop-up page window owned by the main window.
    RoutePage* addPopup(const char* name, int x, int y)
    {
        HWND w = makeWindow(name, WS_POPUP | WS_VISIBLE, x, y, 200, 150, main);
        return addPage(name, w);
    }
    JxCBaseProduct& product() { return *GetProduct(); }
    POINT inMain(int x, int y) const
    {
        POINT p{x, y};
        ClientToScreen(main, &p);
        return p;
    }
    void inject(MouseButton button, bool down, POINT p, DWORD time)
    {
        InjectMouseButton(button, down, p, time);
    }

    Harness harness;
    HWND main = nullptr;
    RoutePage* base = nullptr;
    Log log;
    std::vector<std::string> boxes;
};

// --- The mouse filters -----------------------------------------------------

TEST_F(MainWindowProcTest, ClicksMadeWhileTheTitleWasBusyAreDroppedAndTheOneBeforeItIsDeliveredOnce)
{
    base->takesCapture = true;
    harness.advance(1000);
    const DWORD before = DWORD(harness.now());
    const POINT p = inMain(10, 20);
    inject(MouseButton::Left, true, p, before);
    inject(MouseButton::Left, false, p, before);
    harness.advance(100);
    product().MarkBusy();
    const DWORD during = DWORD(harness.now()) + 50;
    inject(MouseButton::Left, true, inMain(30, 40), during);
    inject(MouseButton::Left, false, inMain(30, 40), during);
    harness.advance(100);
    product().MarkIdle();
    harness.runUntilIdle();
    // The click made before the busy period counts, its button-up reaches
    // the page that took the capture; the click made during it is lost.
    EXPECT_EQ(log, (Log{"base down 10,20", "base up 10,20"}));

    // A click made now, after the title became idle, is delivered.
    log.clear();
    harness.click(inMain(50, 60));
    harness.runUntilIdle();
    EXPECT_EQ(log, (Log{"base down 50,60", "base up 50,60"}));
}

TEST_F(MainWindowProcTest, TheButtonUpReachesTheCapturePageWhenTheBusyTimeFilterFails)
{
    base->takesCapture = true;
    harness.advance(1000);
    harness.press(inMain(5, 5));
    harness.runUntilIdle();
    ASSERT_EQ(product().GetCapturePage(), base);
    // The title works for a while; the button comes up during that time.
    harness.advance(10);
    product().MarkBusy();
    const DWORD during = DWORD(harness.now()) + 5;
    harness.advance(20);
    product().MarkIdle();
    inject(MouseButton::Left, false, inMain(6, 7), during);
    harness.runUntilIdle();
    EXPECT_EQ(log, (Log{"base down 5,5", "base up 6,7"}));
    EXPECT_EQ(product().GetCapturePage(), nullptr);
}

TEST_F(MainWindowProcTest, NoMouseInputReachesAPageWhileTheTitleIsBusyOrChangingPage)
{
    base->logMoves = true;
    harness.advance(1000);
    product().BeginWait();
    harness.click(inMain(1, 1));
    harness.moveMouse(inMain(2, 2));
    harness.runUntilIdle();
    EXPECT_TRUE(log.empty());
    // The end of the wait shows the page where the mouse is now.
    product().EndWait();
    EXPECT_EQ(log, (Log{"base move 2,2"}));
    log.clear();
    product().BlockInput();
    harness.advance(1000);
    harness.click(inMain(3, 3));
    harness.moveMouse(inMain(4, 4));
    harness.runUntilIdle();
    EXPECT_TRUE(log.empty());
    product().ClearInputBlock();
    harness.moveMouse(inMain(5, 5));
    harness.runUntilIdle();
    EXPECT_EQ(log, (Log{"base move 5,5"}));
}

TEST_F(MainWindowProcTest, ADoubleClickDeliversDownUpDoubleAndNoSecondUp)
{
    harness.advance(1000);
    harness.doubleClick(inMain(12, 13));
    harness.runUntilIdle();
    EXPECT_EQ(log, (Log{"base down 12,13", "base up 12,13", "base double 12,13"}));
    // The next click is a click again.
    log.clear();
    harness.advance(1000);
    harness.click(inMain(12, 13));
    harness.runUntilIdle();
    EXPECT_EQ(log, (Log{"base down 12,13", "base up 12,13"}));
}

TEST_F(MainWindowProcTest, TheClickThatBringsTheTitleBackIsSwallowed)
{
    product().SetFocusPage(base);
    harness.advance(1000);
    harness.deactivateApp();
    harness.runUntilIdle();
    harness.activateApp(true);
    harness.click(inMain(20, 20));
    harness.runUntilIdle();
    EXPECT_EQ(log, (Log{"base frame", "base frame", "product event " +
                                                       std::to_string(EventId(JxEventKeyword::on_activateapp))}));
    log.clear();
    harness.advance(1000);
    harness.click(inMain(21, 21));
    harness.runUntilIdle();
    EXPECT_EQ(log, (Log{"base down 21,21", "base up 21,21"}));
}

TEST_F(MainWindowProcTest, MovesBetweenPageWindowsLeaveOnePageAndEnterTheOther)
{
    RoutePage* popup = addPopup("popup", 400, 400);
    harness.moveMouse(inMain(10, 10));
    harness.runUntilIdle();
    harness.moveMouse(POINT{450, 450});
    harness.runUntilIdle();
    harness.moveMouse(inMain(11, 11));
    harness.runUntilIdle();
    EXPECT_EQ(log, (Log{"base leave", "popup enter", "popup leave", "base enter"}));
    (void)popup;
}

// --- Keys ------------------------------------------------------------------

TEST_F(MainWindowProcTest, KeysReachThePageOrThePageThatHoldsTheCapture)
{
    RoutePage* popup = addPopup("popup", 400, 400);
    SetFocus(main);
    SendMessageA(main, WM_KEYDOWN, 'A', 0);
    SendMessageA(main, WM_KEYDOWN, VK_F1 + 4, 0);
    SendMessageA(main, WM_CHAR, 'a', 0);
    product().SetCapturePage(popup);
    // Letters and digits stay with the window's page; other keys and the
    // characters go to the capture page.
    SendMessageA(main, WM_KEYDOWN, '7', 0);
    SendMessageA(main, WM_KEYDOWN, VK_F1 + 4, 0);
    SendMessageA(main, WM_CHAR, 'b', 0);
    SendMessageA(main, JxCKeyParams::kCompositeCharMessage, 'c', 0);
    EXPECT_EQ(log, (Log{"base key 65 f0 down", "base key 116 f5 down", "base key 97 f0 char", "base key 55 f0 down",
                        "popup key 0 f5 down", "popup key 98 f0 char", "popup key 99 f0 down"}));
}

TEST_F(MainWindowProcTest, KeysAndClicksForAWindowWithoutPageReachNobody)
{
    HWND orphan = makeWindow("orphan", WS_POPUP | WS_VISIBLE, 500, 500, 50, 50, nullptr);
    SendMessageA(orphan, WM_KEYDOWN, 'A', 0);
    SendMessageA(orphan, WM_KEYDOWN, VK_F1, 0);
    SendMessageA(orphan, WM_CHAR, 'a', 0);
    SendMessageA(orphan, WM_LBUTTONDBLCLK, 0, 0);
    SendMessageA(orphan, WM_LBUTTONDOWN, 0, 0);
    SendMessageA(orphan, WM_LBUTTONUP, 0, 0);
    // Printing and copying without a focus page do nothing.
    product().SetFocusPage(nullptr);
    SendMessageA(main, WM_COMMAND, kPrintCommandId, 0);
    SendMessageA(main, WM_COMMAND, kCopyCommandId, 0);
    EXPECT_TRUE(log.empty());
    DestroyWindow(orphan);
}

// --- Closing -----------------------------------------------------------------

TEST_F(MainWindowProcTest, ARefusedCloseKeepsTheWindowAndALaterCloseAsksAgain)
{
    base->refuseClose = true;
    auto* panel = new AskedPanel(log);
    base->GetPanelList()->Add(panel);
    SendMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(main));
    EXPECT_EQ(log, (Log{"panel asked 1", "base event " + std::to_string(onClose())}));
    EXPECT_EQ(base->IsCloseRefused(), 0);

    // Alt+F4 after the refusal asks again.
    log.clear();
    SendMessageA(main, WM_SYSKEYDOWN, VK_F4, KF_ALTDOWN_BIT);
    harness.runUntilIdle();
    EXPECT_TRUE(IsWindow(main));
    EXPECT_EQ(log, (Log{"panel asked 1", "base event " + std::to_string(onClose())}));

    // Allowed: the page closes and with it the main window and the program.
    log.clear();
    base->refuseClose = false;
    SendMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(log, (Log{"panel asked 1", "base event " + std::to_string(onClose()), "base closed"}));
    EXPECT_EQ(product().GetPageCount(), 0);
    harness.runUntilIdle();
    EXPECT_TRUE(harness.quitSeen());
}

TEST_F(MainWindowProcTest, ClosingAPageWindowClosesItsPageOnlyAndMakesTheParentsPageCurrent)
{
    RoutePage* popup = addPopup("popup", 400, 400);
    product().SetCurrentPage(popup);
    SendMessageA(popup->GetWindow(), WM_CLOSE, 0, 0);
    // No "on_close" on the page of a page window; its window's end raises
    // it on the product, with the owner's page made current.
    EXPECT_EQ(log, (Log{"popup closed", "product event " + std::to_string(onClose())}));
    EXPECT_EQ(product().GetCurrentPage(), base);
    EXPECT_TRUE(IsWindow(main));
}

TEST_F(MainWindowProcTest, TheSplashWindowGoesWithoutRaisingAnything)
{
    HWND splash = makeWindow("", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr);
    product().SetSplashWindow(splash);
    DestroyWindow(splash);
    harness.runUntilIdle();
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(harness.quitSeen());
}

TEST_F(MainWindowProcTest, AChangeOfTheDisplayClosesTheProgramWithOneReport)
{
    addPopup("popup", 400, 400);
    // The same mode again changes nothing.
    harness.changeDisplay(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), 32);
    harness.runUntilIdle();
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(IsWindow(main));

    harness.changeDisplay(1024, 768, 32);
    harness.runUntilIdle();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("1172"), std::string::npos) << boxes[0];
    EXPECT_FALSE(IsWindow(main));
    EXPECT_TRUE(harness.quitSeen());
}

// --- The caption of page windows ----------------------------------------------

TEST_F(MainWindowProcTest, ThePageCloseBoxClosesThePageWhenReleasedOverIt)
{
    RoutePage* popup = addPopup("popup", 300, 300);
    popup->ownFrame = true;
    // Pressed on the close box, released elsewhere: nothing.
    harness.press(POINT{490, 305});
    harness.release(POINT{350, 400});
    harness.runUntilIdle();
    EXPECT_TRUE(product().IsPageOpen(popup));
    EXPECT_EQ(GetCapture(), nullptr);
    // Released over it: the page closes.
    harness.advance(1000);
    harness.press(POINT{490, 305});
    harness.release(POINT{492, 306});
    harness.runUntilIdle();
    EXPECT_EQ(product().GetPageCount(), 1);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(harness.quitSeen());
}

TEST_F(MainWindowProcTest, TheCloseBoxLoopPassesAQuitOnAndForgetsAPageThatClosedMeanwhile)
{
    RoutePage* popup = addPopup("popup", 300, 300);
    popup->ownFrame = true;
    HWND popupWindow = popup->GetWindow();
    // While the button is held the page closes and the program is told to
    // quit; the loop ends and hands the quit on.
    PostMessageA(popupWindow, WM_CLOSE, 0, 0);
    PostQuitMessage(3);
    harness.press(POINT{490, 305});
    harness.runUntilIdle();
    EXPECT_FALSE(IsWindow(popupWindow));
    EXPECT_TRUE(harness.quitSeen());
    EXPECT_EQ(harness.exitCode(), 3);
    EXPECT_EQ(product().GetPageCount(), 1);
}

TEST_F(MainWindowProcTest, ACaptionDragWithAFrameInsetMovesTheWindowByTheCursorsTravel)
{
    auto def = std::make_unique<JxCProductDef>();
    auto* templateDef = new JxCTemplateDef;
    templateDef->SetFrameInset(4);
    def->AddTemplateDef(templateDef);
    product().SetProductDef(std::move(def));
    RoutePage* popup = addPopup("popup", 300, 300);
    popup->ownFrame = true;
    harness.press(POINT{320, 305});
    harness.moveMouse(POINT{330, 300});
    harness.release(POINT{345, 315});
    harness.runUntilIdle();
    RECT r;
    ::plat::GetWindowRect(popup->GetWindow(), &r);
    EXPECT_EQ(r.left, 325);
    EXPECT_EQ(r.top, 310);
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(GetCapture(), nullptr);

    // A panel that objects keeps the window where it is.
    auto* panel = new AskedPanel(log);
    panel->cancelsDrag = true;
    popup->GetPanelList()->Add(panel);
    harness.press(POINT{340, 315});
    harness.release(POINT{380, 380});
    harness.runUntilIdle();
    ::plat::GetWindowRect(popup->GetWindow(), &r);
    EXPECT_EQ(r.left, 325);
    EXPECT_EQ(r.top, 310);
}

// --- Activation and the window object ------------------------------------------

TEST_F(MainWindowProcTest, TheFocusPageIsRememberedWhileTheTitleIsInTheBackground)
{
    product().SetFocusPage(base);
    harness.deactivateApp();
    harness.runUntilIdle();
    EXPECT_EQ(product().GetFocusPage(), nullptr);
    EXPECT_EQ(GetAppActive(), 0);
    harness.activateApp();
    harness.runUntilIdle();
    EXPECT_EQ(product().GetFocusPage(), base);
    EXPECT_EQ(GetAppActive(), 1);
    EXPECT_EQ(log.back(), "product event " + std::to_string(EventId(JxEventKeyword::on_activateapp)));
}

TEST_F(MainWindowProcTest, TheCaretFollowsTheKeyboardFocusAndLetsGoOfADestroyedWindow)
{
    class PlacedCaret : public JxCCaret {
    public:
        void PlaceIn(HWND w) { Place(nullptr, w, JxCPoint(3, 4), JxCPoint(0, 0), 12, 1); }
    };
    auto caret = std::make_unique<PlacedCaret>();
    PlacedCaret* c = caret.get();
    product().SetCaret(std::move(caret));
    RoutePage* popup = addPopup("popup", 300, 300);
    HWND w = popup->GetWindow();
    c->PlaceIn(w);
    SetFocus(w);
    POINT pos{};
    EXPECT_TRUE(GetCaretPos(&pos));
    EXPECT_EQ(pos.x, 3);
    EXPECT_EQ(pos.y, 4);
    DestroyWindow(w);
    EXPECT_EQ(c->GetWindow(), nullptr);
}

// --- Finding and placing windows -------------------------------------------------

TEST_F(MainWindowProcTest, WindowsAreCentredOverTheFirstPageAndPagesFoundAndClosedByWindow)
{
    RoutePage* popup = addPopup("popup", 0, 0);
    CentreOverFirstPage(popup->GetWindow());
    RECT m;
    RECT r;
    ::plat::GetWindowRect(main, &m);
    ::plat::GetWindowRect(popup->GetWindow(), &r);
    EXPECT_EQ(r.left, m.left + ((m.right - m.left) - 200) / 2);
    EXPECT_EQ(r.top, m.top + ((m.bottom - m.top) - 150) / 2);
    EXPECT_EQ(r.right - r.left, 200);

    EXPECT_EQ(FindPageByWindow(popup->GetWindow()), popup);
    EXPECT_EQ(FindPageByWindow(nullptr), nullptr);
    EXPECT_EQ(ClosePagesOfWindow(popup->GetWindow(), 0), 1);
    EXPECT_EQ(product().GetPageCount(), 1);
    EXPECT_EQ(FindPageByWindow(main), base);
}

TEST_F(MainWindowProcTest, PageWindowsAreEnabledWithTheMainWindow)
{
    RoutePage* popup = addPopup("popup", 300, 300);
    product().SetFocusPage(popup);
    EnableWindow(main, 0);
    EXPECT_FALSE(IsWindowEnabled(popup->GetWindow()));
    EnableWindow(main, 1);
    EXPECT_TRUE(IsWindowEnabled(popup->GetWindow()));
    EXPECT_EQ(log, (Log{"popup frame", "popup frame"}));
}

TEST_F(MainWindowProcTest, APaletteChangeOfItsOwnOrOfAnOwnedWindowIsNotAnsweredWithARealisation)
{
    RoutePage* popup = addPopup("popup", 300, 300);
    EXPECT_EQ(SendMessageA(main, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(main), 0), 0);
    EXPECT_EQ(SendMessageA(main, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(popup->GetWindow()), 0), 0);
    HWND other = makeWindow("other", WS_POPUP, 0, 0, 10, 10, nullptr);
    EXPECT_EQ(SendMessageA(main, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(other), 0), 1);
    DestroyWindow(other);
}

TEST_F(MainWindowProcTest, TheMainWindowCannotGrowBeyondThePageSize)
{
    MINMAXINFO mmi{};
    SendMessageA(main, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(mmi.ptMaxTrackSize.x, 640);
    EXPECT_EQ(mmi.ptMaxTrackSize.y, 480);
}

}  // namespace
