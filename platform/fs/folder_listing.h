#pragma once
// The names in host folders. A folder on a read-only disc (a cdrom drive)
// is listed once: its listing is kept and given again while the folder is
// the one it was and unchanged since, which one stat tells at a fraction
// of the cost of reading every name again (looking a picture up tries two
// or three names, each a listing of its folder). A folder changed within
// the last seconds is listed afresh every time: a second change within the
// file system's time step would not show in its times. Other folders are
// listed whenever asked, since the program may change them itself.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace plat {

// One state of a folder: which folder it is, and when its entries last
// changed (a change of its times by hand changes the change time).
struct FolderStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t modified = 0;  // nanoseconds since 1970
    std::int64_t changed = 0;
    friend bool operator==(const FolderStamp&, const FolderStamp&) = default;
};

class FolderListing {
public:
    // A listing that is looked up often (keyed) keeps its names by their
    // case-blind form.
    FolderListing(std::vector<std::string> names, bool keyed);

    // Every name but "." and "..", in byte order.
    const std::vector<std::string>& names() const { return names_; }
    // The first name in byte order that matches without regard to case
    // (HostNamesMatch), or null.
    const std::string* find(std::string_view name) const;

private:
    std::vector<std::string> names_;
    bool keyed_;
    std::unordered_map<std::u32string, std::size_t> byKey_;
};

// The listing of a host folder; null when it cannot be read. A folder on a
// read-only disc (readOnlyDisc) is kept as told above.
std::shared_ptr<const FolderListing> ListHostFolder(const std::string& hostFolder, bool readOnlyDisc);

// Whether a folder of a disc holds any entry (a disc is in its drive): a
// kept listing answers, a settled folder is listed and kept, and another is
// read only up to its first entry.
bool DiscFolderHasEntries(const std::string& hostFolder);

// The stamp of the folder holding a Windows path's last component, when
// that folder lies on a read-only disc and has stood unchanged long enough
// for its stamp to tell every later change; nothing otherwise. Whoever
// keeps what it read from there keeps it while the stamp stays the same.
std::optional<FolderStamp> SettledDiscFolderStamp(std::string_view windowsPath);

// Drops every kept listing (the drive table was read again).
void ForgetFolderListings();

// How many listings were read from the host so far.
std::uint64_t FolderListingsRead();

}  // namespace plat
