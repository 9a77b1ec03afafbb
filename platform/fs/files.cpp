#include "platform/fs/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/fs/atomic_file.h"
#include "platform/fs/drives.h"
#include "platform/fs/errors.h"
#include "platform/fs/paths.h"
#include "platform/fs/share_marks.h"

namespace plat {

namespace {

struct OpenEntry {
    int fd = -1;
    std::string host;   // the file's own path
    std::string temp;   // for a created file: where it is written until closed
    UINT access = 0;    // OF_READ, OF_WRITE or OF_READWRITE
    UINT share = 0;     // OF_SHARE_...
    dev_t dev = 0;
    ino_t ino = 0;
    bool failed = false;  // a write failed: the created file is not put in place
    bool newOnly = false;  // a created file that takes its name only where none exists
    int markFd = -1;      // a second descriptor that holds the share marks of a write-only open
    // For a created file that replaces a held one (CreateReplacement): the
    // held handle and the file it had open then.
    struct Held {
        HFILE handle = HFILE_ERROR;
        dev_t dev = 0;
        ino_t ino = 0;
    };
    std::optional<Held> replaces;
};

void closeEntryFds(const OpenEntry& e)
{
    if (e.markFd >= 0)
        ::close(e.markFd);
    ::close(e.fd);
}

// Handles start at 5 so that none looks like a standard stream.
constexpr HFILE kFirstHandle = 5;

struct HandleTable {
    std::mutex mutex;
    std::vector<std::optional<OpenEntry>> entries;
};

HandleTable& handles()
{
    static HandleTable t;
    return t;
}

OpenEntry* entryLocked(HFILE file)
{
    if (file < kFirstHandle)
        return nullptr;
    std::size_t i = static_cast<std::size_t>(file - kFirstHandle);
    auto& e = handles().entries;
    return i < e.size() && e[i] ? &*e[i] : nullptr;
}

HFILE addLocked(OpenEntry entry)
{
    auto& e = handles().entries;
    for (std::size_t i = 0; i < e.size(); ++i) {
        if (!e[i]) {
            e[i] = std::move(entry);
            return kFirstHandle + static_cast<HFILE>(i);
        }
    }
    e.push_back(std::move(entry));
    return kFirstHandle + static_cast<HFILE>(e.size() - 1);
}

bool deniesRead(UINT share) { return share == OF_SHARE_EXCLUSIVE || share == OF_SHARE_DENY_READ; }
bool deniesWrite(UINT share) { return share == OF_SHARE_EXCLUSIVE || share == OF_SHARE_DENY_WRITE; }
bool reads(UINT access) { return access != OF_WRITE; }
bool writes(UINT access) { return access != OF_READ; }

// True when an open of the same file in this process forbids the new one,
// or the new one's share mode forbids an open that exists.
bool sharingConflictLocked(const std::string& host, dev_t dev, ino_t ino, bool known, UINT access,
                           UINT share)
{
    for (const auto& slot : handles().entries) {
        if (!slot)
            continue;
        bool same = known ? (slot->dev == dev && slot->ino == ino && slot->temp.empty())
                          : slot->host == host;
        if (!same)
            continue;
        if ((deniesRead(slot->share) && reads(access)) || (deniesWrite(slot->share) && writes(access)) ||
            (deniesRead(share) && reads(slot->access)) || (deniesWrite(share) && writes(slot->access)))
            return true;
    }
    return false;
}

void fillPath(OFSTRUCT* info, const std::string& path)
{
    if (!info)
        return;
    std::size_t n = std::min(path.size(), OFS_MAXPATHNAME - 1);
    std::memcpy(info->szPathName, path.data(), n);
    info->szPathName[n] = '\0';
}

HFILE failOpen(OFSTRUCT* info, DWORD code)
{
    if (info)
        info->nErrCode = static_cast<WORD>(code);
    SetLastError(code);
    return HFILE_ERROR;
}

DWORD openErrno(int err, const HostPath& where)
{
    if (err == ENOENT)
        return ERROR_FILE_NOT_FOUND;  // the folders on the way exist: resolution checked them
    if (err == EROFS || (where.driveType == DRIVE_CDROM && (err == EACCES || err == EPERM)))
        return ERROR_WRITE_PROTECTED;
    return ErrorFromErrno(err);
}

OpenFaultHook& openFaultHook()
{
    static OpenFaultHook hook;
    return hook;
}

ReadFaultHook& readFaultHook()
{
    static ReadFaultHook hook;
    return hook;
}

ShareWish wishOf(UINT access, UINT share)
{
    return ShareWish{reads(access), writes(access), deniesRead(share), deniesWrite(share)};
}

// Whether another process's open of the existing host file forbids an open
// with this access and share mode. Only a look: nothing is held after it.
bool sharedElsewhereForbids(const std::string& host, UINT access, UINT share)
{
    int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool allowed = TakeShareMarks(fd, wishOf(access, share));
    ::close(fd);
    return !allowed;
}

// How often an open starts again when each time the name was given to a
// new file before its marks were in place: each new start means another
// copy saved the file just then, so a handful is far beyond what happens.
constexpr int kReopenAttempts = 8;

// Opens an existing file into entry with its share marks; 0 or the error.
DWORD openExistingLocked(const HostPath& where, UINT access, UINT share, OpenEntry& entry)
{
    const int flags = access == OF_READ ? O_RDONLY : access == OF_WRITE ? O_WRONLY : O_RDWR;
    for (int attempt = 0; attempt < kReopenAttempts; ++attempt) {
        int fd = ::open(where.host.c_str(), flags | O_CLOEXEC);
        if (fd < 0)
            return openErrno(errno, where);
        struct stat st {};
        ::fstat(fd, &st);
        if (S_ISDIR(st.st_mode)) {
            ::close(fd);
            return ERROR_ACCESS_DENIED;
        }
        if (sharingConflictLocked(where.host, st.st_dev, st.st_ino, true, access, share)) {
            ::close(fd);
            return ERROR_SHARING;
        }
        // The marks that other running copies see; a write-only descriptor
        // cannot hold them, so a second one for reading does.
        int markFd = reads(access) ? fd : ::open(where.host.c_str(), O_RDONLY | O_CLOEXEC);
        if (markFd >= 0 && !TakeShareMarks(markFd, wishOf(access, share))) {
            if (markFd != fd)
                ::close(markFd);
            ::close(fd);
            return ERROR_SHARING;
        }
        entry.markFd = markFd != fd ? markFd : -1;
        entry.fd = fd;
        entry.dev = st.st_dev;
        entry.ino = st.st_ino;
        // Another copy that held the file may have put a new one in its
        // place between the open and the marks: the old one, read and
        // written back later, would undo what that copy saved.
        struct stat now {};
        const bool gone = ::stat(where.host.c_str(), &now) != 0;
        if (!gone && now.st_dev == st.st_dev && now.st_ino == st.st_ino)
            return 0;
        closeEntryFds(entry);
        entry.fd = entry.markFd = -1;
        if (gone)
            return ERROR_FILE_NOT_FOUND;
    }
    return ERROR_SHARING;
}

HFILE openResolved(const HostPath& where, OFSTRUCT* info, UINT style, bool newOnly)
{
    UINT access = style & 0x3;
    if (access == 3)
        access = OF_READWRITE;
    UINT share = style & 0x70;
    bool create = style & OF_CREATE;
    if ((create || writes(access)) && where.driveType == DRIVE_CDROM)
        return failOpen(info, ERROR_WRITE_PROTECTED);
    if (where.isFolder)
        return failOpen(info, ERROR_ACCESS_DENIED);

    std::lock_guard lock(handles().mutex);
    if (openFaultHook())
        if (int fault = openFaultHook()(where.host))
            return failOpen(info, openErrno(fault, where));
    OpenEntry entry;
    entry.host = where.host;
    entry.access = access;
    entry.share = share;
    if (create) {
        if (where.exists && IsReadOnlyHostFile(where.host))
            return failOpen(info, ERROR_ACCESS_DENIED);
        struct stat st {};
        bool known = ::stat(where.host.c_str(), &st) == 0;
        if (newOnly && known)
            return failOpen(info, ERROR_FILE_EXISTS);
        if (sharingConflictLocked(where.host, st.st_dev, st.st_ino, known, OF_READWRITE, share) ||
            (known && sharedElsewhereForbids(where.host, OF_READWRITE, share)))
            return failOpen(info, ERROR_SHARING);
        entry.newOnly = newOnly;
        mode_t mode = known ? (st.st_mode & 07777) : 0644;
        entry.fd = CreateTemporaryFile(where.host, O_RDWR, mode, entry.temp);
        if (entry.fd < 0)
            return failOpen(info, openErrno(errno, where));
        // Created files are readable and writable whatever the style asked.
        entry.access = OF_READWRITE;
    } else {
        if (writes(access) && IsReadOnlyHostFile(where.host))
            return failOpen(info, ERROR_ACCESS_DENIED);
        if (DWORD err = openExistingLocked(where, access, share, entry))
            return failOpen(info, err);
    }
    if (info) {
        info->nErrCode = 0;
        info->fFixedDisk = where.driveType == DRIVE_FIXED;
    }
    SetLastError(ERROR_SUCCESS);
    return addLocked(std::move(entry));
}

// Puts a finished replacement in place of its held file and moves the held
// handle onto it (see CreateReplacement).
HFILE commitReplacement(OpenEntry& r)
{
    std::lock_guard lock(handles().mutex);
    OpenEntry* held = entryLocked(r.replaces->handle);
    const bool same = held && held->temp.empty() && held->host == r.host && held->dev == r.replaces->dev &&
                      held->ino == r.replaces->ino;
    // Nobody else knows the new file yet: its marks cannot conflict.
    if (!same || !TakeShareMarks(r.fd, wishOf(held->access, held->share))) {
        ::close(r.fd);
        ::unlink(r.temp.c_str());
        SetLastError(ERROR_INVALID_HANDLE);
        return HFILE_ERROR;
    }
    if (int err = CommitTemporaryFileKeepingOpen(r.fd, r.temp, r.host)) {
        ::close(r.fd);
        SetLastError(ErrorFromErrno(err));
        return HFILE_ERROR;
    }
    const off_t at = ::lseek(held->fd, 0, SEEK_CUR);
    closeEntryFds(*held);
    struct stat st {};
    ::fstat(r.fd, &st);
    held->fd = r.fd;
    held->markFd = -1;  // the new descriptor reads and writes: it holds the marks itself
    held->dev = st.st_dev;
    held->ino = st.st_ino;
    ::lseek(held->fd, at > 0 ? at : 0, SEEK_SET);
    SetLastError(ERROR_SUCCESS);
    return 0;
}

// Runs fn on the open entry, with the table locked; an unknown handle
// gives failure.
template <typename Result, typename Fn>
Result withEntry(HFILE file, Result failure, Fn fn)
{
    std::lock_guard lock(handles().mutex);
    OpenEntry* e = entryLocked(file);
    if (!e) {
        SetLastError(ERROR_INVALID_HANDLE);
        return failure;
    }
    return fn(*e);
}

LONG readBytes(HFILE file, void* buffer, LONG count)
{
    if (count < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HFILE_ERROR;
    }
    return withEntry(file, LONG(HFILE_ERROR), [&](OpenEntry& e) -> LONG {
        if (!reads(e.access)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return HFILE_ERROR;
        }
        if (readFaultHook()) {
            const off_t at = ::lseek(e.fd, 0, SEEK_CUR);
            if (int fault = readFaultHook()(e.host, static_cast<std::size_t>(at < 0 ? 0 : at))) {
                SetLastError(ErrorFromErrno(fault));
                return HFILE_ERROR;
            }
        }
        std::size_t done = 0;
        auto* out = static_cast<char*>(buffer);
        while (done < static_cast<std::size_t>(count)) {
            ssize_t n = ::read(e.fd, out + done, static_cast<std::size_t>(count) - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                SetLastError(ErrorFromErrno(errno) == ERROR_DEVICE_FAILURE ? ERROR_READ_FAULT
                                                                           : ErrorFromErrno(errno));
                return HFILE_ERROR;
            }
            if (n == 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        SetLastError(ERROR_SUCCESS);
        return static_cast<LONG>(done);
    });
}

LONG writeBytes(HFILE file, const char* buffer, LONG count)
{
    if (count < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return HFILE_ERROR;
    }
    return withEntry(file, LONG(HFILE_ERROR), [&](OpenEntry& e) -> LONG {
        if (!writes(e.access)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return HFILE_ERROR;
        }
        if (count == 0) {
            off_t pos = ::lseek(e.fd, 0, SEEK_CUR);
            if (pos < 0 || ::ftruncate(e.fd, pos) != 0) {
                SetLastError(ErrorFromErrno(errno));
                return HFILE_ERROR;
            }
            SetLastError(ERROR_SUCCESS);
            return 0;
        }
        off_t before = ::lseek(e.fd, 0, SEEK_CUR);
        std::size_t done = 0;
        while (done < static_cast<std::size_t>(count)) {
            if (int fault = CheckWriteFault(e.host, static_cast<std::size_t>(before) + done)) {
                e.failed = true;
                SetLastError(ErrorFromErrno(fault));
                return HFILE_ERROR;
            }
            std::size_t piece = std::min<std::size_t>(4096, static_cast<std::size_t>(count) - done);
            ssize_t n = ::write(e.fd, buffer + done, piece);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                e.failed = true;
                SetLastError(ErrorFromErrno(errno));
                return HFILE_ERROR;
            }
            done += static_cast<std::size_t>(n);
        }
        SetLastError(ERROR_SUCCESS);
        return static_cast<LONG>(done);
    });
}

HostPath badArgument()
{
    HostPath none;
    none.error = ERROR_INVALID_PARAMETER;
    return none;
}

HostPath resolveForChange(const char* path)
{
    HostPath where = path ? ResolveHostPath(path) : badArgument();
    if (!where.error && where.driveType == DRIVE_CDROM)
        where.error = ERROR_WRITE_PROTECTED;
    return where;
}

BOOL fail(DWORD code)
{
    SetLastError(code);
    return 0;
}

// Copies through a temporary file beside the target, renamed over it at
// the end, in pieces so that large files need little memory.
DWORD copyAtomically(const std::string& from, const std::string& to)
{
    int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return ErrorFromErrno(errno);
    std::string temp;
    int out = CreateTemporaryFile(to, O_WRONLY, 0644, temp);
    if (out < 0) {
        DWORD err = ErrorFromErrno(errno);
        ::close(in);
        return err;
    }
    std::vector<char> buffer(1 << 16);
    std::size_t written = 0;
    int failure = 0;
    for (;;) {
        ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            failure = errno;
            break;
        }
        if (n == 0)
            break;
        for (ssize_t done = 0; done < n && !failure;) {
            if ((failure = CheckWriteFault(to, written)))
                break;
            std::size_t piece = std::min<std::size_t>(4096, static_cast<std::size_t>(n - done));
            ssize_t w = ::write(out, buffer.data() + done, piece);
            if (w < 0 && errno == EINTR)
                continue;
            if (w < 0)
                failure = errno;
            else {
                done += w;
                written += static_cast<std::size_t>(w);
            }
        }
        if (failure)
            break;
    }
    ::close(in);
    if (failure) {
        ::close(out);
        ::unlink(temp.c_str());
        return ErrorFromErrno(failure);
    }
    if (int err = CommitTemporaryFile(out, temp, to))
        return ErrorFromErrno(err);
    return 0;
}

// Whether any open, here or in another running copy, holds the host file:
// as on Windows, a file cannot be deleted while it is open.
bool isOpenAnywhere(const std::string& host)
{
    int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    bool open = ::fstat(fd, &st) == 0 && IsOpenElsewhere(fd);
    if (!open) {
        std::lock_guard lock(handles().mutex);
        for (const auto& slot : handles().entries)
            if (slot && slot->temp.empty() && slot->dev == st.st_dev && slot->ino == st.st_ino)
                open = true;
    }
    ::close(fd);
    return open;
}

}  // namespace

bool IsReadOnlyHostFile(const std::string& hostPath)
{
    // The read-only attribute is the owner's write permission, whoever runs
    // the program, so a file marked read-only stays so even for root.
    struct stat st {};
    return ::stat(hostPath.c_str(), &st) == 0 && !(st.st_mode & S_IWUSR);
}

HFILE OpenFile(const char* fileName, OFSTRUCT* info, UINT style)
{
    std::string name = (style & OF_REOPEN) && info ? std::string(info->szPathName)
                                                    : std::string(fileName ? fileName : "");
    if (name.empty())
        return failOpen(info, ERROR_FILE_NOT_FOUND);
    DWORD err = 0;
    std::string full = GetFullWindowsPath(name, &err);
    if (full.empty())
        return failOpen(info, err ? err : ERROR_PATH_NOT_FOUND);
    fillPath(info, full);
    if (style & OF_PARSE) {
        if (info)
            info->nErrCode = 0;
        return 0;
    }
    HostPath where = ResolveHostPath(full);
    if (where.error)
        return failOpen(info, where.error);
    if (style & OF_DELETE) {
        if (where.driveType == DRIVE_CDROM)
            return failOpen(info, ERROR_WRITE_PROTECTED);
        if (IsReadOnlyHostFile(where.host))
            return failOpen(info, ERROR_ACCESS_DENIED);
        if (isOpenAnywhere(where.host))
            return failOpen(info, ERROR_SHARING);
        if (::unlink(where.host.c_str()) != 0)
            return failOpen(info, openErrno(errno, where));
        if (info)
            info->nErrCode = 0;
        return 1;
    }
    if (!(style & OF_CREATE) && !where.exists)
        return failOpen(info, ERROR_FILE_NOT_FOUND);
    HFILE h = openResolved(where, info, style, false);
    if (h != HFILE_ERROR && (style & OF_EXIST)) {
        // A test only: the file exists and could be opened so; nothing is
        // created or replaced by it.
        std::lock_guard lock(handles().mutex);
        OpenEntry* e = entryLocked(h);
        closeEntryFds(*e);
        if (!e->temp.empty())
            ::unlink(e->temp.c_str());
        handles().entries[static_cast<std::size_t>(h - kFirstHandle)].reset();
        return 1;
    }
    return h;
}

HFILE _lopen(const char* path, int readWrite)
{
    OFSTRUCT info;
    return OpenFile(path, &info, static_cast<UINT>(readWrite) & 0x73);
}

HFILE _lcreat(const char* path, int /*attribute*/)
{
    OFSTRUCT info;
    return OpenFile(path, &info, OF_CREATE | OF_READWRITE);
}

HFILE CreateNewFile(const char* path)
{
    OFSTRUCT info;
    DWORD err = 0;
    const std::string full = path ? GetFullWindowsPath(path, &err) : std::string();
    if (full.empty())
        return failOpen(&info, err ? err : ERROR_PATH_NOT_FOUND);
    HostPath where = ResolveHostPath(full);
    if (where.error)
        return failOpen(&info, where.error);
    return openResolved(where, &info, OF_CREATE | OF_READWRITE, true);
}

HFILE CreateReplacement(HFILE held)
{
    std::lock_guard lock(handles().mutex);
    OpenEntry* e = entryLocked(held);
    if (!e || !e->temp.empty()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return HFILE_ERROR;
    }
    if (openFaultHook())
        if (int fault = openFaultHook()(e->host)) {
            SetLastError(ErrorFromErrno(fault));
            return HFILE_ERROR;
        }
    struct stat st {};
    const mode_t mode = ::fstat(e->fd, &st) == 0 ? (st.st_mode & 07777) : 0644;
    OpenEntry r;
    r.host = e->host;
    r.access = OF_READWRITE;
    r.replaces = OpenEntry::Held{held, e->dev, e->ino};
    r.fd = CreateTemporaryFile(e->host, O_RDWR, mode, r.temp);
    if (r.fd < 0) {
        SetLastError(ErrorFromErrno(errno));
        return HFILE_ERROR;
    }
    SetLastError(ERROR_SUCCESS);
    return addLocked(std::move(r));
}

HFILE _lclose(HFILE file)
{
    std::optional<OpenEntry> entry;
    {
        std::lock_guard lock(handles().mutex);
        if (!entryLocked(file)) {
            SetLastError(ERROR_INVALID_HANDLE);
            return HFILE_ERROR;
        }
        entry = std::move(handles().entries[static_cast<std::size_t>(file - kFirstHandle)]);
        handles().entries[static_cast<std::size_t>(file - kFirstHandle)].reset();
    }
    if (entry->markFd >= 0)
        ::close(entry->markFd);
    if (entry->temp.empty())
        return ::close(entry->fd) == 0 ? 0 : HFILE_ERROR;
    if (entry->failed) {
        ::close(entry->fd);
        ::unlink(entry->temp.c_str());
        SetLastError(ERROR_WRITE_FAULT);
        return HFILE_ERROR;
    }
    if (entry->replaces)
        return commitReplacement(*entry);
    const int err = entry->newOnly ? CommitNewFile(entry->fd, entry->temp, entry->host)
                                   : CommitTemporaryFile(entry->fd, entry->temp, entry->host);
    if (err) {
        SetLastError(err == EEXIST ? ERROR_FILE_EXISTS : ErrorFromErrno(err));
        return HFILE_ERROR;
    }
    return 0;
}

void SetOpenFaultHook(OpenFaultHook hook)
{
    std::lock_guard lock(handles().mutex);
    openFaultHook() = std::move(hook);
}

void SetReadFaultHook(ReadFaultHook hook)
{
    std::lock_guard lock(handles().mutex);
    readFaultHook() = std::move(hook);
}

HFILE DiscardFile(HFILE file)
{
    const bool known = withEntry(file, false, [](OpenEntry& e) {
        e.failed = true;  // so that closing puts nothing in place
        return true;
    });
    if (!known)
        return HFILE_ERROR;
    _lclose(file);
    return 0;
}

LONG _llseek(HFILE file, LONG offset, int origin)
{
    return withEntry(file, LONG(HFILE_ERROR), [&](OpenEntry& e) -> LONG {
        int whence = origin == FILE_BEGIN ? SEEK_SET : origin == FILE_CURRENT ? SEEK_CUR
                   : origin == FILE_END   ? SEEK_END : -1;
        if (whence < 0) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return HFILE_ERROR;
        }
        off_t pos = ::lseek(e.fd, offset, whence);
        if (pos < 0 || pos > 0x7FFFFFFF) {
            SetLastError(pos < 0 ? ErrorFromErrno(errno) : ERROR_INVALID_PARAMETER);
            return HFILE_ERROR;
        }
        return static_cast<LONG>(pos);
    });
}

UINT _lread(HFILE file, void* buffer, UINT count)
{
    LONG n = readBytes(file, buffer, static_cast<LONG>(std::min<UINT>(count, 0x7FFFFFFF)));
    return static_cast<UINT>(n);
}

UINT _lwrite(HFILE file, const char* buffer, UINT count)
{
    LONG n = writeBytes(file, buffer, static_cast<LONG>(std::min<UINT>(count, 0x7FFFFFFF)));
    return static_cast<UINT>(n);
}

LONG _hread(HFILE file, void* buffer, LONG count) { return readBytes(file, buffer, count); }
LONG _hwrite(HFILE file, const char* buffer, LONG count) { return writeBytes(file, buffer, count); }

DWORD GetFileSize(HFILE file, DWORD* sizeHigh)
{
    return withEntry(file, INVALID_FILE_SIZE, [&](OpenEntry& e) -> DWORD {
        struct stat st {};
        if (::fstat(e.fd, &st) != 0) {
            SetLastError(ErrorFromErrno(errno));
            return INVALID_FILE_SIZE;
        }
        auto size = static_cast<std::uint64_t>(st.st_size);
        if (sizeHigh)
            *sizeHigh = static_cast<DWORD>(size >> 32);
        SetLastError(ERROR_SUCCESS);
        return static_cast<DWORD>(size);
    });
}

BOOL SetEndOfFile(HFILE file)
{
    return withEntry(file, BOOL(0), [&](OpenEntry& e) -> BOOL {
        off_t pos = ::lseek(e.fd, 0, SEEK_CUR);
        if (!writes(e.access) || pos < 0 || ::ftruncate(e.fd, pos) != 0)
            return fail(writes(e.access) ? ErrorFromErrno(errno) : ERROR_ACCESS_DENIED);
        return 1;
    });
}

DWORD GetFileAttributesA(const char* path)
{
    HostPath where = path ? ResolveHostPath(path) : badArgument();
    if (where.error || !where.exists) {
        SetLastError(where.error ? where.error : ERROR_FILE_NOT_FOUND);
        return INVALID_FILE_ATTRIBUTES;
    }
    struct stat st {};
    if (::stat(where.host.c_str(), &st) != 0) {
        SetLastError(ErrorFromErrno(errno));
        return INVALID_FILE_ATTRIBUTES;
    }
    DWORD attributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (!(st.st_mode & S_IWUSR) || where.driveType == DRIVE_CDROM)
        attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes;
}

BOOL SetFileAttributesA(const char* path, DWORD attributes)
{
    HostPath where = resolveForChange(path);
    if (where.error || !where.exists)
        return fail(where.error ? where.error : ERROR_FILE_NOT_FOUND);
    struct stat st {};
    if (::stat(where.host.c_str(), &st) != 0)
        return fail(ErrorFromErrno(errno));
    mode_t mode = st.st_mode & 07777;
    mode = (attributes & FILE_ATTRIBUTE_READONLY) ? (mode & ~mode_t(0222)) : (mode | S_IWUSR);
    if (::chmod(where.host.c_str(), mode) != 0)
        return fail(ErrorFromErrno(errno));
    return 1;
}

BOOL DeleteFileA(const char* path)
{
    HostPath where = resolveForChange(path);
    if (where.error)
        return fail(where.error);
    if (!where.exists)
        return fail(ERROR_FILE_NOT_FOUND);
    if (where.isFolder || IsReadOnlyHostFile(where.host))
        return fail(ERROR_ACCESS_DENIED);
    if (isOpenAnywhere(where.host))
        return fail(ERROR_SHARING);
    if (::unlink(where.host.c_str()) != 0)
        return fail(ErrorFromErrno(errno));
    return 1;
}

std::size_t RemoveAbandonedTemporaryFilesIn(const char* folder)
{
    HostPath where = resolveForChange(folder);
    if (where.error || !where.isFolder)
        return 0;
    return RemoveAbandonedTemporaryFiles(where.host);
}

BOOL CopyFileA(const char* existing, const char* target, BOOL failIfExists)
{
    HostPath from = existing ? ResolveHostPath(existing) : badArgument();
    if (from.error || !from.exists)
        return fail(from.error ? from.error : ERROR_FILE_NOT_FOUND);
    if (from.isFolder)
        return fail(ERROR_ACCESS_DENIED);
    HostPath to = resolveForChange(target);
    if (to.error)
        return fail(to.error);
    if (to.exists && failIfExists)
        return fail(ERROR_FILE_EXISTS);
    if (to.isFolder)
        return fail(ERROR_ACCESS_DENIED);
    if (to.exists && IsReadOnlyHostFile(to.host))
        return fail(ERROR_ACCESS_DENIED);
    if (DWORD err = copyAtomically(from.host, to.host))
        return fail(err);
    struct stat st {};
    if (::stat(from.host.c_str(), &st) == 0)
        ::chmod(to.host.c_str(), st.st_mode & 07777);
    return 1;
}

BOOL MoveFileA(const char* existing, const char* target)
{
    HostPath from = resolveForChange(existing);
    if (from.error || !from.exists)
        return fail(from.error ? from.error : ERROR_FILE_NOT_FOUND);
    HostPath to = resolveForChange(target);
    if (to.error)
        return fail(to.error);
    if (to.exists)
        return fail(ERROR_ALREADY_EXISTS);
    if (::rename(from.host.c_str(), to.host.c_str()) != 0)
        return fail(ErrorFromErrno(errno));
    return 1;
}

BOOL CreateDirectoryA(const char* path, const void* /*security*/)
{
    // An empty name names no folder (not the current one, which exists).
    if (path && !*path)
        return fail(ERROR_PATH_NOT_FOUND);
    // A typed folder name reaches here (the installer's target): the host
    // would take wildcards and the like, Windows refuses them.
    for (const char* p = path; p && *p; ++p)
        if (std::strchr("?*<>|\"", *p) || static_cast<unsigned char>(*p) < 0x20)
            return fail(ERROR_INVALID_NAME);
    HostPath where = resolveForChange(path);
    if (where.error)
        return fail(where.error);
    if (where.exists)
        return fail(ERROR_ALREADY_EXISTS);
    if (::mkdir(where.host.c_str(), 0755) != 0)
        return fail(ErrorFromErrno(errno));
    return 1;
}

BOOL RemoveDirectoryA(const char* path)
{
    HostPath where = resolveForChange(path);
    if (where.error)
        return fail(where.error);
    if (!where.exists)
        return fail(ERROR_FILE_NOT_FOUND);
    if (::rmdir(where.host.c_str()) != 0)
        return fail(ErrorFromErrno(errno));
    return 1;
}

}  // namespace plat
