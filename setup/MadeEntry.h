#pragma once
// A file or folder the installation made, known by what it is rather than
// by its name: the folder it was made in (its host path with every link
// resolved), its name there, and its device and inode. Taking it back
// reaches it through no link, so that a link put in place of one of the
// run's folders while it ran (by another process of the user's) never
// leads the removal outside the target.

#include <sys/types.h>

#include <optional>
#include <string>

struct MadeEntry {
    std::string folder;  // host path, no links in it when the entry was made
    std::string name;
    dev_t device = 0;
    ino_t inode = 0;
    bool isFolder = false;

    // The file or folder that the Windows path names now; nothing when
    // there is none, or what stands there is a link or something else.
    static std::optional<MadeEntry> Find(const std::string& windowsPath);
    // Removes it when it still stands where it was made, itself, reached
    // without following a link (a folder only when empty). True when it is
    // gone from there: removed now, or no longer there.
    bool Remove() const;
};
