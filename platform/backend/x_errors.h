#pragma once
// How the program meets the errors of its connections to the X display:
// SDL's own, served on the main thread, and the picture clipboard's, served
// on a thread of its own. The X library keeps one handler of each kind for
// the whole process and calls it on whichever thread reads the error; left
// to itself, it ends the process from that thread.
//
// - A program that asks for the clipboard and goes away before the answer
//   (clipboard managers and quick pastes do) leaves the answer's requests
//   aimed at a window that is gone. Those errors are ignored, on any
//   connection.
// - A side connection (the clipboard's) ends nothing: its other errors are
//   named on stderr, and its loss only ends its serving.
// - Other errors go on to the handler that was in place before (SDL's, then
//   the X library's, which ends the program), but only on the main thread;
//   on another thread they are named on stderr, since ending the process
//   there would pull it away from under the main thread.
// - The loss of the display the program shows on (a log-out) keeps the
//   user's work through the session rescue and ends the program with code
//   1, saying so on stderr (see RescueSessionAndExit).

#include <atomic>

struct _XDisplay;

namespace plat {

// Installs both handlers (again when another took their place). Call it
// once the X library is in use, and again whenever SDL's video starts.
void InstallXErrorHandlers();

// A connection that a thread of ours serves besides the display the
// program shows on; `lost` is set, on the serving thread, when it goes.
void AddSideConnection(_XDisplay* display, std::atomic<bool>* lost);
void RemoveSideConnection(_XDisplay* display);

}  // namespace plat
