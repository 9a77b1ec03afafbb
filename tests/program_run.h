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
#include "testkit/installed_title.h"
#include "testkit/sample_title.h"
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

// The title as its users have it: the program's folder on drive C: (the
// test's root folder) holds what the installer put there, the program's
// resources among them, and an INI file that points the data path at the
// title's disc, a CD-ROM drive D: with its volume label, which holds the
// rest.
inline std::string DiscFolder(const plat::testing::TempConfig& config)
{
    return config.root() + "/disc";
}

// Moves what a title written into the program's folder keeps on its disc
// there, and writes the installation's INI file and the drive table.
inline void LayOutInstalledTitle(const plat::testing::TempConfig& config,
                                 const testkit::InstalledSettings& settings = {})
{
    testkit::MoveDataToDisc(config.program(), DiscFolder(config));
    const std::string ini = testkit::InstalledIni(settings);
    plat::testing::TempConfig::writeFile(config.program() + "/kelbo32.ini", ini);
    plat::testing::TempConfig::writeFile(config.config() + "/platform.ini",
                                         testkit::DriveSection('C', config.root(), "fixed") +
                                             testkit::DriveSection('D', DiscFolder(config), "cdrom", "KELBO"));
    plat::ReloadDriveTable();
}

inline void InstallSampleTitle(const plat::testing::TempConfig& config)
{
    std::filesystem::copy(std::string(KELBO_SOURCE_DIR) + "/resources/kelbo32.resources",
                          config.program() + "/kelbo32.resources", std::filesystem::copy_options::recursive);
    {
        ProgramClasses classes;
        testkit::WriteSampleTitle(config.program());
    }
    LayOutInstalledTitle(config);
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
