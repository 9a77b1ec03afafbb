#pragma once
// The installer run whole on a fake distribution medium at E: (its
// installer in E:\SETUP), installing into the default target on C: (the
// configuration folder), with the menu entries going to a data folder of
// the test's own. A scripted user presses Next on every page, answers the
// yes/no box as told and OK on every message box; the boxes' texts are kept
// in UTF-8.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/backend/harness.h"
#include "platform/core/codepage.h"
#include "platform/fs/folders.h"
#include "platform/fs/paths.h"
#include "platform/tests/temp_config.h"
#include "platform/ui/message_box.h"
#include "platform/ui/responder.h"
#include "setup/DesktopEntries.h"
#include "setup/SetupLog.h"
#include "setup/SetupMainWindow.h"
#include "setup/SetupState.h"
#include "testkit/fake_medium.h"

namespace setup_testing {

class InstallTest : public ::testing::Test {
protected:
    plat::testing::TempConfig config;
    plat::Harness harness;
    testkit::FakeMedium disc{config.root() + "/disc"};
    std::vector<std::string> boxes;  // message boxes and dialogs other than the pages, in order
    bool answerYes = true;           // the answer to "YesOrNoBox"
    bool retry = false;              // the answer to "ErrorBox"
    bool confirmExit = false;        // the answer to "ExitInstall": exit, else continue
    int pages = 0;                   // the wizard's pages shown
    // Called before each answer (a page's or a box's).
    std::function<void(const plat::UiRequest&)> beforeAnswer;

    void SetUp() override
    {
        plat::SetProgramFileHost(std::string(KELBO_SOURCE_DIR) + "/resources/setup");
        const char* data = std::getenv("XDG_DATA_HOME");
        savedDataHome_ = data ? std::optional<std::string>(data) : std::nullopt;
        ::setenv("XDG_DATA_HOME", dataHome().c_str(), 1);
        SetEngineProgramHost(KELBO_ENGINE_PROGRAM);
        before_ = plat::GetACP();
        plat::SetACP(1253);
        ResetSetup();
        ClearSetupNotes();
        disc.set("kelbo", "diskettes", "2")
            .set("kelbo", "exe", "KELBO32.EXE")
            .set("kelbo", "readme", "README.TXT")
            .set("kelbo", "uninst", "DELETE.EXE")
            .set("kelbo", "exelnk", oem("Ταρνέλο.lnk"))
            .set("kelbo", "readmelnk", oem("Διάβασέ με.lnk"))
            .set("kelbo", "uninstlnk", oem("Απεγκατάσταση.lnk"))
            .set("kelbo", "exedescr", "Kelbo")
            .set("kelbo", "readmedescr", "Read me")
            .set("kelbo", "qt", "QT\\SETUP.EXE");
        plat::SetResponder([this](const plat::UiRequest& r) -> std::optional<int> { return answer(r); });
    }
    void TearDown() override
    {
        plat::SetResponder(nullptr);
        plat::SetACP(before_);
        SetEngineProgramHost("");
        if (savedDataHome_)
            ::setenv("XDG_DATA_HOME", savedDataHome_->c_str(), 1);
        else
            ::unsetenv("XDG_DATA_HOME");
    }

    std::string dataHome() const { return config.root() + "/data"; }
    std::string menuFolder() const { return dataHome() + "/applications/Jx Multimedia"; }
    std::string target() const { return config.config() + "/Jx/Jx Multimedia/KELBO"; }
    std::string systemFolder() const { return config.config() + "/windows/system"; }
    static std::string oem(const std::string& utf8) { return plat::Utf8ToCodePage(utf8, 737); }

    // Writes the disc and maps it as E:.
    void mapDisc()
    {
        disc.write();
        config.writeDriveTable(disc.driveSection('E'));
    }
    // Compresses a file of the installer folder in place, as the medium's
    // tools did.
    static void compressOnDisc(const std::string& hostFile)
    {
        std::filesystem::path file(hostFile);
        std::filesystem::path work = file.parent_path() / "PACKING";
        std::filesystem::copy_file(file, work);
        std::string command = "mscompress '" + work.string() + "' >/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << "mscompress (package mscompress) is needed";
        std::filesystem::remove(work);
        std::filesystem::rename(work.string() + "_", file);
    }

    int install() { return RunSetup("E:\\SETUP"); }

private:
    std::optional<int> answer(const plat::UiRequest& r)
    {
        if (beforeAnswer)
            beforeAnswer(r);
        if (r.templateName.rfind("DIALOG", 0) == 0) {
            ++pages;
            return 1;  // Next
        }
        if (r.kind == "MessageBox") {
            boxes.push_back(plat::CodePageToUtf8(r.text, 1253));
            return plat::IDOK;
        }
        boxes.push_back(r.templateName);
        if (r.templateName == "YesOrNoBox")
            return answerYes ? 6 : 7;
        if (r.templateName == "ErrorBox")
            return retry ? plat::IDOK : plat::IDCANCEL;
        if (r.templateName == "ExitInstall")
            return confirmExit ? plat::IDOK : plat::IDCANCEL;
        return plat::IDCANCEL;
    }

    int before_ = 1252;
    std::optional<std::string> savedDataHome_;
};

}  // namespace setup_testing
