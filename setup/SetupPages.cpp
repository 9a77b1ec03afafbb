// The welcome, terms-of-use and confirmation pages of the wizard.

#include <string>

#include "platform/draw/draw.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/window/window.h"
#include "setup/GreekText.h"
#include "setup/Installation.h"
#include "setup/PageKit.h"
#include "setup/SetupBoxes.h"
#include "setup/SetupState.h"
#include "setup/SetupText.h"
#include "setup/SetupWizard.h"

namespace {

constexpr int kPublisherLogo = 201, kMakerLogo = 202, kFunderLogo1 = 203, kFunderLogo2 = 204;
constexpr int kPagePicture = 1013;
constexpr int kTextControl = 100;
constexpr int kQuickTimeLine = 150, kColourNotice = kNoticeLabel;

void paintLogos(plat::HWND page, plat::HDC hdc)
{
    DrawBitmapAtControl(page, hdc, "pova", kPublisherLogo, false);
    DrawBitmapAtControl(page, hdc, "morvik", kMakerLogo, false);
}

// --- Welcome ---

void paintWelcome(plat::HWND page, plat::HDC hdc)
{
    DrawBitmapAtControl(page, hdc, "pova", kPublisherLogo, true);
    DrawBitmapAtControl(page, hdc, "qen", kFunderLogo1, true);
    DrawBitmapAtControl(page, hdc, "talem", kFunderLogo2, true);
    DrawBitmapAtControl(page, hdc, "morvik", kMakerLogo, false);
    DrawBitmapAtControl(page, hdc, "install", kPagePicture, false);
}

bool welcomeCommand(plat::HWND page, plat::WORD id, plat::WORD)
{
    if (id != kNextButton)
        return false;
    ClosePage(page, kPageNext);
    return true;
}

// --- Terms of use ---

void initTerms(plat::HWND page)
{
    std::string terms = ConvertGreekText(LoadText(144) + "\r\n\r\n" + LoadText(145));
    plat::SetDlgItemTextA(page, kTextControl, terms.c_str());
}

void paintTerms(plat::HWND page, plat::HDC hdc)
{
    paintLogos(page, hdc);
    DrawBitmapAtControl(page, hdc, "deal", kPagePicture, false);
}

bool nextOrBack(plat::HWND page, plat::WORD id)
{
    if (id == kNextButton || id == kBackButton) {
        ClosePage(page, id == kNextButton ? kPageNext : kPageBack);
        return true;
    }
    return false;
}

bool termsCommand(plat::HWND page, plat::WORD id, plat::WORD) { return nextOrBack(page, id); }

// --- Confirmation ---

void initConfirm(plat::HWND page)
{
    const SetupState& s = Setup();
    plat::SetDlgItemTextA(page, kTextControl, s.targetFolder.c_str());
    ShowDlgItem(page, kQuickTimeLine, s.installQuickTime);
    ShowDlgItem(page, kColourNotice, s.hasColourTable);
}

// The installation, during which Cancel and the close box wait.
int installNow(plat::HWND page)
{
    Setup().installing = true;
    int done = InstallProgram(page);
    Setup().installing = false;
    return done;
}

void confirmNext(plat::HWND page)
{
    for (int id : {kNextButton, kCancelButton, kBackButton})
        plat::EnableWindow(plat::GetDlgItem(page, id), 0);
    if (Setup().installProgram && !installNow(page)) {
        ShowErrorBox(page, LoadText(106) + "\nstatus=15");
        Setup().failed = true;
        FinishSetup(page);
        ClosePage(page, kPageCancel);
        return;
    }
    ClosePage(page, kPageNext);
}

bool confirmCommand(plat::HWND page, plat::WORD id, plat::WORD)
{
    if (id == kNextButton) {
        confirmNext(page);
        return true;
    }
    if (id == kCancelButton) {
        if (AskExitInstall(page)) {
            FinishSetup(page);
            ClosePage(page, kPageCancel);
        }
        return true;
    }
    return nextOrBack(page, id);
}

}  // namespace

const PageBehaviour kWelcomePage{nullptr, &paintWelcome, &welcomeCommand};
const PageBehaviour kTermsPage{&initTerms, &paintTerms, &termsCommand};
const PageBehaviour kConfirmPage{&initConfirm, &paintLogos, &confirmCommand};
