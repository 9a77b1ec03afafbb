// The installer's script ("setup.inf" on the medium) on arbitrary text:
// the start state it sets (the switches "diskettes", "test", "spaceneed"),
// the [EXES] and [DLLS] lists walked up to their first missing "fileN"
// (names that would leave their folder refused, missing files reported,
// the files the medium holds copied into a scratch target), the driver
// names of [NAMES] and the product's registry values. Every question is
// answered with its last button; nothing is written outside the scratch
// folders, and the target is emptied after each input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "fuzz_support.h"
#include "platform/backend/harness.h"
#include "platform/fs/drives.h"
#include "platform/config/registry.h"
#include "setup/DesktopEntries.h"
#include "setup/Installation.h"
#include "setup/SetupRegistry.h"
#include "setup/SetupStartup.h"
#include "setup/SetupState.h"

namespace {

struct World {
    plat::Harness harness;
    std::string medium, target, menus;
    World()
    {
        plat::testing::TempConfig& scratch = fuzz::Scratch();
        medium = scratch.root() + "/medium";
        target = scratch.config() + "/TARGET";
        // The desktop's menu and the engine its entries start, in the
        // scratch folders.
        menus = scratch.root() + "/data";
        ::setenv("XDG_DATA_HOME", menus.c_str(), 1);
        SetEngineProgramHost(scratch.program() + "/kelbo32");
        // The medium on D:, with a program, a plain and a driver file.
        for (const char* name : {"KELBO32.EXE", "README.TXT", "CODEC.ACM", "DVA.386"})
            plat::testing::TempConfig::writeFile(medium + "/SETUP/" + name, std::string(name) + " bytes");
        scratch.writeDriveTable("[Drive D]\nPath=" + medium + "\nType=cdrom\nLabel=KELBO\n");
        plat::SetResponder([](const plat::UiRequest& r) -> std::optional<int> {
            return r.buttons.empty() ? 1 : r.buttons.back();
        });
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static World world;
    plat::testing::TempConfig::writeFile(world.medium + "/SETUP/setup.inf",
                                         std::string(reinterpret_cast<const char*>(data), size));
    std::filesystem::create_directories(world.target + "/SYSTEM");
    ResetSetup();
    if (ReadStartState(nullptr, "D:\\SETUP") == StartResult::Ready) {
        Setup().targetFolder = "C:\\TARGET";
        CopyListedFiles(nullptr, "EXES", "D:\\SETUP", "C:\\TARGET", 29);
        CopyListedDlls(nullptr, "DLLS", "D:\\SETUP", "C:\\TARGET\\SYSTEM", 121);
        int dataWritten = 0;
        WriteProductRegistry(nullptr, &dataWritten);
        CreateShortcuts();
    }
    // What the input wrote goes, so that no input finds another's files,
    // driver entries or shared-file counts.
    std::error_code ignored;
    std::filesystem::remove_all(world.target, ignored);
    std::filesystem::remove_all(world.menus, ignored);
    std::filesystem::remove(fuzz::Scratch().config() + "/windows/system.ini", ignored);
    std::filesystem::remove_all(fuzz::Scratch().config() + "/registry", ignored);
    plat::ReloadRegistry();
    ResetSetup();
    return 0;
}
