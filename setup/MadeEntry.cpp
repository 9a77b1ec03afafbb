#include "setup/MadeEntry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/fs/paths.h"

namespace {

// A descriptor closed when it goes, keeping the errno of what failed.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0) {
            int saved = errno;
            ::close(fd_);
            errno = saved;
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Opens the folder at an absolute host path one part at a time, following
// no link: -1 with errno ENOENT when a part is missing, another errno when
// a part is a link or no folder.
int openFolderWithoutLinks(const std::string& path)
{
    int fd = ::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC);
    for (const std::filesystem::path& part : std::filesystem::path(path).relative_path()) {
        if (fd < 0 || part.empty())
            continue;
        Descriptor parent(fd);
        fd = ::openat(parent.get(), part.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        struct stat st {};
        if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISDIR(st.st_mode))) {
            ::close(fd);
            fd = -1;
            errno = ENOTDIR;
        }
    }
    return fd;
}

}  // namespace

std::optional<MadeEntry> MadeEntry::Find(const std::string& windowsPath)
{
    plat::HostPath where = plat::ResolveHostPath(windowsPath);
    if (where.error || !where.exists)
        return std::nullopt;
    std::filesystem::path host = std::filesystem::path(where.host).lexically_normal();
    if (!host.has_filename())
        host = host.parent_path();
    std::error_code error;
    std::filesystem::path folder = std::filesystem::canonical(host.parent_path(), error);
    if (error)
        return std::nullopt;
    Descriptor fd(openFolderWithoutLinks(folder.string()));
    struct stat st {};
    if (fd.get() < 0 || ::fstatat(fd.get(), host.filename().c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
        !(S_ISREG(st.st_mode) || S_ISDIR(st.st_mode)))
        return std::nullopt;
    return MadeEntry{folder.string(), host.filename().string(), st.st_dev, st.st_ino, S_ISDIR(st.st_mode)};
}

bool MadeEntry::Remove() const
{
    Descriptor fd(openFolderWithoutLinks(folder));
    if (fd.get() < 0)
        return errno == ENOENT;
    struct stat st {};
    if (::fstatat(fd.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT;
    // Something else stands there now: not the run's to remove.
    if (st.st_dev != device || st.st_ino != inode || S_ISDIR(st.st_mode) != isFolder)
        return false;
    return ::unlinkat(fd.get(), name.c_str(), isFolder ? AT_REMOVEDIR : 0) == 0;
}
