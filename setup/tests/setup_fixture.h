#pragma once
// The installer under test: a temporary configuration, the installer's own
// resources from the source tree, a distribution medium on drive D: with
// its "setup.inf", and the headless harness that answers its boxes.

#include <gtest/gtest.h>

#include <string>

#include "platform/backend/harness.h"
#include "platform/core/codepage.h"
#include "platform/fs/folders.h"
#include "platform/fs/paths.h"
#include "platform/tests/temp_config.h"
#include "setup/SetupState.h"

namespace setup_testing {

class SetupTest : public ::testing::Test {
protected:
    plat::testing::TempConfig config;
    plat::Harness harness;

    void SetUp() override
    {
        plat::SetProgramFileHost(std::string(KELBO_SOURCE_DIR) + "/resources/setup");
        config.writeDriveTable("[Drive D]\nPath=" + medium() + "\nType=cdrom\nLabel=KELBO\n");
        writeScript("[kelbo]\ntest=1\nspaceneed=3500\n");
        before_ = plat::GetACP();
        plat::SetACP(1253);
        ResetSetup();
    }
    void TearDown() override
    {
        plat::SetResponder(nullptr);
        plat::SetACP(before_);
    }

    std::string medium() const { return config.root() + "/medium"; }
    void writeScript(const std::string& text) const { config.writeFile(medium() + "/setup.inf", text); }

    // A UTF-8 text as the installer's windows show it (code page 1253).
    static std::string ansi(const std::string& utf8) { return plat::Utf8ToCodePage(utf8, 1253); }

private:
    int before_ = 1252;
};

}  // namespace setup_testing
