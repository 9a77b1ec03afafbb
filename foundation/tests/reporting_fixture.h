#pragma once
// A temporary configuration folder with the program's own resources and
// resource libraries written by the test, the foundation's hooks connected,
// message boxes answered from a script and the end of the process caught.

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "foundation/JxErrorHook.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxMemoryGuard.h"
#include "foundation/JxProcessExit.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "foundation/JxStringLoader.h"
#include "platform/backend/harness.h"
#include "platform/tests/temp_config.h"

// Thrown by the intercepted exit.
struct ProcessEnded {
    int code;
};

class ReportingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The program's file itself, as it stands in its folder.
        plat::testing::TempConfig::writeFile(config.program() + "/kelbo32", "");
        ResetResourceLibraries();
        ResetStartupSettings();
        ResetErrorReporting();
        ResetMemoryGuard();
        ConnectErrorReporting();
        SetProgramStarted();
        previousResponder_ = plat::SetResponder([this](const plat::UiRequest& r) -> std::optional<int> {
            boxes.push_back(r);
            if (answers.empty())
                return std::nullopt;
            int a = answers.front();
            answers.pop_front();
            return a;
        });
        previousExit_ = SetExitHandler([](int code) { throw ProcessEnded{code}; });
    }
    void TearDown() override
    {
        plat::SetResponder(previousResponder_);
        SetExitHandler(previousExit_);
        SetStringLoader({});
        SetErrorReporter({});
        ResetResourceLibraries();
        ResetStartupSettings();
        ResetErrorReporting();
        ResetMemoryGuard();
    }

    // A strings.txt for the program's own module or a library folder.
    void programStrings(const std::string& lines) const
    {
        plat::testing::TempConfig::writeFile(config.program() + "/kelbo32.resources/strings.txt", lines);
    }
    void libraryStrings(const std::string& name, const std::string& lines) const
    {
        plat::testing::TempConfig::writeFile(config.program() + "/" + name + ".resources/strings.txt", lines);
    }
    void iniFile(const std::string& text) const
    {
        plat::testing::TempConfig::writeFile(config.program() + "/kelbo32.ini", text);
    }
    std::string hostFile(const std::string& name) const
    {
        return plat::testing::TempConfig::readFile(config.program() + "/" + name);
    }
    // The program folder as the program sees it ("P:\").
    std::string programFolder() const { return std::string(GetProgramFolderString().View()); }

    plat::testing::TempConfig config;
    plat::Harness harness;
    std::vector<plat::UiRequest> boxes;
    std::deque<int> answers;

private:
    plat::Responder previousResponder_;
    JxExitHandler previousExit_;
};
