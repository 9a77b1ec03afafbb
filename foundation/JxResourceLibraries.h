#pragma once
// The program's instance handle and its resource libraries: the main
// library "kelbores", the per-country library and the program's own module.
// Every resource look-up (strings, bitmaps, icons, cursors, dialog
// templates) tries the loaded libraries, the most recently loaded first, and
// the program's own module last.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "foundation/JxCString.h"
#include "platform/core/types.h"
#include "platform/modules/resources.h"

// What a resource search found: the resource and the module that holds it.
// Callers test the resource before they load anything.
class JxCResourceLocator {
public:
    JxCResourceLocator() = default;
    JxCResourceLocator(plat::HRSRC resource, plat::HMODULE module) : resource_(resource), module_(module) {}
    plat::HRSRC GetResource() const { return resource_; }
    plat::HMODULE GetModule() const { return module_; }

private:
    plat::HRSRC resource_ = nullptr;
    plat::HMODULE module_ = nullptr;
};

// The program's own module, taken once.
plat::HMODULE GetInstanceHandle();

// The name of the main library.
constexpr const char* kMainResourceLibraryName = "kelbores";
// String ids of the library names.
constexpr unsigned kCountryLibraryNameId = 5408;

// Loads "kelbores" once and appends it to the list.
void LoadMainResourceLibrary();
// Loads the per-country library once per run (string 5408 names it, the
// setting "Country" adds a two-letter suffix) and appends it to the list,
// so that it is searched before the main library. Null when there is none.
plat::HMODULE LoadCountryResourceLibrary();
// The loaded libraries in load order.
const std::vector<plat::HMODULE>& GetResourceLibraryList();

JxCResourceLocator FindResourceInLibraries(const char* nameOrId, const char* type);

// Copies string id into buffer (cut to size - 1 bytes) and returns the bytes
// copied; 0 when no module has a text for it. The libraries are asked
// newest first, then the program's own module; a library that holds the
// id's string block but no text for the id passes the question on.
int LoadStringFromLibraries(unsigned id, char* buffer, int size);
// The whole text of string id, or none.
std::optional<std::string> LoadStringFromLibraries(unsigned id);

// With fromLibraries 0, the system icon or cursor of that id; otherwise the
// one found in the libraries (null when none has it).
plat::HICON LoadIconFromLibraries(int fromLibraries, const char* id);
plat::HCURSOR LoadCursorFromLibraries(int fromLibraries, const char* id);

// The program file's folder as a Windows path, ending after its last colon
// or backslash ("P:\"); empty when the name cannot be read.
JxCString GetModuleFolder();
// The program folder, ending in a backslash; taken from GetModuleFolder on
// first use.
JxCString GetProgramFolderString();
// A non-empty path gets a trailing backslash; when that folder exists it
// becomes the program folder. Otherwise message 1178 with the path, false.
bool SetProgramFolder(const char* path);

// The platform id of GetVersionExA (1 when the call fails), asked once.
std::uint32_t GetPlatformId();
bool IsWin32s();

// Installs the libraries' look-up as the strings' text loader.
void ConnectStringLoader();

// Test support: forgets the loaded libraries, the instance handle, the
// program folder and the platform id, so that the next call starts again;
// and a platform id to report instead of the platform's.
void ResetResourceLibraries();
void OverridePlatformId(std::optional<std::uint32_t> id);
