#pragma once
// The installer's notes on what it did differently from the Windows
// installer (steps skipped on this host, names refused): each line goes to
// the standard error stream and is kept for the run.

#include <string>
#include <vector>

void LogSetupNote(const std::string& line);
const std::vector<std::string>& SetupNotes();
void ClearSetupNotes();
