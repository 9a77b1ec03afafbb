#pragma once
// The program's file-version information, read for the about text and the
// language selection.

// Reads it again.
void ResetVersionInfo();
