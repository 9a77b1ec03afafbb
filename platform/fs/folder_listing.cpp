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

// See SetSettlePeriod.
constexpr std::int64_t kSettledNs = 2'000'000'000;
std::atomic<std::int64_t> settlePeriodNs{kSettledNs};
// The folders of discs kept at most; a title's disc has a handful.
constexpr std::size_t kKeptFolders = 64;

std::int64_t nanoseconds(const timespec& t)
{
    return std::int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

std::optional<HostStamp> stampOf(const std::string& path, bool folder)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || (folder ? !S_ISDIR(st.st_mode) : !S_ISREG(st.st_mode)))
        return std::nullopt;
    return HostStamp{std::uint64_t(st.st_dev), std::uint64_t(st.st_ino), std::int64_t(st.st_size),
                     nanoseconds(st.st_mtim), nanoseconds(st.st_ctim)};
}

std::optional<HostStamp> stampOf(const std::string& folder)
{
    return stampOf(folder, true);
}

// Whether every later change will show in the stamp: a change sets the
// times to the clock's time, which lies past times this old. The later of
// the two counts: times put back by hand leave the change time new.
bool settled(const HostStamp& stamp)
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return nanoseconds(now) - std::max(stamp.modified, stamp.changed) >= settlePeriodNs.load();
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
    HostStamp stamp;
    std::shared_ptr<const FolderListing> listing;
};

// The kept listings, the most recently used first.
struct KeptListings {
    std::mutex mutex;
    std::list<KeptListing> recent;
    // Whether each disc folder held entries when last asked.
    std::unordered_map<std::string, bool> discIn;
    std::uint64_t discChanges = 0;

    // Notes whether a disc's folder holds entries; a change from what was
    // seen before is a disc taken out or put in.
    void noteDisc(const std::string& folder, bool in)
    {
        std::lock_guard lock(mutex);
        const auto [it, first] = discIn.try_emplace(folder, in);
        if (first || it->second == in)
            return;
        it->second = in;
        ++discChanges;
        recent.clear();
    }

    std::shared_ptr<const FolderListing> find(const std::string& folder, const HostStamp& stamp)
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

    void keep(const std::string& folder, const HostStamp& stamp, std::shared_ptr<const FolderListing> listing)
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
std::shared_ptr<const FolderListing> listDiscFolder(const std::string& hostFolder, const HostStamp& before)
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
    const std::optional<HostStamp> before = stampOf(hostFolder);
    return before ? listDiscFolder(hostFolder, *before) : nullptr;
}

bool DiscFolderHasEntries(const std::string& hostFolder)
{
    const std::optional<HostStamp> stamp = stampOf(hostFolder);
    bool any = false;
    if (stamp) {
        std::shared_ptr<const FolderListing> listing = kept().find(hostFolder, *stamp);
        if (!listing && settled(*stamp))
            listing = listDiscFolder(hostFolder, *stamp);
        any = listing ? !listing->names().empty() : firstEntryExists(hostFolder);
    }
    kept().noteDisc(hostFolder, any);
    return any;
}

namespace {

// The host path of a Windows path on a read-only disc, when it names an
// existing entry (a folder or not, as asked).
std::optional<std::string> discHostPath(const std::string& windowsPath, bool folder)
{
    const HostPath where = ResolveHostPath(windowsPath);
    if (where.error || !where.exists || where.isFolder != folder || where.driveType != DRIVE_CDROM)
        return std::nullopt;
    return where.host;
}

std::optional<HostStamp> settledStampOf(const std::optional<std::string>& host, bool folder)
{
    std::optional<HostStamp> stamp = host ? stampOf(*host, folder) : std::nullopt;
    if (!stamp || !settled(*stamp))
        return std::nullopt;
    return stamp;
}

}  // namespace

std::optional<HostStamp> SettledDiscFolderStamp(std::string_view windowsPath)
{
    const std::string full = GetFullWindowsPath(windowsPath);
    const std::size_t cut = FindLastSeparator(full);
    if (full.empty() || cut == std::string::npos)
        return std::nullopt;
    std::string folder = full.substr(0, cut);
    if (folder.size() == 2 && folder[1] == ':')
        folder += '\\';
    return settledStampOf(discHostPath(folder, true), true);
}

std::optional<HostStamp> SettledDiscFileStamp(std::string_view windowsPath)
{
    const std::string full = GetFullWindowsPath(windowsPath);
    return full.empty() ? std::nullopt : settledStampOf(discHostPath(full, false), false);
}

std::uint64_t DiscChanges()
{
    std::lock_guard lock(kept().mutex);
    return kept().discChanges;
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

std::chrono::nanoseconds SetSettlePeriod(std::chrono::nanoseconds period)
{
    return std::chrono::nanoseconds(settlePeriodNs.exchange(period.count()));
}

}  // namespace plat
