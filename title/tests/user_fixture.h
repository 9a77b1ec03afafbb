#pragma once
// A program folder whose INI file points the user folder at P:\Users, the
// program's own strings, reports caught, and helpers for the user files on
// the host.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "foundation/JxStartupSettings.h"
#include "foundation/tests/reporting_fixture.h"
#include "platform/fs/atomic_file.h"
#include "runtime/tests/report_log.h"
#include "testkit/user_file.h"

class UserFilesTest : public ReportingTest {
protected:
    void SetUp() override
    {
        ReportingTest::SetUp();
        programStrings("1\tkelbo32.ini\n4\tKelbo\n190\t.\n191\tHello, \n3013\tmmapp\n"
                       "8300\tThe user folder %s cannot be written.\n8301\tYour progress could not be saved in %s.\n"
                       "8302\tThe new user could not be saved in %s.\n8303\t%s cannot be written: no log-in.\n" +
                       moreProgramStrings());
        iniFile("[Directory]\nUser=" + std::string(userFolderSetting()) + "\n");
        ReadSettings();
        std::filesystem::create_directories(userHost());
        reports = std::make_unique<ReportLog>();
    }
    void TearDown() override
    {
        plat::SetWriteFaultHook({});
        reports.reset();
        ReportingTest::TearDown();
    }
    virtual const char* userFolderSetting() const { return "P:\\Users"; }
    // Lines of the program's string file besides the few every test needs.
    virtual std::string moreProgramStrings() const { return {}; }

    std::string userHost() const { return config.program() + "/Users"; }
    std::string userHost(const std::string& name) const { return userHost() + "/" + name; }

    void writeUser(const std::string& fileName, const testkit::UserFile& file) const
    {
        ASSERT_TRUE(file.WriteTo(userHost(fileName)));
    }
    void writeUser(const std::string& fileName, const std::string& name) const
    {
        testkit::UserFile file;
        file.name = name;
        writeUser(fileName, file);
    }
    std::vector<std::uint8_t> bytesOf(const std::string& fileName) const
    {
        const std::string text = plat::testing::TempConfig::readFile(userHost(fileName));
        return std::vector<std::uint8_t>(text.begin(), text.end());
    }
    // Files left beside the user files by unfinished writes.
    std::size_t leftovers() const
    {
        std::size_t n = 0;
        for (const auto& e : std::filesystem::directory_iterator(userHost()))
            n += e.path().filename().string().find(".tmp") != std::string::npos;
        return n;
    }

    std::unique_ptr<ReportLog> reports;
};
