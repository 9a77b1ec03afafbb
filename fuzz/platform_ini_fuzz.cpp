// The drive table ("platform.ini" of the configuration folder) on arbitrary
// text: every drive it yields has a letter A to Z, once, and an absolute
// host folder or none; the drive calls (type, volume, connection, the logical drive
// mask) answer for every letter without a fault; paths on each drive
// resolve or are refused. Nothing here writes: a table that maps a drive to
// any host folder is only looked at. The scratch table is put back after.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "fuzz_support.h"
#include "platform/fs/drives.h"
#include "platform/fs/find.h"
#include "platform/fs/paths.h"

namespace {

void askEveryLetter()
{
    const plat::DWORD mask = plat::GetLogicalDrives();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        const plat::UINT type = plat::GetDriveTypeA(root.c_str());
        fuzz::Check(((mask >> (letter - 'A')) & 1) == (type != plat::DRIVE_NO_ROOT_DIR ? 1u : 0u));
        char volume[64] = {};
        plat::DWORD serial = 0, longest = 0, flags = 0;
        char system[16] = {};
        plat::GetVolumeInformationA(root.c_str(), volume, sizeof volume, &serial, &longest, &flags, system,
                                    sizeof system);
        char remote[64] = {};
        plat::DWORD length = sizeof remote;
        const std::string local = std::string(1, letter) + ":";
        plat::WNetGetConnectionA(local.c_str(), remote, &length);
        plat::ResolveHostPath(root + "SETUP\\setup.inf");
        plat::ResolveHostPath(root + "..\\..\\x");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    plat::testing::TempConfig& scratch = fuzz::Scratch();
    const std::string table = scratch.config() + "/platform.ini";
    const std::string before = plat::testing::TempConfig::readFile(table);
    plat::testing::TempConfig::writeFile(table, std::string(reinterpret_cast<const char*>(data), size));
    plat::ReloadDriveTable();
    std::set<char> letters;
    for (const plat::DriveInfo& drive : plat::Drives()) {
        fuzz::Check(drive.letter >= 'A' && drive.letter <= 'Z' && letters.insert(drive.letter).second);
        // Without a folder nothing on the drive can be reached.
        fuzz::Check(drive.hostFolder.empty() || drive.hostFolder.front() == '/');
        fuzz::Check(plat::FindDrive(char(drive.letter - 'A' + 'a')).has_value());
    }
    askEveryLetter();
    plat::testing::TempConfig::writeFile(table, before);
    plat::ReloadDriveTable();
    return 0;
}
