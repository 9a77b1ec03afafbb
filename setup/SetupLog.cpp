#include "setup/SetupLog.h"

#include <cstdio>

namespace {

std::vector<std::string>& notes()
{
    static std::vector<std::string> lines;
    return lines;
}

}  // namespace

void LogSetupNote(const std::string& line)
{
    std::fprintf(stderr, "setup: %s\n", line.c_str());
    notes().push_back(line);
}

const std::vector<std::string>& SetupNotes() { return notes(); }

void ClearSetupNotes() { notes().clear(); }
