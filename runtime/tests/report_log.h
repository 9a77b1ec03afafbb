#pragma once
// Catches what the code under test reports through the error hook.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "foundation/JxErrorHook.h"

class ReportLog {
public:
    ReportLog()
    {
        previous_ = SetErrorReporter([this](std::int32_t id, std::span<const JxMessageArg> args) {
            ids.push_back(id);
            firstArgs.push_back(args.empty() ? std::string() : std::string(args[0].Text().View()));
            return 0;
        });
    }
    ~ReportLog() { SetErrorReporter(previous_); }
    ReportLog(const ReportLog&) = delete;
    ReportLog& operator=(const ReportLog&) = delete;

    std::vector<std::int32_t> ids;
    std::vector<std::string> firstArgs;

private:
    JxErrorReporter previous_;
};
