#include "runtime/JxCBaseApp.h"

#include "foundation/JxErrorReport.h"
#include "platform/window/window.h"
#include "runtime/JxCWindowClass.h"

namespace {

JxCBaseApp*& appSlot()
{
    static JxCBaseApp* app = nullptr;
    return app;
}

std::int32_t& idleCount()
{
    static std::int32_t count = 0;
    return count;
}

}  // namespace

JxCBaseApp::JxCBaseApp(std::int32_t priority) : priority_(priority)
{
    JxCBaseApp*& stored = appSlot();
    if (!stored || stored->priority_ < priority_)
        stored = this;
}

JxCBaseApp::~JxCBaseApp()
{
    // Nothing may keep reaching an application that is gone.
    if (appSlot() == this)
        appSlot() = nullptr;
}

std::int16_t JxCBaseApp::InitInstance(JxCStartupInfo& info)
{
    return RegisterWindowClasses(info);
}

std::int16_t JxCBaseApp::PumpMessage()
{
    plat::MSG& record = GetAppMessage();
    // Idle time goes to the application only while it asks for more; then
    // the pass blocks until a message comes, so a waiting program uses no
    // processor time.
    while (!plat::PeekMessageA(&record, nullptr, 0, 0, plat::PM_NOREMOVE)) {
        std::int32_t count = idleCount();
        idleCount() = static_cast<std::int32_t>(static_cast<std::uint32_t>(count) + 1u);
        if (!OnIdle(count))
            break;
    }
    if (!plat::GetMessageA(&record, nullptr, 0, 0))
        return 0;
    // The count restarts after every message except the wave-output
    // completions, so a playing sound does not restart the idle count.
    if (record.message != plat::MM_WOM_DONE)
        idleCount() = 0;
    TranslateMsg(record);
    DispatchMsg(record);
    return 1;
}

std::int16_t JxCBaseApp::OnIdle(std::int32_t)
{
    return 0;
}

plat::BOOL JxCBaseApp::TranslateMsg(const plat::MSG& msg)
{
    return plat::TranslateMessage(&msg);
}

plat::LRESULT JxCBaseApp::DispatchMsg(const plat::MSG& msg)
{
    return plat::DispatchMessageA(&msg);
}

JxCBaseApp* GetApp()
{
    return appSlot();
}

plat::MSG& GetAppMessage()
{
    static plat::MSG record{};
    return record;
}

std::int32_t GetIdleCount()
{
    return idleCount();
}

void ResetAppLoop()
{
    GetAppMessage() = plat::MSG{};
    idleCount() = 0;
}

int RunApplication(JxCBaseApp& app, JxCStartupInfo& info)
{
    static char empty[1] = {0};
    if (!info.commandLine)
        info.commandLine = empty;
    if (app.InitInstance(info)) {
        while (app.PumpMessage()) {
        }
    }
    app.ExitInstance();
    return static_cast<int>(GetAppMessage().wParam);
}

int WinMain(plat::HINSTANCE instance, plat::HINSTANCE previousInstance, char* commandLine, int)
{
    SetProgramStarted();
    // From here on failures are reported with the program's texts.
    ConnectErrorReporting();
    JxCStartupInfo info{instance, previousInstance, commandLine};
    JxCBaseApp* app = GetApp();
    if (!app)
        return 0;
    return RunApplication(*app, info);
}
