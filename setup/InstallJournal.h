#pragma once
// What one run of the installation made, so that a failed run can take it
// back: the folders it created, the files it wrote, the registry keys it
// created and the values and INI entries it set, each with what stood
// there before. Taking back runs in reverse order; what cannot be taken
// back (a file that replaced one of the user's, a removal that fails, a
// file or folder that is no longer the one the run made) is named for the
// final box.

#include <optional>
#include <string>
#include <vector>

#include "platform/core/types.h"
#include "setup/MadeEntry.h"

class InstallJournal {
public:
    // Windows paths, noted once the folder or file stands as the run leaves
    // it, so that it is known by its identity (MadeEntry). A file counts
    // only when it was not there before the run: one it replaced cannot be
    // brought back and is named instead.
    void FolderMade(const std::string& path);
    void FileWritten(const std::string& path, bool existedBefore);
    // A key of HKEY_LOCAL_MACHINE, before it is created or opened: the
    // levels of it that do not exist yet are the run's own.
    void BeforeRegistryKey(const std::string& subKey);
    // A value of a key of HKEY_LOCAL_MACHINE, before it is set.
    void BeforeRegistryValue(const std::string& subKey, const std::string& name);
    // An INI entry, before it is set (a bare file name: the Windows folder).
    void BeforeIniValue(const std::string& file, const std::string& section, const std::string& key);

    // Forgets the newest note: the write it was made for did not happen.
    void ForgetLast()
    {
        if (!steps_.empty())
            steps_.pop_back();
    }
    // Takes back everything noted, newest first, and forgets it. The
    // Windows paths and entries that could not be taken back.
    std::vector<std::string> TakeBack();
    // Forgets everything (a run that completed keeps what it made).
    void Clear() { steps_.clear(); }
    bool Empty() const { return steps_.empty(); }

private:
    enum class Kind { Folder, File, ReplacedFile, Key, Value, Ini };
    struct Step {
        Kind kind;
        std::string where;  // path, key, or INI file
        std::string name;   // value name, or INI section
        std::string key;    // INI key
        std::optional<std::string> before;  // value or entry that stood there (bytes)
        plat::DWORD type = 0;               // registry type of `before`
        std::optional<MadeEntry> made;      // the folder or file made
    };
    bool takeBack(const Step& step) const;

    std::vector<Step> steps_;
};

// The journal of the installation in progress.
InstallJournal& Journal();
