#pragma once
// Free disk space and memory, in the 32-bit forms the engine and the
// installer compute with. Both are capped below 2 GB so that callers that
// multiply or compare them in signed 32-bit arithmetic never see a host's
// large figures wrap into small ones; the 64-bit form of the disk space
// gives them in full.

#include <cstdint>

#include "platform/core/types.h"

namespace plat {

// Free clusters x sectors per cluster x bytes per sector stays below 2^31.
BOOL GetDiskFreeSpaceA(const char* root, DWORD* sectorsPerCluster, DWORD* bytesPerSector,
                       DWORD* freeClusters, DWORD* totalClusters);

// The same drive's bytes in full, 64 bits wide: free to the caller, total,
// and free in all (the same as free to the caller: the host has no quotas
// of its own here). Any of the three may be null.
BOOL GetDiskFreeSpaceExA(const char* root, std::uint64_t* freeToCaller, std::uint64_t* totalBytes,
                         std::uint64_t* totalFree);

struct MEMORYSTATUS {
    DWORD dwLength = sizeof(MEMORYSTATUS);
    DWORD dwMemoryLoad = 0;
    DWORD dwTotalPhys = 0;
    DWORD dwAvailPhys = 0;
    DWORD dwTotalPageFile = 0;
    DWORD dwAvailPageFile = 0;
    DWORD dwTotalVirtual = 0;
    DWORD dwAvailVirtual = 0;
};
void GlobalMemoryStatus(MEMORYSTATUS* status);

// The Windows the engine runs on: version 4.0 of the consumer line
// (platform id 1), which has a registry but none of the server line's
// security descriptors or administrator rights.
constexpr DWORD VER_PLATFORM_WIN32s = 0;
constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;
struct OSVERSIONINFOA {
    DWORD dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    DWORD dwMajorVersion = 0;
    DWORD dwMinorVersion = 0;
    DWORD dwBuildNumber = 0;
    DWORD dwPlatformId = 0;
    char szCSDVersion[128] = {};
};
// False when dwOSVersionInfoSize is not the structure's size.
BOOL GetVersionExA(OSVERSIONINFOA* info);
// Major version in the low byte, minor in the next; the top bit set for
// the consumer line.
DWORD GetVersion();

// The caps, for callers and tests.
constexpr DWORD kMaxReportedBytes = 0x7FFFFFFF;

}  // namespace plat
