#pragma once
// The whole program run in this process on a title written into its
// folder, headless, with the user's part played by a function called each
// time the program waits for input.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "foundation/JxErrorReport.h"
#include "platform/backend/harness.h"
#include "platform/screen/screen.h"
#include "platform/tests/temp_config.h"
#include "platform/window/desktop.h"
#include "platform/window/window.h"
#include "runtime/JxCBaseApp.h"
#include "runtime/JxCProduct.h"
#include "runtime/JxCTovelApp.h"
#include "tests/program_run.h"
#include "title/JxTitleStartup.h"

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallSampleTitle(config);
        BeginProgramRun();
        ConnectTitleServices(app);
        plat::SetResponder([this](const plat::UiRequest& r) -> std::optional<int> {
            for (const std::string& name : missingFiles)
                if (r.text.find(name) != std::string::npos)
                    return kAnswerIgnore;
            unexpected.push_back(r.text);
            return kAnswerOk;
        });
    }
    void TearDown() override
    {
        EndProgramRun();
        EXPECT_TRUE(unexpected.empty()) << unexpected.front();
    }

    // A client point of the main window on the screen.
    static plat::POINT onScreen(plat::HWND main, int x, int y)
    {
        plat::POINT p{x, y};
        plat::ClientToScreen(main, &p);
        return p;
    }
    // The screen's colour (0xRRGGBB) at a client point of the main window.
    static std::uint32_t colourAt(plat::HWND main, int x, int y)
    {
        const plat::POINT p = onScreen(main, x, y);
        return plat::TheScreen().pixels()[p.y * plat::TheScreen().stride() + p.x] & 0xFFFFFFu;
    }
    // A colour of the sample palette as the screen shows it.
    static std::uint32_t paletteColour(std::uint8_t index)
    {
        const testkit::Rgb c = testkit::SamplePalette()[index];
        return std::uint32_t(c[0]) << 16 | std::uint32_t(c[1]) << 8 | c[2];
    }

    // The data disc's folder (drive D:), where the title's pictures lie.
    std::string discFolder() const { return DiscFolder(config); }
    // A title of the test's own in place of the sample, laid out as the
    // sample is: written into the program's folder, its disc's part moved
    // to the disc.
    void install(testkit::TitleFolder& title) const
    {
        title.Write(config.program());
        testkit::MoveDataToDisc(config.program(), discFolder());
    }

    // The program's run, with `user` called each time it waits for input.
    int run(std::function<bool(plat::HWND main)> user, const char* commandLine = "")
    {
        harness->backend().setIdleHook([this, user](std::optional<std::uint64_t> deadline) {
            waitDeadline = deadline;
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
    // Files the test's title lacks: a box that names one is answered Ignore,
    // as a user would, and is not unexpected.
    std::vector<std::string> missingFiles;
    // The sample title as the tests write it has no movie (only a medium
    // written with the movie library has one): its gallery names it.
    static constexpr const char* kSampleMovie = "SAMPLE.mov";
    plat::HWND mainSeen = nullptr;
    // When the program, about to wait, has a timer due: then; none while
    // no timer runs (a headless wait then lasts until input comes).
    std::optional<std::uint64_t> waitDeadline;
};
