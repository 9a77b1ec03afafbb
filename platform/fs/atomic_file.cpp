#include "platform/fs/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <optional>

namespace plat {

namespace {

std::mutex& hookMutex()
{
    static std::mutex m;
    return m;
}

WriteFaultHook& hookSlot()
{
    static WriteFaultHook hook;
    return hook;
}

// Pieces small enough that a fault hook can stop a write in its middle.
constexpr std::size_t kPiece = 4096;

int writeAll(int fd, const std::string& hostPath, std::string_view data)
{
    std::size_t done = 0;
    do {
        if (int fault = CheckWriteFault(hostPath, done))
            return fault;
        std::size_t n = std::min(kPiece, data.size() - done);
        if (n == 0)
            break;
        ssize_t w = ::write(fd, data.data() + done, n);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += static_cast<std::size_t>(w);
    } while (done < data.size());
    return 0;
}

void syncFolderOf(const std::string& hostPath)
{
    std::string folder = std::filesystem::path(hostPath).parent_path().string();
    int dfd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

// Flushes a finished temporary file to the disk and closes it: 0 or an
// errno value.
int flushAndClose(int fd)
{
    int err = 0;
    if (::fsync(fd) != 0 && errno != EINVAL)
        err = errno;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    return err;
}

// Gives the file at tempPath the name hostPath too, only where that name is
// free: a hard link where the file system has them, else a rename that does
// not replace. 0 or an errno value (EEXIST when the name is taken).
int placeWithoutReplacing(const std::string& tempPath, const std::string& hostPath)
{
    if (::link(tempPath.c_str(), hostPath.c_str()) == 0)
        return 0;
    if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP)
        return errno;
    if (::renameat2(AT_FDCWD, tempPath.c_str(), AT_FDCWD, hostPath.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    return errno;
}

}  // namespace

void SetWriteFaultHook(WriteFaultHook hook)
{
    std::lock_guard lock(hookMutex());
    hookSlot() = std::move(hook);
}

int CheckWriteFault(const std::string& hostPath, std::size_t written)
{
    WriteFaultHook hook;
    {
        std::lock_guard lock(hookMutex());
        hook = hookSlot();
    }
    return hook ? hook(hostPath, written) : 0;
}

namespace {

// The byte a writer locks in its temporary file for as long as it writes
// there: far past any data, apart from the share marks
// (platform/fs/share_marks.h). An open-file-description lock, so that
// another descriptor of the same process closing the file never drops it.
constexpr off_t kWriterByte = INT64_MAX - 32;

struct flock writerLock(short type)
{
    struct flock l {};
    l.l_type = type;
    l.l_whence = SEEK_SET;
    l.l_start = kWriterByte;
    l.l_len = 1;
    return l;
}

bool setWriterLock(int fd, short type)
{
    struct flock l = writerLock(type);
    while (::fcntl(fd, F_OFD_SETLK, &l) != 0) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

// Whether a writer holds the file: its lock would not be granted. Nothing
// is known where the file system keeps no locks.
std::optional<bool> heldByWriter(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct flock l = writerLock(F_WRLCK);
    const bool known = ::fcntl(fd, F_OFD_GETLK, &l) == 0;
    ::close(fd);
    if (!known)
        return std::nullopt;
    return l.l_type != F_UNLCK;
}

// How long a temporary file that no writer holds must have stood unchanged
// before it counts as abandoned. Its writer may have made it a moment ago
// and not yet taken its lock, or write on a share that keeps no locks;
// either way a process id in its name tells nothing, since the writer may
// run in another PID namespace or on another machine.
constexpr std::chrono::minutes kAbandonedAfter{10};

bool unchangedSince(const std::filesystem::directory_entry& entry, std::filesystem::file_time_type limit)
{
    std::error_code ec;
    const auto modified = entry.last_write_time(ec);
    return !ec && modified < limit;
}

// The process that wrote a temporary file of TemporaryPathFor's
// (".NAME.tmpPID-N"); 0 for any other name.
pid_t writerOf(const std::string& name)
{
    const std::size_t tmp = name.rfind(".tmp");
    const std::size_t dash = name.rfind('-');
    if (name.empty() || name[0] != '.' || tmp == std::string::npos || tmp == 0 || dash == std::string::npos ||
        dash < tmp + 5 || dash + 1 == name.size())
        return 0;
    auto digits = [&](std::size_t from, std::size_t to) {
        return std::all_of(name.begin() + std::ptrdiff_t(from), name.begin() + std::ptrdiff_t(to),
                           [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!digits(tmp + 4, dash) || !digits(dash + 1, name.size()) || dash - (tmp + 4) > 9)
        return 0;
    return static_cast<pid_t>(std::stol(name.substr(tmp + 4, dash - (tmp + 4))));
}

}  // namespace

std::size_t RemoveAbandonedTemporaryFiles(const std::string& hostFolder)
{
    const auto limit = std::filesystem::file_time_type::clock::now() - kAbandonedAfter;
    std::error_code ec;
    std::size_t removed = 0;
    for (std::filesystem::directory_iterator it(hostFolder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const pid_t pid = writerOf(name);
        std::error_code kind;
        if (pid <= 0 || pid == ::getpid() || !it->is_regular_file(kind) || !unchangedSince(*it, limit) ||
            heldByWriter(it->path().string()).value_or(false))
            continue;
        removed += ::unlink(it->path().c_str()) == 0 ? 1 : 0;
    }
    return removed;
}

std::string TemporaryPathFor(const std::string& hostPath)
{
    static std::atomic<unsigned> counter{0};
    std::filesystem::path p(hostPath);
    std::string name = "." + p.filename().string() + ".tmp" + std::to_string(::getpid()) + "-" +
                       std::to_string(counter.fetch_add(1));
    return (p.parent_path() / name).string();
}

int CreateTemporaryFile(const std::string& hostPath, int access, mode_t mode, std::string& tempPath)
{
    tempPath = TemporaryPathFor(hostPath);
    const int fd = ::open(tempPath.c_str(), access | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0)
        return -1;
    // Where the file system keeps no locks, the file's age alone keeps it.
    setWriterLock(fd, F_WRLCK);
    return fd;
}

namespace {

// Renames the flushed temporary file over its target unless flushing it
// failed (err); 0 or an errno value, the temporary file removed on failure.
int renameIntoPlace(int err, const std::string& tempPath, const std::string& hostPath)
{
    if (err == 0 && ::rename(tempPath.c_str(), hostPath.c_str()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(tempPath.c_str());
        return err;
    }
    syncFolderOf(hostPath);
    return 0;
}

}  // namespace

int CommitTemporaryFile(int fd, const std::string& tempPath, const std::string& hostPath)
{
    return renameIntoPlace(flushAndClose(fd), tempPath, hostPath);
}

int CommitTemporaryFileKeepingOpen(int fd, const std::string& tempPath, const std::string& hostPath)
{
    const int err = ::fsync(fd) != 0 && errno != EINVAL ? errno : 0;
    const int placed = renameIntoPlace(err, tempPath, hostPath);
    if (placed == 0)
        setWriterLock(fd, F_UNLCK);  // the file is the target now, no temporary one
    return placed;
}

int CommitNewFile(int fd, const std::string& tempPath, const std::string& hostPath)
{
    int err = flushAndClose(fd);
    if (err == 0)
        err = placeWithoutReplacing(tempPath, hostPath);
    ::unlink(tempPath.c_str());
    if (err != 0)
        return err;
    syncFolderOf(hostPath);
    return 0;
}

bool ReadWholeFile(const std::string& hostPath, std::string& out, std::size_t maxBytes)
{
    int fd = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<std::uint64_t>(st.st_size) > maxBytes) {
        ::close(fd);
        errno = EFBIG;
        return false;
    }
    out.assign(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t done = 0;
    while (done < out.size()) {
        ssize_t n = ::read(fd, out.data() + done, out.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            int err = errno;
            ::close(fd);
            errno = err == ENOENT ? EIO : err;
            return false;
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    out.resize(done);
    ::close(fd);
    return true;
}

int WriteFileAtomically(const std::string& hostPath, std::string_view data)
{
    std::error_code ec;
    std::filesystem::path parent = std::filesystem::path(hostPath).parent_path();
    if (!parent.empty())
        std::filesystem::create_directories(parent, ec);

    // Keep the permissions of the file being replaced.
    mode_t mode = 0644;
    struct stat st {};
    if (::stat(hostPath.c_str(), &st) == 0)
        mode = st.st_mode & 07777;

    std::string temp;
    const int fd = CreateTemporaryFile(hostPath, O_WRONLY, mode, temp);
    if (fd < 0)
        return errno;
    if (int err = writeAll(fd, hostPath, data)) {
        ::close(fd);
        ::unlink(temp.c_str());
        return err;
    }
    return CommitTemporaryFile(fd, temp, hostPath);
}

}  // namespace plat
