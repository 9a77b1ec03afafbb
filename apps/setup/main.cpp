#include <cstdio>
#include <string>

#include "platform/backend/backend.h"
#include "setup/SetupMainWindow.h"
#include "setup/SetupStartup.h"

int main(int argc, char** argv)
{
    plat::StartPlatform();
    if (std::string why = WhyNobodyCanAnswer(); !why.empty()) {
        std::fprintf(stderr, "setup: %s\n", why.c_str());
        return 1;
    }
    // The entry function takes the arguments as one command line.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            commandLine += ' ';
        commandLine += argv[i];
    }
    return RunSetup(commandLine);
}
