#include "setup/SetupWizard.h"

#include <array>
#include <string>

#include "platform/draw/draw.h"
#include "platform/ui/dialog.h"
#include "platform/ui/message_box.h"
#include "platform/window/window.h"
#include "setup/Installation.h"
#include "setup/PageKit.h"
#include "setup/SetupBoxes.h"
#include "setup/SetupState.h"

namespace {

constexpr int kNoResult = 2;  // the page was not shown at all

struct PageData {
    const PageBehaviour* behaviour = nullptr;
    OwnedBrush page;
    OwnedBrush frame;
    OwnedBrush edit;
    OwnedBrush notice;  // the red of the confirmation page's colour notice
    int* result = nullptr;
};

plat::HWND& currentPage()
{
    static plat::HWND page = nullptr;
    return page;
}

PageData* pageData(plat::HWND page)
{
    return reinterpret_cast<PageData*>(plat::GetWindowLongPtrA(page, plat::DWL_USER));
}

plat::LRESULT pageColours(plat::HWND page, plat::UINT msg, plat::WPARAM wParam, plat::LPARAM lParam)
{
    PageData* d = pageData(page);
    if (!d)
        return 0;
    const SetupColours& c = Setup().colours;
    auto hdc = reinterpret_cast<plat::HDC>(wParam);
    auto control = reinterpret_cast<plat::HWND>(lParam);
    if (msg == plat::WM_CTLCOLOREDIT)
        return plat::LRESULT(CtlColorBrush(hdc, control, page, d->edit.get(), c.edit));
    if (plat::GetDlgCtrlID(control) == kNoticeLabel && d->behaviour == &kConfirmPage) {
        plat::SetTextColor(hdc, plat::RGB(255, 255, 0));
        return plat::LRESULT(CtlColorBrush(hdc, control, page, d->notice.get(), plat::RGB(255, 0, 0)));
    }
    return plat::LRESULT(CtlColorBrush(hdc, control, page, d->page.get(), c.page));
}

void paintPage(plat::HWND page, PageData& d)
{
    plat::PAINTSTRUCT ps;
    plat::HDC hdc = plat::BeginPaint(page, &ps);
    if (plat::HWND frame = plat::GetDlgItem(page, kFrameControl)) {
        plat::RECT r;
        plat::GetWindowRect(frame, &r);
        ScreenRectToClient(page, &r);
        plat::FillRect(hdc, &r, d.frame.get());
    }
    if (d.behaviour->paint)
        d.behaviour->paint(page, hdc);
    plat::EndPaint(page, &ps);
}

plat::LRESULT PageProc(plat::HWND page, plat::UINT msg, plat::WPARAM wParam, plat::LPARAM lParam)
{
    PageData* d = pageData(page);
    switch (msg) {
    case plat::WM_INITDIALOG: {
        plat::SetWindowLongPtrA(page, plat::DWL_USER, lParam);
        currentPage() = page;
        d = pageData(page);
        const SetupColours& c = Setup().colours;
        d->page = OwnedBrush(c.page);
        d->frame = OwnedBrush(c.frame);
        d->edit = OwnedBrush(c.edit);
        d->notice = OwnedBrush(plat::RGB(255, 0, 0));
        CentreOverWindow(page, Setup().mainWindow);
        if (d->behaviour->init)
            d->behaviour->init(page);
        // Enter goes on to the next page, whatever control comes first.
        plat::SetFocus(plat::GetDlgItem(page, kNextButton));
        return 0;
    }
    case plat::WM_PAINT:
        if (!d)
            return 0;
        paintPage(page, *d);
        return 1;
    case plat::WM_CLOSE:
        if (d)
            *d->result = int(plat::LONG_PTR(wParam));
        plat::EndDialog(page, plat::LRESULT(plat::LONG_PTR(wParam)));
        return 1;
    case plat::WM_SYSCOMMAND:
        // The system's close (Alt+F4) is the Cancel button: it asks first.
        if ((wParam & 0xFFF0) == plat::SC_CLOSE) {
            plat::SendMessageA(page, plat::WM_COMMAND, kCancelButton, 0);
            return 1;
        }
        return 0;
    case plat::WM_COMMAND: {
        plat::WORD id = plat::LOWORD(wParam), code = plat::HIWORD(wParam);
        // Cancel (a button, Alt+F4 or the close box) waits while the
        // installation runs.
        if (id == kCancelButton && Setup().installing)
            return 1;
        if (d && d->behaviour->command && d->behaviour->command(page, id, code))
            return 1;
        if (id == kCancelButton) {
            if (AskExitInstall(page))
                ClosePage(page, kPageCancel);
            return 1;
        }
        return 0;
    }
    default:
        if (msg >= plat::WM_CTLCOLORMSGBOX && msg <= plat::WM_CTLCOLORSTATIC)
            return pageColours(page, msg, wParam, lParam);
        return 0;
    }
}

// One page; its result, or kPageCancel when it could not be shown.
int runPage(plat::HWND mainWindow, const char* templateName, const PageBehaviour& behaviour)
{
    int result = kNoResult;
    PageData data;
    data.behaviour = &behaviour;
    data.result = &result;
    plat::LRESULT r = plat::DialogBoxParamA(nullptr, templateName, mainWindow, &PageProc, plat::LPARAM(&data));
    currentPage() = nullptr;
    // -1 is both "back" and "no dialog": only the page itself says back.
    if (result == kNoResult)
        return r == kPageNext ? kPageNext : kPageCancel;
    return result;
}

}  // namespace

plat::HWND CurrentWizardPage() { return currentPage(); }

bool CancelWizardOnClose()
{
    plat::HWND page = currentPage();
    if (!page)
        return false;
    // While the installation runs the request waits for it: the wizard
    // ends by itself once the copy is done.
    if (Setup().installing) {
        plat::MessageBeep(plat::MB_OK);
        return true;
    }
    // A box over the page (the exit question itself) already waits for an
    // answer; the page's Cancel comes when it is free again.
    if (plat::IsWindowEnabled(page))
        plat::PostMessageA(page, plat::WM_COMMAND, kCancelButton, 0);
    return true;
}

void ClosePage(plat::HWND page, int result)
{
    plat::SendMessageA(page, plat::WM_CLOSE, plat::WPARAM(plat::LONG_PTR(result)), 0);
}

int RunWizard(plat::HWND mainWindow)
{
    struct Page {
        const char* templateName;
        const PageBehaviour* behaviour;
    };
    const std::array<Page, 4> pages = {{
        {"DIALOG1", &kWelcomePage},
        {"DIALOG2", &kTermsPage},
        {"DIALOG3", &kOptionsPage},
        {"DIALOG4", &kConfirmPage},
    }};
    int index = 0;
    while (index < int(pages.size())) {
        int result = runPage(mainWindow, pages[index].templateName, *pages[index].behaviour);
        if (result == kPageCancel)
            return 0;
        index = result == kPageBack ? std::max(0, index - 1) : index + 1;
    }
    FinishSetup(mainWindow);
    return 1;
}

std::string NormalizeTargetPath(const std::string& path)
{
    std::string p = path;
    bool hasDrive = p.size() >= 2 && p[1] == ':';
    if (!hasDrive)
        p = (!p.empty() && p[0] == '\\') ? "C:" + p : "C:\\" + p;
    bool driveRoot = p.size() <= 3;
    if (!driveRoot && (p.back() == '\\' || p.back() == ':'))
        p.pop_back();
    return p;
}
