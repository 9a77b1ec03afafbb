#pragma once
// Tests that start and end host backends one after the other in one process
// keep a connection of their own to the X display for the whole run. An X
// server left with no client resets itself, and a backend that connects in
// that moment is cut off at once: its windows and its clipboard offers go
// nowhere, and the test fails for no fault of the program.

namespace plat::testing {

// Opens the connection once per process (when there is a display to open);
// it is closed at exit.
void KeepHostDisplay();

// The window that owns the display's clipboard as the server sees it now;
// 0 for none or without a display.
unsigned long HostClipboardOwner();

}  // namespace plat::testing
