#pragma once
// The error log: a plain text file (the setting "LogFile", "error.log" by
// default) with one line per reported message, written only while the
// setting "LogErrors" is on. The file is opened for each message and closed
// again, so the log is complete whenever the program stops; start-up
// creates it empty.

// Appends the message and a line end; a log that cannot be opened or
// written is skipped without a report.
void AppendToErrorLog(const char* text);
