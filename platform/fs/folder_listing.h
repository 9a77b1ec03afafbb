#pragma once
// The names in host folders. A folder on a read-only disc (a cdrom drive)
// is listed once: its listing is kept and given again while the folder is
// the one it was and unchanged since, which one stat tells at a fraction
// of the cost of reading every name again (looking a picture up tries two
// or three names, each a listing of its folder). A folder changed within
// the last seconds is listed afresh every time: a second change within the
// file system's time step would not show in its times. Its change time
// counts as well as its modification time, so a folder whose times were
// put back (a copy that keeps times, an unpacked archive) is not taken for
// one that stood still. A disc taken out or put in drops every kept
// listing. Other folders are listed whenever asked, since the program may
// change them itself.

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace plat {

// One state of a host file or folder: which one it is, its size, and when
// it last changed (a change of its times by hand changes the change time).
struct HostStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modified = 0;  // nanoseconds since 1970
    std::int64_t changed = 0;
    friend bool operator==(const HostStamp&, const HostStamp&) = default;
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
std::optional<HostStamp> SettledDiscFolderStamp(std::string_view windowsPath);
// The same for the file a Windows path names: a file rewritten in place
// leaves its folder's stamp as it was, but not its own.
std::optional<HostStamp> SettledDiscFileStamp(std::string_view windowsPath);

// How many times a disc was seen taken out of its drive or put in so far.
// Whoever keeps what it read from a disc lets it go when this moves: the
// disc put back may be another whose files have the same names and times.
std::uint64_t DiscChanges();

// Drops every kept listing (the drive table was read again).
void ForgetFolderListings();

// How long a folder or file must have stood unchanged before its stamp is
// trusted; two seconds, longer than the coarsest step of file times (FAT).
// Tests shorten it so as not to wait that long. Gives the period before.
std::chrono::nanoseconds SetSettlePeriod(std::chrono::nanoseconds period);

// How many listings were read from the host so far.
std::uint64_t FolderListingsRead();

}  // namespace plat
