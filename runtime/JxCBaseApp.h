#pragma once
// The application object: the one object that runs the program. The entry
// function hands it the start-up information and calls its operations in a
// fixed order: initialise; one pump pass after another while the pump says
// go on; exit, also when initialisation failed. The program's exit code is
// the parameter of the quit message that ended the loop.

#include <cstdint>

#include "foundation/JxCObject.h"
#include "platform/core/types.h"

// What the entry function hands to InitInstance.
struct JxCStartupInfo {
    plat::HINSTANCE instance = nullptr;
    // Non-null would mean that another copy of the program runs; the
    // platform always passes null.
    plat::HINSTANCE previousInstance = nullptr;
    // Writable: start-up lower-cases it in place. Never null.
    char* commandLine = nullptr;
};

class JxCBaseApp : public JxCObject {
public:
    // The new object becomes the application unless one of greater or equal
    // priority is already stored (the first of equal priority wins).
    explicit JxCBaseApp(std::int32_t priority);
    ~JxCBaseApp() override;
    JxCBaseApp(const JxCBaseApp&) = delete;
    JxCBaseApp& operator=(const JxCBaseApp&) = delete;

    // Registers the window classes; their result.
    virtual std::int16_t InitInstance(JxCStartupInfo& info);
    virtual void ExitInstance() {}
    // One pass of the message loop: 1 after dispatching a message, 0 when
    // the quit message arrived.
    virtual std::int16_t PumpMessage();
    // Non-zero: call again while no message waits.
    virtual std::int16_t OnIdle(std::int32_t count);
    virtual plat::BOOL TranslateMsg(const plat::MSG& msg);
    virtual plat::LRESULT DispatchMsg(const plat::MSG& msg);

    std::int32_t GetPriority() const { return priority_; }

private:
    std::int32_t priority_;
};

// The stored application object.
JxCBaseApp* GetApp();

// The process-wide message record the pump fills, and the count of
// consecutive idle calls.
plat::MSG& GetAppMessage();
std::int32_t GetIdleCount();
// Test support: an empty message record and an idle count of 0.
void ResetAppLoop();

// The body of the entry function for a given application: initialise, pump
// until the quit message, exit; the quit message's parameter (0 when no
// message was ever taken).
int RunApplication(JxCBaseApp& app, JxCStartupInfo& info);

// The entry function: marks the program started, then runs the stored
// application. The show command is not used: the main window is always
// shown normally.
int WinMain(plat::HINSTANCE instance, plat::HINSTANCE previousInstance, char* commandLine, int showCommand);
