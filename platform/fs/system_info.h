#pragma once
// Free disk space and memory, in the 32-bit forms the engine and the
// installer compute with. Both are capped below 2 GB so that callers that
// multiply or compare them in signed 32-bit arithmetic never see a host's
// large figures wrap into small ones.

#include "platform/core/types.h"

namespace plat {

// Free clusters x sectors per cluster x bytes per sector stays below 2^31.
BOOL GetDiskFreeSpaceA(const char* root, DWORD* sectorsPerCluster, DWORD* bytesPerSector,
                       DWORD* freeClusters, DWORD* totalClusters);

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

// The caps, for callers and tests.
constexpr DWORD kMaxReportedBytes = 0x7FFFFFFF;

}  // namespace plat
