#pragma once
// The host folders the platform layer keeps its state in, and the program's
// own file. Everything the emulated Windows writes (the drive table, the
// Windows folder with its INI files, the registry hives) lives under one
// configuration folder, $XDG_CONFIG_HOME/kelbo (~/.config/kelbo without it).
// Tests point it at a temporary folder with SetConfigFolder.

#include <string>

namespace plat {

// Host path of the configuration folder, without a trailing slash.
std::string ConfigFolder();
// Replaces the configuration folder for the rest of the process (an empty
// path returns to the environment's). Drops every cached drive table and
// registry hive so that the next call reads the new folder.
void SetConfigFolder(const std::string& hostPath);

// Host path of the emulated Windows folder: ConfigFolder() + "/windows".
std::string WindowsFolderHost();

// Host path of the running program's file (the executable), and an
// override so that tests and tools can stand the program somewhere else.
// Without an override, the environment's KELBO_PROGRAM_FILE (a host path)
// stands the program there: a title's installed program file is run by our
// engine that way, and finds its INI file and "&" media beside it.
std::string ProgramFileHost();
// Host path of the executable itself, whatever stands in for it.
std::string ExecutableFileHost();
void SetProgramFileHost(const std::string& hostPath);
// Host folder of the program's file, without a trailing slash.
std::string ProgramFolderHost();

// Called by SetConfigFolder and SetProgramFileHost; the modules that cache
// state derived from these folders register here.
using FolderChangeListener = void (*)();
void AddFolderChangeListener(FolderChangeListener listener);

}  // namespace plat
