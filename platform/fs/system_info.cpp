#include "platform/fs/system_info.h"

#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/fs/drives.h"
#include "platform/fs/errors.h"
#include "platform/fs/paths.h"

namespace plat {

namespace {

constexpr DWORD kBytesPerSector = 512;
constexpr DWORD kSectorsPerCluster = 8;
constexpr std::uint64_t kClusterBytes = std::uint64_t(kBytesPerSector) * kSectorsPerCluster;
constexpr DWORD kMaxClusters = static_cast<DWORD>(kMaxReportedBytes / kClusterBytes);

DWORD capped(std::uint64_t bytes) { return static_cast<DWORD>(std::min<std::uint64_t>(bytes, kMaxReportedBytes)); }

}  // namespace

namespace {

// The free and total bytes of the drive of a root, in full; a CD-ROM has
// no free space. False with the error set when the drive cannot be asked.
bool driveSpace(const char* root, std::uint64_t* freeBytes, std::uint64_t* totalBytes)
{
    std::string path = root && *root ? std::string(root) : std::string("\\");
    HostPath where = ResolveHostPath(path);
    if (where.error || !where.isFolder) {
        SetLastError(where.error ? where.error : ERROR_PATH_NOT_FOUND);
        return false;
    }
    struct statvfs vfs {};
    if (::statvfs(where.host.c_str(), &vfs) != 0) {
        SetLastError(ErrorFromErrno(errno));
        return false;
    }
    std::uint64_t unit = vfs.f_frsize ? vfs.f_frsize : vfs.f_bsize;
    *freeBytes = where.driveType == DRIVE_CDROM ? 0 : std::uint64_t(vfs.f_bavail) * unit;
    *totalBytes = std::uint64_t(vfs.f_blocks) * unit;
    return true;
}

}  // namespace

BOOL GetDiskFreeSpaceExA(const char* root, std::uint64_t* freeToCaller, std::uint64_t* totalBytes,
                         std::uint64_t* totalFree)
{
    std::uint64_t freeBytes = 0, total = 0;
    if (!driveSpace(root, &freeBytes, &total))
        return 0;
    for (std::uint64_t* out : {freeToCaller, totalFree})
        if (out)
            *out = freeBytes;
    if (totalBytes)
        *totalBytes = total;
    return 1;
}

BOOL GetDiskFreeSpaceA(const char* root, DWORD* sectorsPerCluster, DWORD* bytesPerSector,
                       DWORD* freeClusters, DWORD* totalClusters)
{
    std::uint64_t freeBytes = 0, totalBytes = 0;
    if (!driveSpace(root, &freeBytes, &totalBytes))
        return 0;
    if (sectorsPerCluster)
        *sectorsPerCluster = kSectorsPerCluster;
    if (bytesPerSector)
        *bytesPerSector = kBytesPerSector;
    if (freeClusters)
        *freeClusters = static_cast<DWORD>(std::min<std::uint64_t>(freeBytes / kClusterBytes, kMaxClusters));
    if (totalClusters)
        *totalClusters = static_cast<DWORD>(std::min<std::uint64_t>(totalBytes / kClusterBytes, kMaxClusters));
    return 1;
}

void GlobalMemoryStatus(MEMORYSTATUS* status)
{
    if (!status)
        return;
    std::uint64_t page = static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
    std::uint64_t total = static_cast<std::uint64_t>(::sysconf(_SC_PHYS_PAGES)) * page;
    std::uint64_t avail = static_cast<std::uint64_t>(::sysconf(_SC_AVPHYS_PAGES)) * page;
    *status = MEMORYSTATUS{};
    status->dwTotalPhys = capped(total);
    status->dwAvailPhys = capped(avail);
    status->dwMemoryLoad = total ? static_cast<DWORD>(100 - (avail * 100 / total)) : 0;
    status->dwTotalPageFile = capped(total);
    status->dwAvailPageFile = capped(avail);
    status->dwTotalVirtual = kMaxReportedBytes;
    status->dwAvailVirtual = kMaxReportedBytes;
}

BOOL GetVersionExA(OSVERSIONINFOA* info)
{
    if (!info || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    *info = OSVERSIONINFOA{};
    info->dwMajorVersion = 4;
    info->dwMinorVersion = 0;
    info->dwBuildNumber = 950;
    info->dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    return 1;
}

DWORD GetVersion() { return 0x80000000u | (950u << 16) | 0x0004u; }

}  // namespace plat
