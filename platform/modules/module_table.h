#pragma once
// The process's modules, shared by the module, resource and version calls.

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/modules/resource_library.h"

namespace plat {

struct ModuleTable {
    std::mutex mutex;
    std::vector<std::unique_ptr<Module>> all;  // every live module
    std::map<std::string, Module*> byFolder;   // loaded libraries by host folder
    Module* program = nullptr;
    std::vector<std::string> searchPath;
    std::map<std::string, std::map<std::string, FARPROC>> registered;  // built-ins tests add
    bool listening = false;
};

ModuleTable& Modules();
// These expect Modules().mutex to be held.
bool IsLiveModuleLocked(HMODULE module);
Module* ProgramModuleLocked();
// The .resources folder a library name stands for (empty when none), and
// the library's base name.
std::string FindResourceFolder(const std::string& windowsName, std::string& base);

}  // namespace plat
