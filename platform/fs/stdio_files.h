#pragma once
// The C library's buffered files over the engine's Windows paths: fopen and
// freopen with the standard mode strings, and the few descriptor-level
// calls a buffered file needs besides the standard ones. Every call sets
// the thread's last error (GetLastError) to 0 on success and to the
// Windows code of the failure otherwise, as the Windows C library leaves
// it, so callers can map failures the way the engine always has.
//
// A write mode ("w", "a" or "+") is refused with ERROR_ACCESS_DENIED on a
// file that carries the read-only attribute (even when the program runs as
// root) and with ERROR_WRITE_PROTECTED on a cdrom drive, as on Windows.
// Files opened here are changed in place: they are the program's own
// working files, not user documents.

#include <cstdint>
#include <cstdio>

#include "platform/core/types.h"

namespace plat {

std::FILE* OpenStdioFile(const char* windowsPath, const char* mode);
// Reopens windowsPath with mode on the stream, as freopen does: the old
// file is closed first; on failure the stream is gone (null is returned).
std::FILE* ReopenStdioFile(const char* windowsPath, const char* mode, std::FILE* stream);

// Sets the last error from errno after a failed standard call on a stream
// (a short read at the end of the file, with errno 0, leaves 0).
void SetLastErrorFromErrno();

// The length of the open file; false (last error set) when it cannot be had.
bool GetStdioFileLength(std::FILE* stream, std::uint32_t& length);
// Flushes and cuts or extends the open file to length bytes.
bool SetStdioFileLength(std::FILE* stream, std::uint32_t length);

}  // namespace plat
