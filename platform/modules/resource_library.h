#pragma once
// A module's contents: a resource library folder read into memory, the
// program's own module, or one of the built-in libraries. The module calls
// (module.h, resources.h, version.h) work on these.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/types.h"
#include "platform/modules/module.h"
#include "platform/modules/resources.h"

namespace plat {

struct ResourceEntry {
    std::string typeKey;   // "#6" for an id, else the lower-case name
    std::string nameKey;
    std::string hostFile;  // empty for a string block or the version block
    int stringBlock = 0;   // for RT_STRING: the block number (id / 16 + 1)
    std::optional<std::string> data;  // loaded on first use
};

struct VersionInfo {
    std::vector<std::pair<WORD, WORD>> translations;  // language id, code page
    // Texts of each string table, by its "llllcccc" key (lower case).
    std::map<std::string, std::vector<std::pair<std::string, std::string>>> tables;
    bool present = false;
};

struct Module {
    enum class Kind { Program, Library, Builtin };
    Kind kind = Kind::Library;
    std::string baseName;      // "kelbores", "kelbo32", "VERSION"
    std::string hostFolder;    // the .resources folder (may not exist for the program)
    std::string windowsFile;   // what GetModuleFileName gives
    int references = 1;
    int codePage = 1252;
    WORD language = 0x0409;
    std::map<UINT, std::string> strings;  // bytes of codePage
    VersionInfo version;
    std::vector<std::unique_ptr<ResourceEntry>> entries;  // found so far
    std::map<std::string, FARPROC> exports;               // built-in libraries only

    // Reads a resource folder (module.ini and strings.txt; the rest on
    // demand). A missing folder gives a module without resources.
    static std::unique_ptr<Module> Open(Kind kind, const std::string& baseName, const std::string& hostFolder);

    ResourceEntry* Find(const char* name, const char* type);
    // The bytes of an entry, read on first use; null when unreadable.
    const std::string* Data(ResourceEntry& entry);
    // The version block in the form GetFileVersionInfo hands out.
    std::string VersionBlock() const;
};

// "#6" for ids (and "#N" names), the lower-case text otherwise.
std::string ResourceKey(const char* nameOrId);

}  // namespace plat
