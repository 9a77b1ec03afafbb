#include "platform/fs/folder_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <ctime>
#include <list>
#include <mutex>
#include <utility>

#include "platform/fs/drives.h"
#include "platform/fs/paths.h"

namespace plat {

namespace {

// How long a folder must have stood unchanged before its stamp is trusted:
// longer than the coarsest step of file times (two seconds on FAT).
constexpr std::int64_t kSettledNs = 2'000'000'000;
// The folders of discs kept at most; a title's disc has a handful.
constexpr std::size_t kKeptFolders = 64;

std::int64_t nanoseconds(const timespec& t)
{
    return std::int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

std::optional<FolderStamp> stampOf(const std::string& folder)
{
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return std::nullopt;
    return FolderStamp{std::uint64_t(st.st_dev), std::uint64_t(st.st_ino), nanoseconds(st.st_mtim),
                       nanoseconds(st.st_ctim)};
}

// Whether every later change of the folder will show in its stamp: a
// change sets the modification time to the clock's time, which lies past
// a time this old.
bool settled(const FolderStamp& stamp)
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return nanoseconds(now) - stamp.modified >= kSettledNs;
}

std::atomic<std::uint64_t> listingsRead{0};

std::vector<std::string> readNames(const std::string& folder, bool& ok)
{
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    ok = dir != nullptr;
    if (!dir)
        return names;
    while (dirent* e = ::readdir(dir)) {
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
            names.emplace_back(e->d_name);
    }
    ::closedir(dir);
    ++listingsRead;
    return names;
}

struct KeptListing {
    std::string folder;
    FolderStamp stamp;
    std::shared_ptr<const FolderListing> listing;
};

// The kept listings, the most recently used first.
struct KeptListings {
    std::mutex mutex;
    std::list<KeptListing> recent;

    std::shared_ptr<const FolderListing> find(const std::string& folder, const FolderStamp& stamp)
    {
        std::lock_guard lock(mutex);
        for (auto it = recent.begin(); it != recent.end(); ++it) {
            if (it->folder != folder)
                continue;
            if (it->stamp != stamp) {
                recent.erase(it);  // the disc changed
                return nullptr;
            }
            recent.splice(recent.begin(), recent, it);
            return it->listing;
        }
        return nullptr;
    }

    void keep(const std::string& folder, const FolderStamp& stamp, std::shared_ptr<const FolderListing> listing)
    {
        std::lock_guard lock(mutex);
        recent.push_front({folder, stamp, std::move(listing)});
        if (recent.size() > kKeptFolders)
            recent.pop_back();
    }
};

// Never destroyed: a change of the configuration folder forgets them, and
// one may come from a static destructor that runs after this would have gone.
KeptListings& kept()
{
    static auto* listings = new KeptListings;
    return *listings;
}

}  // namespace

FolderListing::FolderListing(std::vector<std::string> names, bool keyed) : names_(std::move(names)), keyed_(keyed)
{
    std::sort(names_.begin(), names_.end());
    if (keyed_)
        for (std::size_t i = 0; i < names_.size(); ++i)
            byKey_.emplace(HostNameKey(names_[i]), i);  // the first in byte order stays
}

const std::string* FolderListing::find(std::string_view name) const
{
    if (!keyed_) {
        const auto it = std::find_if(names_.begin(), names_.end(),
                                     [name](const std::string& n) { return HostNamesMatch(n, name); });
        return it == names_.end() ? nullptr : &*it;
    }
    const auto it = byKey_.find(HostNameKey(name));
    return it == byKey_.end() ? nullptr : &names_[it->second];
}

namespace {

// The listing of a folder of a disc in the state `before`.
std::shared_ptr<const FolderListing> listDiscFolder(const std::string& hostFolder, const FolderStamp& before)
{
    if (std::shared_ptr<const FolderListing> listing = kept().find(hostFolder, before))
        return listing;
    const bool keep = settled(before);
    bool ok = false;
    std::vector<std::string> names = readNames(hostFolder, ok);
    if (!ok)
        return nullptr;
    auto listing = std::make_shared<const FolderListing>(std::move(names), keep);
    // Kept only when the folder also stood still while it was read.
    if (keep && stampOf(hostFolder) == before)
        kept().keep(hostFolder, before, listing);
    return listing;
}

bool firstEntryExists(const std::string& hostFolder)
{
    DIR* dir = ::opendir(hostFolder.c_str());
    if (!dir)
        return false;
    bool any = false;
    while (dirent* e = ::readdir(dir)) {
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) {
            any = true;
            break;
        }
    }
    ::closedir(dir);
    return any;
}

}  // namespace

std::shared_ptr<const FolderListing> ListHostFolder(const std::string& hostFolder, bool readOnlyDisc)
{
    if (!readOnlyDisc) {
        bool ok = false;
        std::vector<std::string> names = readNames(hostFolder, ok);
        return ok ? std::make_shared<const FolderListing>(std::move(names), false) : nullptr;
    }
    const std::optional<FolderStamp> before = stampOf(hostFolder);
    return before ? listDiscFolder(hostFolder, *before) : nullptr;
}

bool DiscFolderHasEntries(const std::string& hostFolder)
{
    const std::optional<FolderStamp> stamp = stampOf(hostFolder);
    if (!stamp)
        return false;
    std::shared_ptr<const FolderListing> listing = kept().find(hostFolder, *stamp);
    if (!listing && settled(*stamp))
        listing = listDiscFolder(hostFolder, *stamp);
    return listing ? !listing->names().empty() : firstEntryExists(hostFolder);
}

std::optional<FolderStamp> SettledDiscFolderStamp(std::string_view windowsPath)
{
    const std::string full = GetFullWindowsPath(windowsPath);
    const std::size_t cut = FindLastSeparator(full);
    if (full.empty() || cut == std::string::npos)
        return std::nullopt;
    std::string folder = full.substr(0, cut);
    if (folder.size() == 2 && folder[1] == ':')
        folder += '\\';
    const HostPath where = ResolveHostPath(folder);
    if (where.error || !where.isFolder || where.driveType != DRIVE_CDROM)
        return std::nullopt;
    std::optional<FolderStamp> stamp = stampOf(where.host);
    if (!stamp || !settled(*stamp))
        return std::nullopt;
    return stamp;
}

void ForgetFolderListings()
{
    std::lock_guard lock(kept().mutex);
    kept().recent.clear();
}

std::uint64_t FolderListingsRead()
{
    return listingsRead;
}

}  // namespace plat
