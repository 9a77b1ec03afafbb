#include <string>

#include "foundation/JxResourceLibraries.h"
#include "platform/backend/backend.h"
#include "runtime/JxCBaseApp.h"
#include "runtime/JxCTovelApp.h"
#include "title/JxTitleStartup.h"

int main(int argc, char** argv)
{
    plat::StartPlatform();
    // The entry function takes the arguments as one command line.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            commandLine += ' ';
        commandLine += argv[i];
    }
    ConnectTitleServices(GetTovelApp());
    return WinMain(GetInstanceHandle(), nullptr, commandLine.data(), 1);
}
