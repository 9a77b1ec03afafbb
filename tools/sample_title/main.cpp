// Writes the sample title into a folder (the program's folder):
//   sample_title FOLDER
// or laid out as a user has it installed, the program's part (its INI file
// pointing the data path at the disc, a CD-ROM drive D: labelled KELBO) in
// the first folder and the disc's part in the second:
//   sample_title FOLDER DISC

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "testkit/installed_title.h"
#include "testkit/sample_quiz.h"
#include "testkit/sample_title.h"
#include "testkit/word_data.h"
#include "title/JxClassRegistrations.h"

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::cerr << "usage: sample_title FOLDER [DISC]\n";
        return 2;
    }
    try {
        // The stored objects are named by the program's own classes, the
        // logbook's and the login's among them; the title opens on its
        // login.
        RegisterClasses();
        testkit::WriteSampleTitle(argv[1], true, true);
        UnregisterClasses();
        // The quiz's word lists beside the program.
        testkit::WriteHostFile(std::string(argv[1]) + "/WordData.dat", testkit::SampleQuizWordData().Bytes());
        // The title's INI file beside the program: the data lies in the
        // program's own folder (drive P:), which is taken as it lists, as an
        // installation on a network or hard disk is; or on the disc.
        std::string ini = "[Directory]\r\nData=P:\\\r\nNetwork=1\r\n";
        if (argc == 3) {
            testkit::MoveDataToDisc(argv[1], argv[2]);
            ini = testkit::InstalledIni({});
        }
        testkit::WriteHostFile(std::string(argv[1]) + "/kelbo32.ini", std::vector<std::uint8_t>(ini.begin(), ini.end()));
    } catch (const std::exception& e) {
        std::cerr << "sample_title: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
