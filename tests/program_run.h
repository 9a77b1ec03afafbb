#pragma once
// A whole run of the program on the sample title, as end-to-end tests and
// the start-up benchmark make it: the program's folder with its own
// resources and the title, the title's disc, and the process-wide state
// put back before and after each run, so that each starts as a fresh
// process would.

#include <filesystem>
#include <string>

#include "foundation/JxErrorHook.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxMemoryGuard.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "foundation/JxStringLoader.h"
#include "platform/backend/harness.h"
#include "platform/tests/temp_config.h"
#include "runtime/JxCBaseApp.h"
#include "runtime/JxMainWindowProc.h"
#include "testkit/sample_title.h"
#include "tests/title_disc.h"
#include "title/JxClassRegistrations.h"

// While it lives, the program's display-object classes are registered, so
// that a title written meanwhile numbers its objects as the program will
// read them (as the sample-title tool writes the sample).
struct ProgramClasses {
    ProgramClasses() { RegisterClasses(); }
    ~ProgramClasses() { UnregisterClasses(); }
    ProgramClasses(const ProgramClasses&) = delete;
    ProgramClasses& operator=(const ProgramClasses&) = delete;
};

// The program's folder holds the program's resources (from the source
// tree) and the sample title; it is also the data disc, a CD-ROM drive D:,
// where the title's pictures are looked for.
inline void InstallSampleTitle(const plat::testing::TempConfig& config)
{
    std::filesystem::copy(std::string(KELBO_SOURCE_DIR) + "/resources/kelbo32.resources",
                          config.program() + "/kelbo32.resources", std::filesystem::copy_options::recursive);
    {
        ProgramClasses classes;
        testkit::WriteSampleTitle(config.program());
    }
    WriteTitleDisc(config.config(), config.program());
}

inline void BeginProgramRun()
{
    ResetResourceLibraries();
    ResetStartupSettings();
    ResetErrorReporting();
    ResetMemoryGuard();
    ResetAppLoop();
    ResetMainWindowState();
}

inline void EndProgramRun()
{
    plat::SetResponder(nullptr);
    SetStringLoader({});
    SetErrorReporter({});
    ResetErrorReporting();
    ResetMemoryGuard();
    ResetStartupSettings();
    ResetResourceLibraries();
}
