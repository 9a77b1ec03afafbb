#pragma once
// The title's data disc as the program finds it on a user's machine: a
// CD-ROM drive D: holding the disc with its volume label, and the title's
// INI file (in the Windows folder, where the program looks last) pointing
// the data path at it.

#include <string>

#include "platform/tests/temp_config.h"

inline void WriteTitleDisc(const std::string& configFolder, const std::string& discFolder)
{
    using plat::testing::TempConfig;
    TempConfig::writeFile(discFolder + "/README.TXT", "The title's data.\n");
    TempConfig::writeFile(configFolder + "/platform.ini",
                          "[Drive D]\nPath=" + discFolder + "\nType=cdrom\nLabel=KELBO\n");
    TempConfig::writeFile(configFolder + "/windows/kelbo32.ini", "[Directory]\nData=D:\\\nVolumeLabel=KELBO\n");
    plat::ReloadDriveTable();
}
