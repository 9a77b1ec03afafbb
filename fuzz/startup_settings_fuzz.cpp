// The start-up settings over any INI files: the title's INI file beside the
// program, WIN.INI and "mmapp.ini" in the Windows folder (which may point at
// another copy, C:\TITLE\kelbo32.ini, the fourth file), read the way the
// program reads them at start-up. Files are separated by "%%" lines. Every
// key is read without harm; a message box (a log file that cannot be made)
// is answered Ignore, so nothing may end the program.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "foundation/JxErrorHook.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxProcessExit.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "foundation/JxStringLoader.h"
#include "fuzz_support.h"
#include "platform/backend/harness.h"
#include "platform/fs/folders.h"

namespace {

struct ProcessEnded {};

// Ignore where the box offers it, else the answer that goes on quietly.
std::optional<int> answer(const plat::UiRequest& request)
{
    for (int preferred : {5 /* Ignore */, 7 /* No */, 2 /* Cancel */, 1 /* OK */})
        for (int button : request.buttons)
            if (button == preferred)
                return button;
    // A box that lists no buttons is a plain OK box.
    if (request.buttons.empty())
        return 1;
    return request.buttons.front();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The headless desktop the boxes are shown on and answered through.
    static plat::Harness harness;
    const std::vector<std::string> files = fuzz::SplitInput(data, size, 4);
    plat::testing::TempConfig& folders = fuzz::Scratch();
    using plat::testing::TempConfig;
    TempConfig::writeFile(folders.program() + "/kelbo32", "");
    TempConfig::writeFile(folders.program() + "/kelbo32.resources/strings.txt",
                          "1\tkelbo32.ini\n4\tKelbo\n3013\tmmapp\n1268\tUncompressedDibs\n");
    TempConfig::writeFile(folders.program() + "/kelbo32.ini", files[0]);
    TempConfig::writeFile(plat::WindowsFolderHost() + "/WIN.INI", files[1]);
    TempConfig::writeFile(plat::WindowsFolderHost() + "/mmapp.ini", files[2]);
    TempConfig::writeFile(folders.config() + "/TITLE/kelbo32.ini", files[3]);

    ResetResourceLibraries();
    ResetStartupSettings();
    ResetErrorReporting();
    ConnectErrorReporting();
    SetProgramStarted();
    plat::Responder previousResponder = plat::SetResponder(&answer);
    JxExitHandler previousExit = SetExitHandler([](int) { throw ProcessEnded{}; });
    try {
        ReadSettings();
        if (!AreSettingsRead())
            std::abort();
        GetSettingInt("Other", 0);
        GetSettingIntById(1268, 0);
        GetDataPathString();
        GetUserPath();
    } catch (const ProcessEnded&) {
        std::abort();  // nothing here may end the program: Ignore was the answer
    }
    SetExitHandler(previousExit);
    plat::SetResponder(previousResponder);
    SetStringLoader({});
    SetErrorReporter({});
    ResetResourceLibraries();
    ResetStartupSettings();
    ResetErrorReporting();
    return 0;
}
