#pragma once
// The whole program run in this process on a title written into its
// folder, headless, with the user's part played by a function called each
// time the program waits for input.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "foundation/JxErrorHook.h"
#include "foundation/JxErrorReport.h"
#include "foundation/JxMemoryGuard.h"
#include "foundation/JxResourceLibraries.h"
#include "foundation/JxStartupSettings.h"
#include "foundation/JxStringLoader.h"
#include "platform/backend/harness.h"
#include "platform/tests/temp_config.h"
#include "platform/window/desktop.h"
#include "runtime/JxCBaseApp.h"
#include "runtime/JxCProduct.h"
#include "runtime/JxCTovelApp.h"
#include "runtime/JxMainWindowProc.h"
#include "testkit/sample_title.h"
#include "tests/title_disc.h"
#include "title/JxTitleStartup.h"

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The program's folder: its own resources and the sample title.
        std::filesystem::copy(std::string(KELBO_SOURCE_DIR) + "/resources/kelbo32.resources",
                              config.program() + "/kelbo32.resources", std::filesystem::copy_options::recursive);
        testkit::WriteSampleTitle(config.program());
        WriteTitleDisc(config.config(), discFolder());
        ResetResourceLibraries();
        ResetStartupSettings();
        ResetErrorReporting();
        ResetMemoryGuard();
        ResetAppLoop();
        ResetMainWindowState();
        ConnectTitleServices(app);
        plat::SetResponder([this](const plat::UiRequest& r) -> std::optional<int> {
            unexpected.push_back(r.text);
            return kAnswerOk;
        });
    }
    void TearDown() override
    {
        plat::SetResponder(nullptr);
        SetStringLoader({});
        SetErrorReporter({});
        ResetErrorReporting();
        ResetMemoryGuard();
        ResetStartupSettings();
        ResetResourceLibraries();
        EXPECT_TRUE(unexpected.empty()) << unexpected.front();
    }

    // The data disc's folder (drive D:), where the title's pictures lie:
    // the program's folder, which the title was written into.
    std::string discFolder() const { return config.program(); }

    // The program's run, with `user` called each time it waits for input.
    int run(std::function<bool(plat::HWND main)> user, const char* commandLine = "")
    {
        harness->backend().setIdleHook([this, user](std::optional<std::uint64_t>) {
            JxCBaseProduct* product = GetProduct();
            plat::HWND main = product ? product->GetProductWindow() : nullptr;
            mainSeen = mainSeen ? mainSeen : main;
            return main ? user(main) : false;
        });
        SetProgramStarted();
        ConnectErrorReporting();
        std::string line(commandLine);
        JxCStartupInfo info{nullptr, nullptr, line.data()};
        return RunApplication(app, info);
    }

    plat::testing::TempConfig config;
    std::unique_ptr<plat::Harness> harness = std::make_unique<plat::Harness>();
    JxCTovelApp app{0};
    std::vector<std::string> unexpected;
    plat::HWND mainSeen = nullptr;
};
