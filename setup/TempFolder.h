#pragma once
// The installer's own temporary folder in the target. It is made fresh
// under a name that nothing in the target uses ("Temp", else "Temp1",
// "Temp2" ...), looked at without following links, so that no folder or
// link of the user's is ever written into or emptied; and it is removed
// with exactly what the installer put in it, once it is seen to be still
// the folder that was made.

#include <string>

// Makes the folder and names it in Setup().temp.path; false when none
// could be made.
bool MakeTempFolder();
// An entry the installer put in it (a path relative to the folder); a
// folder is noted before what goes into it.
void NoteTempEntry(const std::string& relative);
// Removes the noted entries and the folder; nothing when the installer
// made none, or when the folder is no longer the one it made.
void DeleteTempFolder();
