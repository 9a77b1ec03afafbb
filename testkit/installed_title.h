#pragma once
// A title laid out as its users have it: the installer's part in the
// program's folder on the hard disk (the program, its resource libraries,
// the movie library, the title's INI file, the product data file and the
// quiz's word file),
// and everything else (the data store, pictures, sounds, animations,
// movies) on the title's disc, a CD-ROM drive with its volume label.
//
//   testkit::WriteSampleTitle(program);      // the whole title, in one folder
//   testkit::MoveDataToDisc(program, disc);  // the disc's part goes to the disc
//   WriteHostFile(program + "/kelbo32.ini", testkit::InstalledIni({}));
//   platform.ini: testkit::DriveSection('D', disc, "cdrom", "KELBO")

#include <string>

namespace testkit {

// What the title's INI file of an installation says.
struct InstalledSettings {
    std::string dataPath = "D:\\";
    std::string volumeLabel = "KELBO";
    // A network installation: the data path is taken as it lists.
    bool network = false;
    // Further lines of section "Directory" ("User=C:\\Users\r\n").
    std::string extra;
};

// Whether the installer puts the file (a name in the program's folder) there.
bool IsInstalledFile(const std::string& name, const std::string& dataFileName = "KELBO.DAT");
// Moves every file and folder of the program's folder that the installer
// does not put there into the disc's folder (created when missing).
void MoveDataToDisc(const std::string& programFolder, const std::string& discFolder,
                    const std::string& dataFileName = "KELBO.DAT");
// The title's INI file, in Windows line ends.
std::string InstalledIni(const InstalledSettings& settings);
// One drive of the drive table (platform.ini): its letter, host folder,
// type (fixed, cdrom, remote) and volume label.
std::string DriveSection(char letter, const std::string& host, const std::string& type,
                         const std::string& label = "");

}  // namespace testkit
