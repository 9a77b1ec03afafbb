#pragma once
// Modules as the engine loads them. A resource library "NAME.DLL" is the
// folder "NAME.resources" beside the program (see docs/resource-libraries.md);
// the program's own module is "PROGRAM.resources" for the program file
// PROGRAM. "VERSION.DLL" is built in and gives the version calls through
// GetProcAddress. Libraries that hold code on Windows and have no stand-in
// here (the input method's "WINNLS.DLL", the online launcher's
// "LAUNCH32.DLL") do not load, so the engine takes its roads for a library
// that is not present.

#include <map>
#include <string>
#include <vector>

#include "platform/core/types.h"

namespace plat {

using FARPROC = void (*)();

constexpr DWORD ERROR_MOD_NOT_FOUND = 126;
constexpr DWORD ERROR_PROC_NOT_FOUND = 127;

// A name without a dot gets ".DLL"; a name with a folder looks only there,
// a bare name in the module search folders. Loading a library twice gives
// the same handle and needs two FreeLibrary calls. Null with
// ERROR_MOD_NOT_FOUND when there is no such library.
HMODULE LoadLibraryA(const char* name);
BOOL FreeLibrary(HMODULE module);
// Null: the program's own module. Else a loaded library by name.
HMODULE GetModuleHandleA(const char* name);
// The module's file as a Windows path ("P:\KELBORES.DLL", the program's
// file for the program). The result is the length copied, cut to size - 1.
DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size);
// Resource libraries export nothing; only the built-in libraries do.
FARPROC GetProcAddress(HMODULE module, const char* name);

// The host folders searched for "NAME.resources" folders, in order. Empty
// (the default) means the program's folder.
void SetModuleSearchPath(std::vector<std::string> hostFolders);

// Test support: a library that LoadLibraryA finds by its base name
// ("LAUNCH32") when no resource library of that name exists, with these
// entry points for GetProcAddress. An empty map takes it away again (and
// with it any handle still given out).
void RegisterBuiltinLibrary(const std::string& baseName, std::map<std::string, FARPROC> exports);

}  // namespace plat
