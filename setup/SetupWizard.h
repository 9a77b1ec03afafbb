#pragma once
// The wizard: four modal pages run from the main window (welcome, terms of
// use, options, confirmation), and what the pages share.

#include <string>

#include "platform/core/types.h"

// What a page answers.
constexpr int kPageNext = 1;
constexpr int kPageBack = -1;
constexpr int kPageCancel = 0;

// Control ids the pages share.
constexpr int kNextButton = 1;
constexpr int kCancelButton = 2;
constexpr int kBackButton = 200;
constexpr int kFrameControl = 1005;
// The confirmation page's notice that the program needs more than 256
// colours, yellow on red.
constexpr int kNoticeLabel = 151;

// Runs the pages from the first; 1 when the last one was passed (and
// FinishSetup has run), 0 when the user cancelled, a page failed or could
// not be shown.
int RunWizard(plat::HWND mainWindow);

// The page on the screen, or null outside the wizard.
plat::HWND CurrentWizardPage();
// A request to close the program while the wizard runs (the host window's
// close box) is the page's Cancel: it asks first. False outside the wizard.
bool CancelWizardOnClose();

// A page's own part: set-up after the shared one, painting after the frame,
// and its commands (true when handled). The shared part gives colours,
// centres the page and asks before Cancel.
struct PageBehaviour {
    void (*init)(plat::HWND page) = nullptr;
    void (*paint)(plat::HWND page, plat::HDC hdc) = nullptr;
    bool (*command)(plat::HWND page, plat::WORD id, plat::WORD code) = nullptr;
};

// Ends the page with its result (through WM_CLOSE, as the close box does).
void ClosePage(plat::HWND page, int result);

// The pages' own parts (SetupPages.cpp, OptionsPage.cpp).
extern const PageBehaviour kWelcomePage;
extern const PageBehaviour kTermsPage;
extern const PageBehaviour kOptionsPage;
extern const PageBehaviour kConfirmPage;

// "C:\JX\" → "C:\JX", "C:\" stays, "\JX" → "C:\JX": no final "\" or ":"
// except on a drive root, and always a drive.
std::string NormalizeTargetPath(const std::string& path);
