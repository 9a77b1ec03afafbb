// The installer program as a user or a script starts it without a display:
// it says that it needs one, or lets a KELBO_SCRIPT answer its pages.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/tests/temp_config.h"
#include "testkit/fake_medium.h"

namespace {

using plat::testing::TempConfig;

class SetupProgramTest : public ::testing::Test {
protected:
    TempConfig config;
    testkit::FakeMedium disc{config.root() + "/disc"};

    void SetUp() override
    {
        disc.set("kelbo", "diskettes", "2").exe("README.TXT", "Read me first.\r\n");
        disc.write();
        // The program's own configuration folder: the disc as E:.
        TempConfig::writeFile(config.root() + "/xdg/kelbo/platform.ini", disc.driveSection('E'));
    }

    // Runs the installer with the given environment; its exit code, and
    // what it said on stderr in *said.
    int runSetup(const std::string& environment, std::string* said) const
    {
        std::string errors = config.root() + "/stderr.txt";
        std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u KELBO_SCRIPT XDG_CONFIG_HOME='" + config.root() +
                              "/xdg' XDG_DATA_HOME='" + config.root() + "/data' " + environment + " '" +
                              KELBO_SETUP_PROGRAM + "' 'E:\\SETUP' 2>'" + errors + "' </dev/null";
        int status = std::system(command.c_str());
        *said = TempConfig::readFile(errors);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

TEST_F(SetupProgramTest, WithoutADisplayItSaysSoAndEnds)
{
    for (const char* environment : {"", "KELBO_BACKEND=headless"}) {
        SCOPED_TRACE(environment);
        std::string said;
        EXPECT_EQ(runSetup(environment, &said), 1);
        EXPECT_NE(said.find("needs a display"), std::string::npos) << said;
    }
    EXPECT_FALSE(std::filesystem::exists(config.root() + "/xdg/kelbo/Jx")) << "nothing installed";
}

TEST_F(SetupProgramTest, AScriptAnswersItsPagesAndBoxes)
{
    // Next on the four pages, then OK on the boxes: the shortcuts this script
    // names none of, and the end.
    std::string script = config.root() + "/answers.txt";
    TempConfig::writeFile(script, "answer 1\nanswer 1\nanswer 1\nanswer 1\nanswer 1\nanswer 1\n");
    std::string said;
    EXPECT_EQ(runSetup("KELBO_SCRIPT='" + script + "'", &said), 0) << said;
    EXPECT_EQ(TempConfig::readFile(config.root() + "/xdg/kelbo/Jx/Jx Multimedia/KELBO/README.TXT"),
              "Read me first.\r\n");

    // Again, with nothing to answer whether to go on in the folder that is
    // there now: the box is named on stderr as a terminal spells it.
    TempConfig::writeFile(script, "answer 1\nanswer 1\nanswer 1\nanswer 1\n");
    EXPECT_EQ(runSetup("KELBO_SCRIPT='" + script + "'", &said), 3) << said;
    EXPECT_NE(said.find("\"Προσοχή\""), std::string::npos) << said;
    EXPECT_NE(said.find("Το directory του προγράμματος υπάρχει."), std::string::npos) << said;
}

}  // namespace
