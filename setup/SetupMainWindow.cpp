#include "setup/SetupMainWindow.h"

#include <cstdio>
#include <vector>

#include "platform/core/codepage.h"
#include "platform/draw/draw.h"
#include "platform/modules/module.h"
#include "platform/ui/icons.h"
#include "platform/ui/message_box.h"
#include "platform/window/cursor.h"
#include "platform/window/window.h"
#include "setup/GreekText.h"
#include "setup/Installation.h"
#include "setup/PageKit.h"
#include "setup/SetupStartup.h"
#include "setup/SetupState.h"
#include "setup/SetupText.h"
#include "setup/SetupWizard.h"
#include "setup/StatusWindow.h"

namespace {

constexpr plat::WORD kDestroyCommand = 102;
constexpr plat::UINT kLeftoversText = 149;

struct MainWindowState {
    std::string installerFolder;
    bool wizardCompleted = false;
    plat::HBRUSH background = nullptr;
    plat::HBRUSH statusBackground = nullptr;
};

MainWindowState& mainState()
{
    static MainWindowState s;
    return s;
}

void paintTitle(plat::HWND window)
{
    plat::PAINTSTRUCT ps;
    plat::HDC hdc = plat::BeginPaint(window, &ps);
    plat::SIZE size{};
    if (BitmapResourceSize("title", &size)) {
        plat::RECT client;
        plat::GetClientRect(window, &client);
        DrawBitmapResource(hdc, "title", (client.right - size.cx) / 2, plat::GetSystemMetrics(plat::SM_CYICON));
    }
    plat::EndPaint(window, &ps);
}

void showClosingBox(plat::HWND window, plat::WPARAM how)
{
    // Only a wizard that ran to its end reports a finished installation;
    // any other close (a refused user, Alt+F4) did not install.
    bool completed = how == kCloseCompleted && mainState().wizardCompleted;
    std::string text = ConvertGreekText(LoadText(completed ? 108 : 109));
    // What a failed run could not take back, by name (paths as they are).
    const std::vector<std::string>& left = Setup().leftovers;
    if (!completed && !left.empty()) {
        text += "\n\n" + ConvertGreekText(LoadText(kLeftoversText));
        for (const std::string& name : left)
            text += "\n" + name;
    }
    std::string caption = ConvertGreekText(Setup().productTitle);
    plat::MessageBoxA(window, text.c_str(), caption.c_str(),
                      plat::MB_OK | (completed ? plat::MB_ICONINFORMATION : plat::MB_ICONEXCLAMATION));
}

}  // namespace

plat::LRESULT MainWndProc(plat::HWND window, plat::UINT msg, plat::WPARAM wParam, plat::LPARAM lParam)
{
    switch (msg) {
    case plat::WM_CREATE:
        Setup().mainWindow = window;
        switch (ReadStartState(window, mainState().installerFolder)) {
        case StartResult::Ready:
            plat::PostMessageA(window, kRunWizardMessage, 0, 0);
            break;
        case StartResult::ScriptRefused:
            // Nothing was asked and nothing written: the program ends.
            Setup().failed = true;
            plat::PostMessageA(window, plat::WM_COMMAND, kDestroyCommand, 0);
            break;
        case StartResult::NotAdministrator:
            break;
        }
        return 0;
    case kRunWizardMessage:
        Setup().productTitle = LoadText(120);
        if (RunWizard(window)) {
            mainState().wizardCompleted = true;
            plat::SendMessageA(window, plat::WM_CLOSE, kCloseCompleted, 0);
        } else {
            Setup().installQuickTime = false;
            plat::SendMessageA(window, plat::WM_CLOSE, kCloseCancelled, 0);
        }
        return 0;
    case plat::WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == plat::SC_CLOSE && CancelWizardOnClose())
            return 0;
        break;
    case plat::WM_CLOSE:
        // The window does not go while the installation runs under it.
        if (Setup().installing)
            return 0;
        showClosingBox(window, wParam);
        break;
    case plat::WM_PAINT:
        paintTitle(window);
        return 0;
    case plat::WM_COMMAND:
        if (plat::LOWORD(wParam) == kDestroyCommand) {
            plat::DestroyWindow(window);
            return 0;
        }
        break;
    case plat::WM_DESTROY:
        EndInstallation();
        Setup().mainWindow = nullptr;
        plat::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return plat::DefWindowProcA(window, msg, wParam, lParam);
}

bool RegisterSetupClasses()
{
    MainWindowState& s = mainState();
    s.background = plat::CreateSolidBrush(plat::RGB(0, 0, 128));
    s.statusBackground = plat::CreateSolidBrush(plat::RGB(192, 192, 192));

    plat::WNDCLASSA main;
    main.style = plat::CS_HREDRAW | plat::CS_VREDRAW;
    main.lpfnWndProc = &MainWndProc;
    main.hIcon = plat::LoadIconA(plat::GetModuleHandleA(nullptr), "MyIcon");
    main.hCursor = plat::LoadCursorA(nullptr, plat::IDC_ARROW);
    main.hbrBackground = s.background;
    main.lpszClassName = kMainClassName;

    plat::WNDCLASSA status;
    status.style = plat::CS_HREDRAW | plat::CS_VREDRAW;
    status.lpfnWndProc = &StatusWndProc;
    status.cbWndExtra = sizeof(void*);
    status.hIcon = plat::LoadIconA(plat::GetModuleHandleA(nullptr), "AMyIcon");
    status.hCursor = plat::LoadCursorA(nullptr, plat::IDC_WAIT);
    status.hbrBackground = s.statusBackground;
    status.lpszClassName = kStatusClassName;
    return plat::RegisterClassA(main) != 0 && plat::RegisterClassA(status) != 0;
}

void UnregisterSetupClasses()
{
    plat::UnregisterClassA(kMainClassName, nullptr);
    plat::UnregisterClassA(kStatusClassName, nullptr);
    MainWindowState& s = mainState();
    for (plat::HBRUSH* b : {&s.background, &s.statusBackground}) {
        if (*b)
            plat::DeleteObject(*b);
        *b = nullptr;
    }
}

int RunSetup(const std::string& commandLine)
{
    // The installer is a Greek program: Windows Greek for its windows, the
    // Greek DOS page for its stored texts.
    plat::SetACP(1253);
    mainState() = MainWindowState{};
    // However it ends, a later run, or a main window made on its own, finds
    // nothing of this one.
    struct Forget {
        ~Forget() { mainState() = MainWindowState{}; }
    } forget;
    mainState().installerFolder = FindInstallerFolder(commandLine);
    if (mainState().installerFolder.empty()) {
        std::fprintf(stderr,
                     "setup: the folder \"%s\" is on no drive; map it as a drive in platform.ini "
                     "(see docs/platform-configuration.md)\n",
                     commandLine.c_str());
        return 1;
    }
    SetDefaultTarget();
    if (!RegisterSetupClasses()) {
        UnregisterSetupClasses();
        return 0;
    }
    int exitCode = 0;
    plat::HWND window = plat::CreateWindowExA(0, kMainClassName, "Set up utility",
                                              plat::WS_POPUP | plat::WS_CLIPCHILDREN, 0, 0,
                                              plat::GetSystemMetrics(plat::SM_CXSCREEN),
                                              plat::GetSystemMetrics(plat::SM_CYSCREEN), nullptr, nullptr,
                                              nullptr, nullptr);
    if (window) {
        plat::ShowWindow(window, plat::SW_SHOWMAXIMIZED);
        plat::UpdateWindow(window);
        plat::MSG msg;
        while (plat::GetMessageA(&msg, nullptr, 0, 0) > 0) {
            plat::TranslateMessage(&msg);
            plat::DispatchMessageA(&msg);
        }
        exitCode = int(msg.wParam);
    }
    UnregisterSetupClasses();
    return exitCode;
}
