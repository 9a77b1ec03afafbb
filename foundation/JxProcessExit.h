#pragma once
// The one way the program ends the process outside its normal return from
// the entry function: after Yes to the quit question, or Abort on a
// start-up check. Tests install a handler that records the code and leaves
// by an exception of their own instead of ending the test program.

#include <functional>

// Called with the exit code; it must not return (a handler that returns
// still ends the process).
using JxExitHandler = std::function<void(int code)>;

// Installs the handler (an empty function: the C library's exit); returns
// the previous one.
JxExitHandler SetExitHandler(JxExitHandler handler);

// Ends the process with code: the handler, else std::exit, so the
// application's exit operation does not run.
[[noreturn]] void EndProcess(int code);
