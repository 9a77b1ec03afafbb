#pragma once
// Libraries of the program's own that it loads when first needed (the
// FFmpeg movie library, the FreeType font library): each links what would
// otherwise make every start-up load many shared libraries, and hands the
// platform one table of functions through one exported entry function
// `const TABLE* ENTRY()`. They lie beside the program; a program or test run
// from the build finds them where the build put them.

#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace plat {

// Where to look for a library file: beside the program, then where the
// build put it (builtPath, may be null).
std::vector<std::string> ProgramLibraryPlaces(const std::string& file, const char* builtPath);

// An opened library and the address of its entry function; both null when
// the file cannot be loaded or lacks the entry, and then `why` (may be
// null) says why.
struct OpenedLibrary {
    void* handle = nullptr;
    void* entry = nullptr;
};
OpenedLibrary OpenProgramLibrary(const std::string& path, const char* entry, std::string* why);
void CloseProgramLibrary(const OpenedLibrary& library);

// The table of the first of the places whose library loads and whose table
// `usable` takes; null when none does. A library taken stays loaded for the
// rest of the run: what it made may live until the end.
template <class Table>
const Table* LoadProgramLibrary(const std::vector<std::string>& places, const char* entry,
                                bool (*usable)(const Table&), std::string* why)
{
    for (const std::string& path : places) {
        const OpenedLibrary library = OpenProgramLibrary(path, entry, why);
        if (!library.handle)
            continue;
        const Table* table = reinterpret_cast<const Table* (*)()>(library.entry)();
        if (table && usable(*table))
            return table;
        CloseProgramLibrary(library);
        if (why)
            *why = path + ": not the library this program was built with";
    }
    return nullptr;
}

// One such library, loaded at the first call of get() and then known for
// the rest of the run (or until a test gives another path).
template <class Table>
class LazyProgramLibrary {
public:
    // missing (may be null) hears once why the library cannot be had.
    LazyProgramLibrary(const char* file, const char* entry, const char* builtPath, bool (*usable)(const Table&),
                       void (*missing)(const std::string& why) = nullptr)
        : file_(file), entry_(entry), builtPath_(builtPath), usable_(usable), missing_(missing)
    {
    }

    const Table* get()
    {
        std::lock_guard lock(mutex_);
        if (tried_)
            return table_;
        tried_ = true;
        const std::vector<std::string> places =
            path_ ? std::vector<std::string>{*path_} : ProgramLibraryPlaces(file_, builtPath_);
        std::string why;
        table_ = LoadProgramLibrary(places, entry_, usable_, &why);
        if (!table_ && missing_)
            missing_(why);
        return table_;
    }

    // Tests: the file to load instead (an empty one is missing); nullopt
    // puts the usual places back. The next get() looks again.
    void setPath(std::optional<std::string> path)
    {
        std::lock_guard lock(mutex_);
        tried_ = false;
        table_ = nullptr;
        path_ = std::move(path);
    }

private:
    const char* file_;
    const char* entry_;
    const char* builtPath_;
    bool (*usable_)(const Table&);
    void (*missing_)(const std::string& why);
    std::mutex mutex_;
    bool tried_ = false;
    const Table* table_ = nullptr;
    std::optional<std::string> path_;
};

}  // namespace plat
