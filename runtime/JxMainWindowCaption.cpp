// The caption of page windows, handled by the main window procedure: a
// click on a page's close box closes the page when the button comes up over
// it again, and a drag of a page's caption moves an outline of the window
// before the window itself.
//
// Both run a loop of their own that blocks for the next message, ends when
// the window loses the capture, and posts a quit message it meets again so
// that the program's loop sees it. The page may close while they run; they
// check that it is still open before they act on it.

#include "platform/ui/draw_text.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseProduct.h"
#include "runtime/JxMainWindowState.h"
#include "runtime/JxPageWindows.h"

namespace {

using namespace plat;

constexpr LRESULT kHitCaption = 2;
constexpr LRESULT kHitCloseBox = 3;  // the close box of a page's own frame

POINT screenPointOf(LPARAM lParam)
{
    return POINT{std::int16_t(lParam & 0xFFFF), std::int16_t((lParam >> 16) & 0xFFFF)};
}

// Takes the capture for the window and gives it back to its previous owner
// at the end.
class CaptureScope {
public:
    explicit CaptureScope(HWND window) : window_(window), previous_(SetCapture(window)) {}
    ~CaptureScope()
    {
        if (previous_ && previous_ != window_ && IsWindow(previous_))
            SetCapture(previous_);
        else if (GetCapture() == window_)
            ReleaseCapture();
    }
    CaptureScope(const CaptureScope&) = delete;
    CaptureScope& operator=(const CaptureScope&) = delete;
    // False once the window has gone or another window took the capture.
    bool Held() const { return IsWindow(window_) && GetCapture() == window_; }

private:
    HWND window_;
    HWND previous_;
};

// The next message, blocking; false (with the quit message posted again)
// when it is the quit message.
bool nextMessage(MSG& msg)
{
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
        PostQuitMessage(int(msg.wParam));
        return false;
    }
    return got > 0;
}

bool isMouseMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

void dispatch(const MSG& msg)
{
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

// The close box: waits for the button to come up; the page's answer for
// that point (0 when the loop ended otherwise).
LRESULT trackCloseBox(HWND window, JxCPageObject* page)
{
    JxCBaseProduct* product = GetProduct();
    CaptureScope capture(window);
    LRESULT answer = 0;
    MSG msg;
    while (capture.Held() && nextMessage(msg)) {
        if (msg.message == WM_LBUTTONUP && msg.hwnd == window) {
            if (product && product->IsPageOpen(page)) {
                POINT at{std::int16_t(msg.lParam & 0xFFFF), std::int16_t((msg.lParam >> 16) & 0xFFFF)};
                ClientToScreen(window, &at);
                answer = page->GetWindowRect(at);
            }
            break;
        }
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE || msg.message == WM_NCHITTEST)
            continue;
        dispatch(msg);
    }
    return answer;
}

void closeBoxClicked(HWND window, JxCPageObject* page)
{
    const LRESULT answer = trackCloseBox(window, page);
    JxCBaseProduct* product = GetProduct();
    if (answer != kHitCloseBox || !product || !product->IsPageOpen(page))
        return;
    page->ClearKeepOpen();
    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

// Whether a panel of the page cancels the drag.
bool panelsCancelDrag(JxCPageObject& page)
{
    JxCPanelObjectList* panels = page.GetPanelList();
    if (!panels)
        return false;
    for (JxCPanelObject* panel = panels->GetFirst(); panel; panel = panels->GetNext(panel)) {
        std::int16_t cancelled = 0;
        panel->TestPageIndex(cancelled, 0);
        if (cancelled)
            return true;
    }
    return false;
}

std::int32_t frameInsetOf(JxCPageObject& page)
{
    JxCBaseProduct* product = GetProduct();
    JxCProductDef* def = product ? product->GetProductDef() : nullptr;
    if (!def || !page.GetPageDef())
        return 0;
    JxCTemplateDef* templateDef = def->FindTemplateDef(page.GetPageDef()->GetTemplateId());
    return templateDef ? templateDef->GetFrameInset() : 0;
}

// Moves an outline of the window (less the frame inset at the right and at
// the bottom) with the cursor until the button comes up, then the window.
void dragOutline(HWND window, std::int32_t inset, POINT start)
{
    RECT original;
    ::plat::GetWindowRect(window, &original);
    HDC screen = GetDC(nullptr);
    RECT outline = original;
    outline.right -= inset;
    outline.bottom -= inset;
    if (screen)
        DrawFocusRect(screen, &outline);
    POINT travel{0, 0};
    bool released = false;
    {
        CaptureScope capture(window);
        MSG msg;
        while (capture.Held() && nextMessage(msg)) {
            if (!isMouseMessage(msg.message)) {
                dispatch(msg);
                continue;
            }
            if (msg.hwnd != window || (msg.message != WM_MOUSEMOVE && msg.message != WM_LBUTTONUP))
                continue;
            if (screen)
                DrawFocusRect(screen, &outline);  // off again
            travel = POINT{std::int16_t(msg.pt.x) - start.x, std::int16_t(msg.pt.y) - start.y};
            outline = RECT{original.left + travel.x, original.top + travel.y, original.right - inset + travel.x,
                           original.bottom - inset + travel.y};
            if (msg.message == WM_LBUTTONUP) {
                released = true;
                break;
            }
            if (screen)
                DrawFocusRect(screen, &outline);
        }
        // A drag that lost the capture takes its outline away and moves
        // nothing.
        if (!released && screen)
            DrawFocusRect(screen, &outline);
    }
    if (screen)
        ReleaseDC(nullptr, screen);
    if (released && (travel.x || travel.y) && IsWindow(window))
        SetWindowPos(window, HWND_NOTOPMOST, original.left + travel.x, original.top + travel.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
}

}  // namespace

LRESULT OnCaptionButtonDown(HWND window, WPARAM hit, LPARAM lParam)
{
    JxMainWindowInput& in = MainWindowInput();
    in.doubleClickSeen = false;
    JxCBaseProduct* product = GetProduct();
    if (product && (product->IsBusy() || product->IsChangingPage()))
        return 1;
    StopActiveObjects(0);
    if (IsProductWindow(window))
        return DefWindowProcA(window, WM_NCLBUTTONDOWN, hit, lParam);
    JxCPageObject* page = FindPageByWindow(window);
    if (!page || !product)
        return DefWindowProcA(window, WM_NCLBUTTONDOWN, hit, lParam);
    if (page->CanActivate()) {
        product->SetFocusPage(page);
        SetFocus(window);
    }
    if (!product->IsPageOpen(page))
        return 0;
    if (LRESULT(hit) == kHitCloseBox) {
        closeBoxClicked(window, page);
        return 0;
    }
    if (LRESULT(hit) != kHitCaption)
        return 0;
    if (panelsCancelDrag(*page) || !product->IsPageOpen(page))
        return 0;
    page->CanMove();
    const std::int32_t inset = frameInsetOf(*page);
    if (inset == 0)
        return DefWindowProcA(window, WM_NCLBUTTONDOWN, hit, lParam);
    dragOutline(window, inset, screenPointOf(lParam));
    return 0;
}

LRESULT OnCaptionButtonUp(HWND window, WPARAM hit, LPARAM lParam)
{
    JxMainWindowInput& in = MainWindowInput();
    if (in.doubleClickSeen) {
        in.doubleClickSeen = false;
        return 1;
    }
    JxCBaseProduct* product = GetProduct();
    if (product && (product->IsBusy() || product->IsChangingPage()))
        return 1;
    if (IsProductWindow(window))
        return DefWindowProcA(window, WM_NCLBUTTONUP, hit, lParam);
    if (LRESULT(hit) == kHitCloseBox)
        SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
}
