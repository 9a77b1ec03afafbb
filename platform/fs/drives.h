#pragma once
// The drive table: which Windows drive letters exist and which host folder
// each one stands for. It is read from "platform.ini" in the configuration
// folder, one section per drive:
//
//   [Drive D]
//   Path=/media/cdrom        host folder (absolute, "~/..." or relative to
//                            the configuration folder)
//   Type=cdrom               fixed, cdrom, remote or removable
//   Label=KELBO              volume label
//   Network=\\server\share   name of the connection (remote drives)
//
// Without an entry for C:, drive C: is the configuration folder itself, so
// C:\WINDOWS is the emulated Windows folder. When no drive holds the
// program's folder, it becomes a fixed drive of its own (P:, or the next
// free letter). A cdrom drive whose folder is missing or empty holds no
// disc: it keeps its type, but nothing on it can be read. When the folder
// has no platform.ini, one holding only these explanations is written.

#include <optional>
#include <string>
#include <vector>

#include "platform/core/types.h"

namespace plat {

constexpr UINT DRIVE_UNKNOWN = 0;
constexpr UINT DRIVE_NO_ROOT_DIR = 1;
constexpr UINT DRIVE_REMOVABLE = 2;
constexpr UINT DRIVE_FIXED = 3;
constexpr UINT DRIVE_REMOTE = 4;
constexpr UINT DRIVE_CDROM = 5;
constexpr UINT DRIVE_RAMDISK = 6;

struct DriveInfo {
    char letter = 0;         // 'A' to 'Z'
    std::string hostFolder;  // without a trailing slash
    UINT type = DRIVE_FIXED;
    std::string label;
    std::string network;
};

// The drive of a letter (either case), or none when it is not mapped.
std::optional<DriveInfo> FindDrive(char letter);
// Every mapped drive, in letter order.
std::vector<DriveInfo> Drives();
// False for a cdrom drive whose folder is missing or empty.
bool DriveHasMedium(const DriveInfo& drive);
// Reads platform.ini again (after a test or the user changed it).
void ReloadDriveTable();

// Windows calls over the table. A root is "X:\", "X:" or null for the
// current drive.
UINT GetDriveTypeA(const char* root);
DWORD GetLogicalDrives();
BOOL GetVolumeInformationA(const char* root, char* volumeName, DWORD volumeNameSize,
                           DWORD* serialNumber, DWORD* maxComponentLength,
                           DWORD* fileSystemFlags, char* fileSystemName,
                           DWORD fileSystemNameSize);
// The connection name of a network drive ("X:"); 0, ERROR_NOT_CONNECTED,
// ERROR_MORE_DATA (with the size needed) or ERROR_BAD_DEVICE.
DWORD WNetGetConnectionA(const char* localName, char* remoteName, DWORD* length);

}  // namespace plat
