// Writes the sample title into a folder (the program's folder):
//   sample_title FOLDER
// or laid out as a user has it installed, the program's part (its INI file
// pointing the data path at the disc, a CD-ROM drive D: labelled KELBO) in
// the first folder and the disc's part in the second:
//   sample_title FOLDER DISC
// or as its installer's medium (testkit/sample_medium.h), into a new or
// empty folder that `setup` installs from once it is mapped as a CD-ROM
// drive labelled KELBO:
//   sample_title --medium FOLDER

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "testkit/installed_title.h"
#include "testkit/sample_medium.h"
#include "testkit/title_folder.h"
#include "title/JxClassRegistrations.h"

namespace {

// The stored objects are named by the program's own classes, the logbook's
// and the login's among them; the title opens on its login.
struct Classes {
    Classes() { RegisterClasses(); }
    ~Classes() { UnregisterClasses(); }
};

void writeMedium(const std::string& folder)
{
    const std::string root = std::filesystem::absolute(folder).lexically_normal().string();
    testkit::SampleMediumFiles files;
    files.movieLibrary = KELBO_MOVIE_LIBRARY;
#ifdef KELBO_SAMPLE_MOVIE
    if (std::filesystem::exists(KELBO_SAMPLE_MOVIE))
        files.movie = KELBO_SAMPLE_MOVIE;
#endif
    {
        Classes classes;
        testkit::WriteSampleMedium(root, files);
    }
    std::cout << "The sample title's installer medium is in " << root << ".\n"
              << "Map it as a CD-ROM drive in platform.ini:\n\n"
              << testkit::DriveSection('D', root, "cdrom", testkit::kSampleMediumLabel)
              << "\nthen install it with: setup 'D:\\" << testkit::kSampleMediumInstaller << "'\n";
    if (files.movie.empty())
        std::cout << "(The build made no movie (it needs the ffmpeg program): the gallery shows none.)\n";
}

void writeFolder(const std::string& program, const char* disc)
{
    {
        Classes classes;
        testkit::WriteSampleTitleFolder(program);
    }
    // The title's INI file beside the program: the data lies in the
    // program's own folder (drive P:), which is taken as it lists, as an
    // installation on a network or hard disk is; or on the disc.
    std::string ini = "[Directory]\r\nData=P:\\\r\nNetwork=1\r\n";
    if (disc) {
        testkit::MoveDataToDisc(program, disc);
        ini = testkit::InstalledIni({});
    }
    testkit::WriteHostFile(program + "/kelbo32.ini", std::vector<std::uint8_t>(ini.begin(), ini.end()));
}

}  // namespace

int main(int argc, char** argv)
{
    const bool medium = argc == 3 && std::string(argv[1]) == "--medium";
    if (argc != 2 && argc != 3) {
        std::cerr << "usage: sample_title FOLDER [DISC]\n       sample_title --medium FOLDER\n";
        return 2;
    }
    try {
        if (medium)
            writeMedium(argv[2]);
        else
            writeFolder(argv[1], argc == 3 ? argv[2] : nullptr);
    } catch (const std::exception& e) {
        std::cerr << "sample_title: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
