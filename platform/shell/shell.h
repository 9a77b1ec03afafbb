#pragma once
// Starting other programs and finding the program that opens a document.
//
// A command line is never handed to a shell. WinExec takes the program
// from the start of the line and gives it the rest of the line as one
// argument, so blanks, quotes, ";" or "$(...)" in an address reach the
// program as they are written. An argument that names an existing file
// (a Windows path) is given as that file's host path.
//
// The desktop opens web documents through "xdg-open". The engine asks
// FindExecutableA for the program of a web document and later checks that
// the program's file still exists, so it gets the Windows path of a small
// file in the Windows folder that stands for the desktop's opener; WinExec
// starts "xdg-open" from the host's search path for it.

#include <functional>
#include <string>
#include <vector>

#include "platform/core/types.h"

namespace plat {

// Results of FindExecutableA below 33.
constexpr UINT SE_ERR_FNF = 2;
constexpr UINT SE_ERR_PNF = 3;
constexpr UINT SE_ERR_NOASSOC = 31;
// WinExec: the program's file is not a program.
constexpr UINT ERROR_BAD_FORMAT = 11;

// Starts the program of the command line with show (ignored: the host's
// window manager places the program). Above 31 when it started; else 0
// (no memory, an empty line), ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND
// or ERROR_BAD_FORMAT. A program path holding blanks may be quoted; when
// it is not, the shortest prefix of the line that names an existing file
// is the program.
UINT WinExec(const char* commandLine, UINT show);

// The program that opens file: its Windows path in result (at least
// MAX_PATH bytes), and a value above 32. For a missing file SE_ERR_FNF or
// SE_ERR_PNF; for a file of no known kind SE_ERR_NOASSOC; result is then
// empty. Web documents (".htm", ".html", ".url" files, and http and https
// addresses, which name no file) are opened by the desktop's opener.
// directory, when given, is the folder a bare name is in.
HINSTANCE FindExecutableA(const char* file, const char* directory, char* result);

// The file's name without its folder. 0 on success; -1 for an empty name
// or one that ends in a separator; the size needed (with the terminator)
// when size is too small.
short GetFileTitleA(const char* file, char* buffer, WORD size);

// The program as the platform starts it: a host path, or a name looked up
// on the host's search path; and its arguments (without its own name).
struct ProgramLaunch {
    std::string program;
    bool searchPath = false;
    std::vector<std::string> arguments;
};
// Starts a program; false when it could not be started.
using ProgramLauncher = std::function<bool(const ProgramLaunch& launch)>;

// Test support: a launcher that records instead of starting; an empty
// function puts back the one that spawns. The previous one is returned.
ProgramLauncher SetProgramLauncher(ProgramLauncher launcher);
// Test support: blocks until every program the spawning launcher started
// has ended.
void WaitForStartedPrograms();

}  // namespace plat
