#pragma once
// A temporary drive E: for the stream tests, and a reporter that records
// what the streams reported.

#include <filesystem>
#include <string>
#include <vector>

#include "foundation/JxErrorHook.h"
#include "platform/fs/paths.h"
#include "platform/tests/temp_config.h"

namespace streamtest {

class TempDrive {
public:
    TempDrive()
    {
        std::filesystem::create_directories(config_.root() + "/e");
        config_.writeDriveTable("[Drive E]\nPath=" + config_.root() + "/e\nType=fixed\n");
        plat::SetCurrentDirectoryA("E:\\");
    }
    std::string host(const std::string& name) const { return config_.root() + "/e/" + name; }
    void write(const std::string& name, const std::string& bytes) const
    {
        plat::testing::TempConfig::writeFile(host(name), bytes);
    }
    std::string read(const std::string& name) const
    {
        return plat::testing::TempConfig::readFile(host(name));
    }

private:
    plat::testing::TempConfig config_;
};

struct Report {
    std::int32_t id;
    std::vector<std::string> args;
};

class ReportLog {
public:
    ReportLog()
    {
        previous_ = SetErrorReporter([this](std::int32_t id, std::span<const JxMessageArg> args) {
            Report r{id, {}};
            for (const JxMessageArg& a : args)
                r.args.emplace_back(a.Text().View());
            reports.push_back(r);
            return 0;
        });
    }
    ~ReportLog() { SetErrorReporter(previous_); }
    std::vector<Report> reports;

private:
    JxErrorReporter previous_;
};

}  // namespace streamtest
